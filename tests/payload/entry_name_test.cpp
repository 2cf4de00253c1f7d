#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "payload/entry_name.h"

namespace {

using namespace std::string_literals;
using testing::HasSubstr;

TEST(EntryName, RefusesWhatIsNoPlainWindowsFileName) {
    const struct {
        std::string name;
        std::string reason;
    } cases[] = {
        {"", "it is empty"},
        {".", "it names a directory"},
        {"..", "it names a directory"},
        {"../victim", "path separator"},
        {"..\\victim", "path separator"},
        {"sub/a.jar", "path separator"},
        {"/abs", "path separator"},
        {"C:a.jar", "colon"},
        {"a.jar:stream", "colon"},
        {"a<b", "character <"},
        {"a>b", "character >"},
        {"a\"b", "character \""},
        {"a|b", "character |"},
        {"a?b", "character ?"},
        {"a*b", "character *"},
        {"a\nb", "control character (byte 10)"},
        {"a\x1f", "control character (byte 31)"},
        {"a\0b"s, "control character (byte 0)"},
        {"a.jar.", "ends with a dot or a blank"},
        {"a.jar ", "ends with a dot or a blank"},
        {"...", "ends with a dot or a blank"},
        {"NUL", "device NUL"},
        {"nul", "device NUL"},
        {"Con", "device CON"},
        {"PRN.txt", "device PRN"},
        {"aux.txt", "device AUX"},
        {"AUX.tar.gz", "device AUX"},
        {"nul .txt", "device NUL"},
        {"COM0", "device COM0"},
        {"COM1.bin", "device COM1"},
        {"com9", "device COM9"},
        {"LPT0", "device LPT0"},
        {"lpt5.log", "device LPT5"},
        {"COM\xC2\xB9", "device COM\xC2\xB9"},
        {"lpt\xC2\xB3.x", "device LPT\xC2\xB3"},
        {"CONIN$", "device CONIN$"},
        {"conout$.txt", "device CONOUT$"},
    };
    for (const auto& c : cases) {
        EXPECT_THAT(entryNameFault(c.name), HasSubstr(c.reason)) << c.name;
    }
}

TEST(EntryName, AcceptsPlainNames) {
    for (const std::string name :
         {"a.jar", "jre setup.exe", "instructions.tag", ".hidden", "a..b", " lead", "CONFIG.SYS",
          "console", "nul1", "NULL", "COM10", "COM", "LPT", "COM1x.bin", "auxiliary.jar", "CONIN",
          "B\xC3\xBC"
          "cher-\xE6\x97\xA5\xE6\x9C\xAC.tag",
          "a\x7f", "#%&'()+,;=@[]^`{}~"}) {
        EXPECT_EQ(entryNameFault(name), "") << name;
    }
}

TEST(EntryName, ASetOfNamesMustNameDifferentFilesBesideTheInputFile) {
    const struct {
        std::vector<std::string> names;
        std::string fault;
    } cases[] = {
        {{}, ""},
        {{"a.jar", "b.jar", "a.jar.x"}, ""},
        {{"a.jar", "b.jar", "A.JAR"}, "\"a.jar\" and \"A.JAR\" name the same file"},
        {{"x", "Setup.exe", "setup.EXE"}, "\"Setup.exe\" and \"setup.EXE\" name the same file"},
        {{"a.jar", "input.tag"}, "\"input.tag\" is the name of the input file"},
        {{"Input.TAG"}, "\"Input.TAG\" is the name of the input file"},
    };
    for (const auto& c : cases) {
        const std::string fault = entryNameSetFault(c.names);
        if (c.fault.empty()) {
            EXPECT_EQ(fault, "");
        } else {
            EXPECT_THAT(fault, HasSubstr(c.fault));
        }
    }
    EXPECT_STREQ(kExtractedInputFileName, "input.tag");
}

}  // namespace
