#include <gtest/gtest.h>

#include "tagfile/tag_file_fixture.h"

namespace {

struct BoolCase {
    const char* value;
    int expected;  // 0 false, 1 true, -1 the default
};

class GetBool : public testing::TestWithParam<BoolCase> {};

TEST_P(GetBool, ReadsTheFirstValueAsANumber) {
    TagFile tags;
    tags.setValue("FLAG", GetParam().value);
    for (const bool defaultValue : {false, true}) {
        const bool expected = GetParam().expected < 0 ? defaultValue : GetParam().expected == 1;
        EXPECT_EQ(tags.getBool("FLAG", defaultValue), expected) << "default " << defaultValue;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GetBool,
    testing::Values(BoolCase{"0", 0}, BoolCase{"-3", 1}, BoolCase{"1", 1}, BoolCase{"yes", -1},
                    BoolCase{"", -1}, BoolCase{" \t\v\f7", 1}, BoolCase{"1abc", 1},
                    BoolCase{"0 but true", 0}, BoolCase{"000", 0}, BoolCase{"-0", 0},
                    BoolCase{"+0", 0}, BoolCase{"+2", 1}, BoolCase{"- 1", -1}, BoolCase{"0x10", 0},
                    // Beyond 16 bits a number still is not zero.
                    BoolCase{"65536", 1}, BoolCase{"-99999999999999999999", 1}));

TEST(TagFileValues, AbsentTagGivesTheDefault) {
    const TagFile tags;
    EXPECT_FALSE(tags.getBool("FLAG", false));
    EXPECT_TRUE(tags.getBool("FLAG", true));
}

TEST(TagFileValues, OnlyTheFirstValueCounts) {
    TagFile tags;
    tags.addValue("FLAG", "0");
    tags.addValue("FLAG", "1");
    EXPECT_FALSE(tags.getBool("FLAG", true));
}

TEST(TagFileValues, SetValueReplacesInPlaceAndAddsAtTheEnd) {
    TagFile tags;
    tags.addValue("A", "1");
    tags.addValue("A", "2");
    tags.setValue("B", "b");
    tags.setValue("A", "3");
    tags.addValue("B", "c");
    tags.addValue("C", "d");
    EXPECT_EQ(contents(tags), (TagList{{"A", {"3"}}, {"B", {"b", "c"}}, {"C", {"d"}}}));
}

}  // namespace
