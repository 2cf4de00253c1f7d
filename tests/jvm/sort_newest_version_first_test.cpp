#include <gtest/gtest.h>

#include "jvm/version_compare.h"

namespace {

using Names = std::vector<std::string>;

struct OrderCase {
    const char* what;
    Names names;
    Names newestFirst;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const OrderCase& c, std::ostream* out) {
    *out << c.what;
}

class VersionOrder : public testing::TestWithParam<OrderCase> {};

TEST_P(VersionOrder, SortsNewestFirst) {
    Names names = GetParam().names;
    sortNewestVersionFirst(names);
    EXPECT_EQ(names, GetParam().newestFirst);
}

INSTANTIATE_TEST_SUITE_P(
    Names, VersionOrder,
    testing::Values(
        OrderCase{"NumbersNotText",
                  {"8.0.402", "17.0.12", "21.0.4", "17.0.2"},
                  {"21.0.4", "17.0.12", "17.0.2", "8.0.402"}},
        // "21" and "21.0" are the same version: they keep their order.
        OrderCase{"MissingPartsAreZero", {"21", "21.0.4", "21.0"}, {"21.0.4", "21", "21.0"}},
        OrderCase{"NonNumericLast", {"jre-x", "8", "21.x", "21.0"}, {"21.0", "21.x", "8", "jre-x"}},
        OrderCase{"UpdateNumbersWithinAPart",
                  {"1.8.0_92", "1.8.0_402", "1.8.0"},
                  {"1.8.0_402", "1.8.0_92", "1.8.0"}},
        OrderCase{"NumbersOfAnyLength",
                  {"99999999999999999999", "100000000000000000000", "007"},
                  {"100000000000000000000", "99999999999999999999", "007"}},
        OrderCase{
            "VendorPrefixes", {"zulu-8", "zulu-17", "zulu-11"}, {"zulu-17", "zulu-11", "zulu-8"}},
        // Words come after every number and compare as text.
        OrderCase{"WordsAfterNumbers",
                  {"jre", "jdk-8", "9", "jdk-11", "corretto-8"},
                  {"9", "jre", "jdk-11", "jdk-8", "corretto-8"}},
        OrderCase{"EqualNamesKeepTheirOrder", {"17", "017", "", "17."}, {"17", "017", "17.", ""}}),
    [](const testing::TestParamInfo<OrderCase>& info) { return std::string(info.param.what); });

}  // namespace
