#include <gtest/gtest.h>

#include "instructions/decimal_reader.h"

namespace {

struct DecimalCase {
    const char* text;
    bool read32;
    int32_t value32;
    bool read16;
};

TEST(DecimalReader, ReadsLikeAScanAndRefusesWhatDoesNotFit) {
    const DecimalCase cases[] = {
        {"42", true, 42, true},
        {" \t\n\v\f\r42", true, 42, true},  // every scan white-space character
        {"+5", true, 5, true},
        {"-0", true, 0, true},
        {"007", true, 7, true},
        {"12abc", true, 12, true},  // reading stops at the first other character
        {"3 4", true, 3, true},
        {"", false, 0, false},
        {"+", false, 0, false},
        {"-", false, 0, false},
        {"- 5", false, 0, false},
        {"x1", false, 0, false},
        {"32767", true, 32767, true},
        {"-32768", true, -32768, true},
        {"32768", true, 32768, false},
        {"-32769", true, -32769, false},
        {"2147483647", true, 2147483647, false},
        {"-2147483648", true, INT32_MIN, false},
        {"2147483648", false, 0, false},
        {"-2147483649", false, 0, false},
        {"99999999999999999999999999999", false, 0, false},
    };
    for (const auto& c : cases) {
        int32_t value32 = -99;
        EXPECT_EQ(readInt32(c.text, value32), c.read32) << c.text;
        if (c.read32) {
            EXPECT_EQ(value32, c.value32) << c.text;
        }
        int16_t value16 = -99;
        EXPECT_EQ(readInt16(c.text, value16), c.read16) << c.text;
        if (c.read16) {
            EXPECT_EQ(value16, c.value32) << c.text;
        }
    }
}

}  // namespace
