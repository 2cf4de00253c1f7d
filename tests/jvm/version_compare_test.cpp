#include <gtest/gtest.h>

#include "jvm/version_compare.h"

namespace {

int sign(int value) {
    return (value > 0) - (value < 0);
}

TEST(VersionCompare, OrdersVersionTexts) {
    const struct {
        std::string a;
        std::string b;
        int order;
    } cases[] = {
        {"17", "17", 0},
        {"17", "17.0", 0},
        {"17.0.2", "17", 1},
        {"11", "17", -1},
        {"9", "10", -1},
        {"25", "21", 1},
        // The old numbering: "1.x" is x.
        {"1.8", "8", 0},
        {"1.8", "11", -1},
        {"1.8.0_392", "1.8.0_99", 1},
        {"1.5.0_06", "1.5.0", 1},
        {"1.4.2", "1.5", -1},
        {"1", "1.0", 1},
        // Numbers of any length, leading zeros ignored.
        {"010", "9", 1},
        {"007", "7", 0},
        {"123456789012345678901234567890", "123456789012345678901234567889", 1},
        // Parts that are not numbers come before any number and compare as text.
        {"21-ea", "21", -1},
        {"21-ea", "20", 1},
        {"abc", "1", -1},
        {"x.b", "x.a", 1},
        {"", "0", -1},
        {"", "", 0},
        {"17.0.2+8", "17.0.2", 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sign(compareVersions(c.a, c.b)), c.order) << c.a << " vs " << c.b;
        EXPECT_EQ(sign(compareVersions(c.b, c.a)), -c.order) << c.b << " vs " << c.a;
    }
}

}  // namespace
