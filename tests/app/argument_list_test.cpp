#include <gtest/gtest.h>

#include "app/argument_list.h"

namespace {

struct SplitCase {
    const char* commandLine;
    std::vector<std::string> expected;
};

class OldPlatformSplit : public testing::TestWithParam<SplitCase> {};

TEST_P(OldPlatformSplit, SplitsLikeTheOldPlatform) {
    EXPECT_EQ(splitOldPlatformCommandLine(GetParam().commandLine), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OldPlatformSplit,
    testing::Values(
        SplitCase{"prog \"a b\"", {"prog", "a b"}}, SplitCase{"prog c\\\"d", {"prog", "c\"d"}},
        SplitCase{"prog x\"y z\"w", {"prog", "xy zw"}},
        SplitCase{"prog a\\", {"prog", "a"}},                     // trailing backslash dropped
        SplitCase{"prog a\\ b", {"prog", "a\\ b"}},               // backslash-blank keeps both
        SplitCase{"prog \"a\\\" b\" c", {"prog", "a\" b", "c"}},  // escaped closing quote
        SplitCase{"prog \"a\\\" b", {"prog", "a\" b"}},           // runs on to the end
        SplitCase{"prog \"\" x", {"prog", "x"}},                  // empty argument dropped
        SplitCase{"C:\\dir\\prog.exe -x", {"C:\\dir\\prog.exe", "-x"}},  // program name literal
        SplitCase{"\"C:\\my dir\\p.exe\"\t -a\r\n-b ", {"C:\\my dir\\p.exe", "-a", "-b"}},
        SplitCase{"  ", {}}, SplitCase{"prog \"unterminated", {"prog", "unterminated"}},
        SplitCase{"\"\" prog\\x a", {"prog\\x", "a"}}));  // empty first token: next is the program

TEST(ArgumentList, ArgumentOutsideTheListIsNull) {
    const ArgumentList list({"prog", "a"});
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(*list.argument(1), "a");
    EXPECT_EQ(list.argument(2), nullptr);
    EXPECT_EQ(list.argument(-1), nullptr);
}

}  // namespace
