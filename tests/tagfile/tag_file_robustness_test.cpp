#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tagfile/tag_file_fixture.h"
#include "tagfile/tag_file_source.h"

namespace {

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// The parse either succeeds or stops with one of the reader's own messages.
bool isReaderError(const std::string& error) {
    if (startsWith(error, "Expected double quote to end argument near ")) {
        return true;
    }
    if (!startsWith(error, "Syntax error in test.tag at line ")) {
        return false;
    }
    for (const char* text : {" ==> Missing colon at the end of the tag name.",
                             " ==> Missing /: tag completer.", " ==> Invalid tag format."}) {
        const std::string ending = text;
        if (error.size() > ending.size() &&
            error.compare(error.size() - ending.size(), ending.size(), ending) == 0) {
            return true;
        }
    }
    return false;
}

// Random bytes, half of them drawn from the characters the format gives a
// meaning to, so that the parser gets deep into its rules.
std::string randomBytes(std::mt19937& random, size_t size) {
    static const char kSpecial[] = {':', '"', '/', '\n', '\r', ' ', '\t', '\0', 'A', '0'};
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        const unsigned draw = random();
        c = (draw & 1) != 0 ? kSpecial[(draw >> 1) % sizeof kSpecial]
                            : static_cast<char>(draw >> 8);
    }
    return bytes;
}

TEST_F(TagFileTest, RandomBytesGiveTagsOrAReaderError) {
    std::mt19937 random(20240229);
    int parsed = 0;
    for (int iteration = 0; iteration < 400; ++iteration) {
        const std::string bytes = randomBytes(random, random() % 600);
        TagFile tags;
        const std::string error = parse(tags, bytes);
        if (error.empty()) {
            ++parsed;
            // Whatever the reader accepts, the writer gives back unchanged.
            ASSERT_EQ(writtenAndReadBack(tags), contents(tags)) << "iteration " << iteration;
        } else {
            ASSERT_TRUE(isReaderError(error)) << error;
        }
    }
    EXPECT_GT(parsed, 10);  // the generator does reach the success path
}

TEST_F(TagFileTest, RandomRegionsOfRandomBytes) {
    std::mt19937 random(7);
    const std::string bytes = randomBytes(random, 1 << 16);
    writeFile(path(), bytes);
    std::FILE* stream = std::fopen(path().c_str(), "rb");
    ASSERT_NE(stream, nullptr);
    for (int iteration = 0; iteration < 200; ++iteration) {
        const long offset = static_cast<long>(random() % bytes.size());
        const long length = static_cast<long>(random() % 4096) - 64;
        std::string region;
        ASSERT_TRUE(readStreamRegion(stream, offset, length, region));
        ASSERT_EQ(region, length < 0 ? std::string() : bytes.substr(offset, length));
        TagFile tags;
        const std::string error = parse(tags, region);
        ASSERT_TRUE(error.empty() || isReaderError(error)) << error;
    }
    std::fclose(stream);
}

TEST_F(TagFileTest, HugeLines) {
    const std::string huge(6 << 20, 'x');
    TagFile tags;
    ASSERT_EQ(parse(tags, "A: " + huge + "\nB:\n" + huge + "\n/:"), "");
    EXPECT_EQ(tags.getValue("A"), huge);
    EXPECT_EQ(tags.getValue("B"), huge);
    EXPECT_EQ(parse(tags, "\n" + huge),
              "Syntax error in test.tag at line 2 ==> Missing colon at the end of the tag name.");
}

}  // namespace
