#include "tagfile/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

struct Utf8Case {
    const char* what;
    std::string bytes;
    bool utf8;
};

class Utf8Test : public testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8Test, TellsWellFormedUtf8) {
    EXPECT_EQ(isUtf8(GetParam().bytes), GetParam().utf8) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8Test,
    testing::Values(Utf8Case{"empty", "", true},
                    Utf8Case{"ascii with a zero byte", "LOGFILE: a\0b.txt\n"s, true},
                    Utf8Case{"two bytes", "LOGFILE: l\xC3\xBC.txt", true},
                    Utf8Case{"three bytes", "\xE2\x82\xAC \xED\x9F\xBF \xEF\xBF\xBF", true},
                    Utf8Case{"four bytes", "\xF0\x9F\x98\x80 \xF4\x8F\xBF\xBF", true},
                    Utf8Case{"byte order mark", "\xEF\xBB\xBFLOGFILE: x", true},
                    // A long ASCII run, then a character past the eight-byte steps.
                    Utf8Case{"after a long run", std::string(61, 'a') + "\xC3\xBC", true},
                    Utf8Case{"windows-1252", "LOGFILE: l\xFC.txt", false},
                    Utf8Case{"windows-1251", "LOGFILE: \xEB\xEE\xE3.txt", false},
                    Utf8Case{"legacy after a long run", std::string(64, 'a') + "\xFC", false},
                    Utf8Case{"lone continuation", "a\x80", false},
                    Utf8Case{"overlong two bytes", "\xC0\xAF", false},
                    Utf8Case{"overlong two bytes C1", "\xC1\xBF", false},
                    Utf8Case{"overlong three bytes", "\xE0\x80\xAF", false},
                    Utf8Case{"overlong four bytes", "\xF0\x8F\xBF\xBF", false},
                    Utf8Case{"high surrogate", "\xED\xA0\x80", false},
                    Utf8Case{"low surrogate", "\xED\xBF\xBF", false},
                    Utf8Case{"beyond U+10FFFF", "\xF4\x90\x80\x80", false},
                    Utf8Case{"F5 lead", "\xF5\x80\x80\x80", false},
                    Utf8Case{"FF byte", "\xFF", false},
                    Utf8Case{"truncated two bytes at the end", "ab\xC3", false},
                    Utf8Case{"truncated three bytes at the end", "ab\xE2\x82", false},
                    Utf8Case{"truncated four bytes at the end", "ab\xF0\x9F\x98", false},
                    Utf8Case{"truncated before ascii", "\xE2\x82z", false},
                    Utf8Case{"bad third byte", "\xF0\x9F\x28\x80", false}),
    [](const testing::TestParamInfo<Utf8Case>& info) {
        return "Case" + std::to_string(info.index);
    });

}  // namespace
