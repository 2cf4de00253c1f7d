#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "platform/system.h"
#include "platform/text_encoding.h"
#include "tagfile/tag_file_fixture.h"
#include "tagfile/tag_file_source.h"
#include "tagfile/text_utils.h"

namespace {

using namespace std::string_literals;

// An embedded tag file is the region of the launcher file its entry names,
// between other bytes.
const std::string kBinaryPrefix =
    "\x7f"
    "ELF\0\n:\"\xff\xfe"s;                               // 10 bytes
const std::string kTagText = "A: 1\nB:\nx\n/:\nC: 3\n";  // 18 bytes
const std::string kBinarySuffix = "\0\0\xca\x82:junk\n\"\n"s;

struct RegionCase {
    long offset;
    long length;
    std::string bytes;
    std::string error;  // of the parse, empty when it succeeds
};

class RegionTest : public TagFileTest, public testing::WithParamInterface<RegionCase> {};

TEST_P(RegionTest, HoldsTheEntrysBytesOnly) {
    writeFile(path(), kBinaryPrefix + kTagText + kBinarySuffix);
    std::FILE* stream = std::fopen(path().c_str(), "rb");
    ASSERT_NE(stream, nullptr);
    std::string bytes = "stale";
    EXPECT_TRUE(readStreamRegion(stream, GetParam().offset, GetParam().length, bytes));
    std::fclose(stream);
    EXPECT_EQ(bytes, tagFileText(GetParam().bytes));
    TagFile tags;
    EXPECT_EQ(parse(tags, bytes), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegionTest,
    testing::Values(
        RegionCase{10, 18, kTagText, ""},
        // A list cut by the end of the region misses its completer, as a
        // file on disk that ends there does.
        RegionCase{10, 8, "A: 1\nB:\n",
                   "Syntax error in test.tag at line 2 ==> Missing /: tag "
                   "completer."},
        RegionCase{10, 4, "A: 1", ""}, RegionCase{10, 0, "", ""},
        RegionCase{10, -1, "", ""},  // a negative length holds nothing
        RegionCase{10 + 18 + 12, 5, "", ""}, RegionCase{1000, 5, "", ""},
        RegionCase{10 + 18, LONG_MAX, kBinarySuffix,
                   "Syntax error in test.tag at line 2 ==> Missing colon at the end of the tag "
                   "name."}),
    [](const testing::TestParamInfo<RegionCase>& info) {
        return "Case" + std::to_string(info.index);
    });

// A tag file is read as UTF-8 when its bytes are UTF-8, otherwise in the
// user's legacy code page; an embedded one is judged by its own bytes, never
// by the binary bytes around it.
struct EncodingCase {
    std::string bytes;
    std::string body;  // without a byte order mark
    platform::FileEncoding encoding;
};

class EncodingTest : public TagFileTest, public testing::WithParamInterface<EncodingCase> {
protected:
    std::string expected() const {
        return platform::narrowFromFile(GetParam().body, GetParam().encoding);
    }
};

TEST_P(EncodingTest, AFileOnDisk) {
    writeFile(path(), GetParam().bytes);
    std::string text;
    ASSERT_TRUE(readTagFileText(path(), text));
    EXPECT_EQ(text, expected());
    EXPECT_EQ(TagFile(path()).getValue("LOGFILE"), trim(expected().substr(9)));
}

TEST_P(EncodingTest, AnEmbeddedFileBetweenBinaryBytes) {
    const std::string before =
        "\x7f"
        "ELF\xff\xfe\xC3"s;
    writeFile(path(), before + GetParam().bytes + "\xBC\xFC\0"s);
    std::FILE* stream = std::fopen(path().c_str(), "rb");
    ASSERT_NE(stream, nullptr);
    std::string text;
    EXPECT_TRUE(readStreamRegion(stream, static_cast<long>(before.size()),
                                 static_cast<long>(GetParam().bytes.size()), text));
    std::fclose(stream);
    EXPECT_EQ(text, expected());
}

const char* const kUtf8Name = "LOGFILE: l\xC3\xBC\xF0\x9F\x98\x80.txt\n";
const char* const kLegacyName = "LOGFILE: l\xFC.txt\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, EncodingTest,
    testing::Values(
        EncodingCase{kUtf8Name, kUtf8Name, platform::FileEncoding::kUtf8},
        EncodingCase{kLegacyName, kLegacyName, platform::FileEncoding::kLegacy},
        EncodingCase{"\xEF\xBB\xBF"s + kUtf8Name, kUtf8Name, platform::FileEncoding::kUtf8},
        EncodingCase{"\xEF\xBB\xBF"s + kLegacyName, kLegacyName, platform::FileEncoding::kUtf8},
        // A character cut short at the end of the file.
        EncodingCase{"LOGFILE: a\xC3"s, "LOGFILE: a\xC3", platform::FileEncoding::kLegacy}),
    [](const testing::TestParamInfo<EncodingCase>& info) {
        return "Case" + std::to_string(info.index);
    });

TEST_F(TagFileTest, ARegionBeforeTheStartCannotBeRead) {
    writeFile(path(), kTagText);
    std::FILE* stream = std::fopen(path().c_str(), "rb");
    ASSERT_NE(stream, nullptr);
    std::string bytes;
    EXPECT_FALSE(readStreamRegion(stream, -1, 5, bytes));
    std::fclose(stream);
}

// Files of older tools end with a Ctrl-Z byte, which reading them as text
// took for the end of the file.
TEST_F(TagFileTest, AFileOnDiskEndsAtItsFirstCtrlZ) {
    const struct {
        std::string bytes;
        TagList expected;
    } cases[] = {
        {"A: 1\r\nB: 2\r\n\x1a", {{"A", {"1"}}, {"B", {"2"}}}},
        {"A: 1\x1a", {{"A", {"1"}}}},
        {"A: 1\nB: x\x1ay\nC: 3\n", {{"A", {"1"}}, {"B", {"x"}}}},
        {"\x1a\x1a"
         "A: 1\n",
         {}},
        {"A: x\0y\n"s, {{"A", {"x\0y"s}}}},
    };
    for (const auto& c : cases) {
        writeFile(path(), c.bytes);
        std::string text;
        ASSERT_TRUE(readTagFileText(path(), text));
        TagFile tags;
        EXPECT_EQ(parse(tags, text), "") << c.bytes;
        EXPECT_EQ(contents(tags), c.expected) << c.bytes;
        EXPECT_EQ(contents(TagFile(path())), c.expected) << c.bytes;
    }
}

TEST_F(TagFileTest, AMissingFileOrADirectoryCannotBeRead) {
    std::string text;
    EXPECT_FALSE(readTagFileText(dir_.file("missing.tag"), text));
    EXPECT_FALSE(readTagFileText(dir_.path(), text));
}

// More than 64 MiB is no tag file; a device that never ends is refused
// instead of filling the memory.
TEST_F(TagFileTest, AnEndlessFileCannotBeRead) {
    const std::string zero = platform::pathSeparator() == '/' ? "/dev/zero" : "Z:\\dev\\zero";
    std::FILE* stream = std::fopen(zero.c_str(), "rb");
    if (stream == nullptr) {
        GTEST_SKIP() << "no " << zero << " here";
    }
    std::string text;
    EXPECT_FALSE(readTagFileText(zero, text));
    EXPECT_FALSE(readStreamRegion(stream, 0, (64 << 20) + 1, text));
    EXPECT_TRUE(readStreamRegion(stream, 0, 64 << 20, text));
    EXPECT_EQ(text.size(), static_cast<size_t>(64 << 20));
    std::fclose(stream);
}

}  // namespace
