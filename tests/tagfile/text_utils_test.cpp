#include <gtest/gtest.h>

#include <string>

#include "base/launcher_exception.h"
#include "base/path_text.h"
#include "platform/system.h"
#include "tagfile/text_utils.h"

namespace {

struct ArgumentCase {
    const char* text;
    long start;
    bool quoted;
    const char* argument;
    long position;
};

class ReadArgument : public testing::TestWithParam<ArgumentCase> {};

TEST_P(ReadArgument, ReadsOneArgument) {
    long position = GetParam().start;
    EXPECT_EQ(readArgument(GetParam().text, position, GetParam().quoted), GetParam().argument);
    EXPECT_EQ(position, GetParam().position);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReadArgument,
                         testing::Values(ArgumentCase{"\"abc\"", 1, true, "abc", -1},
                                         ArgumentCase{"\"abc\" rest", 1, true, "abc", 5},
                                         ArgumentCase{"\"a\"\"b\" x", 1, true, "a\"b", 6},
                                         ArgumentCase{"\"\"", 1, true, "", -1},
                                         ArgumentCase{"\"\"\"\" x", 1, true, "\"", 4},
                                         ArgumentCase{"x \"a b\"", 3, true, "a b", -1},
                                         ArgumentCase{"abc def", 0, false, "abc", 3},
                                         ArgumentCase{"a\tb", 0, false, "a", 1},
                                         ArgumentCase{"abc", 0, false, "abc", -1},
                                         ArgumentCase{"", 0, false, "", -1}));

struct ArgumentErrorCase {
    const char* text;
    const char* error;
};

class ReadArgumentError : public testing::TestWithParam<ArgumentErrorCase> {};

TEST_P(ReadArgumentError, ThrowsWhereTheSearchStood) {
    long position = 1;
    try {
        readArgument(GetParam().text, position, true);
        FAIL() << "no exception";
    } catch (const LauncherException& e) {
        EXPECT_EQ(e.text(), GetParam().error);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadArgumentError,
    testing::Values(ArgumentErrorCase{"\"abc", "Expected double quote to end argument near 1"},
                    ArgumentErrorCase{"\"a\"\"b", "Expected double quote to end argument near 4"},
                    ArgumentErrorCase{"\"ab\"\"", "Expected double quote to end argument near -1"},
                    ArgumentErrorCase{"\"", "Expected double quote to end argument near 1"}));

TEST(TextUtils, NextWordSkipsWhiteSpace) {
    const std::string text = "  one\ttwo\v\f three";
    long position = 0;
    EXPECT_EQ(nextWord(text, position), "one");
    EXPECT_EQ(position, 6);
    EXPECT_EQ(nextWord(text, position), "two");
    EXPECT_EQ(nextWord(text, position), "three");
    EXPECT_EQ(nextWord(text, position), "");
    EXPECT_EQ(nextWord(text, position), "");
}

TEST(TextUtils, ReadLineFromAText) {
    const std::string text = "a\r\n  b c \n\nd";
    size_t position = 0;
    std::string line;
    ASSERT_TRUE(readLine(text, position, line));
    EXPECT_EQ(line, "a");
    EXPECT_EQ(position, 3u);
    line.clear();
    ASSERT_TRUE(readLine(text, position, line));
    EXPECT_EQ(line, "b c");
    line.clear();
    ASSERT_TRUE(readLine(text, position, line));
    EXPECT_EQ(line, "");
    line = "  x";  // appended to, then trimmed
    ASSERT_TRUE(readLine(text, position, line));
    EXPECT_EQ(line, "xd");
    EXPECT_FALSE(readLine(text, position, line));
}

TEST(TextUtils, SmallHelpers) {
    EXPECT_EQ(trim(" \t\r\n a b \n"), "a b");
    EXPECT_EQ(trim("\v x \v"), "\v x \v");  // vertical tab is no blank
    EXPECT_EQ(trim("--x-", "-"), "x");
    EXPECT_EQ(trim(" \t "), "");
    EXPECT_TRUE(isBlank('\r'));
    EXPECT_FALSE(isBlank('\v'));
    EXPECT_TRUE(isWhiteSpace('\v'));
    EXPECT_FALSE(isWhiteSpace('\0'));
    EXPECT_EQ(toDecimal(-2147483647L - 1), "-2147483648");
    EXPECT_TRUE(endsWith("file.jar", ".jar"));
    EXPECT_FALSE(endsWith("jar", ".jar"));
    EXPECT_TRUE(endsWith("x", ""));
}

TEST(TextUtils, PathsJoinWithOneSeparator) {
    const std::string s(1, platform::pathSeparator());
    EXPECT_EQ(ensureTrailingSeparator("dir"), "dir" + s);
    EXPECT_EQ(ensureTrailingSeparator("dir" + s), "dir" + s);
    EXPECT_EQ(ensureTrailingSeparator(""), "");
    EXPECT_EQ(joinPath("dir", "name"), "dir" + s + "name");
    EXPECT_EQ(joinPath("dir" + s, "name"), "dir" + s + "name");
    EXPECT_EQ(joinPath("", "name"), "name");
}

TEST(TextUtils, PathsSplitAtTheirLastSlashOrBackslash) {
    const struct {
        const char* path;
        const char* directory;
        const char* name;
    } cases[] = {
        {"C:\\dir\\setup.exe", "C:\\dir", "setup.exe"},
        {"/opt/dir/setup", "/opt/dir", "setup"},
        {"a/b\\c.jar", "a/b", "c.jar"},
        {"setup.exe", "", "setup.exe"},
        {"dir/", "dir", ""},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(directoryPart(c.path), c.directory) << c.path;
        EXPECT_EQ(namePart(c.path), c.name) << c.path;
    }
}

}  // namespace
