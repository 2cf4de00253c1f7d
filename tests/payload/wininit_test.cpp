#include <gtest/gtest.h>

#include "base/path_text.h"
#include "payload/wininit.h"
#include "support/temp_dir.h"
#include "tagfile/text_utils.h"

namespace {

const std::vector<std::string> kLines = {"NUL=C:\\LAUNCH~1\\SETUP.EXE", "NUL=C:\\LAUNCH~1"};
const std::string kBlock = "NUL=C:\\LAUNCH~1\\SETUP.EXE\nNUL=C:\\LAUNCH~1\n";

struct IniCase {
    const char* what;
    std::string before;
    std::string after;
};

const IniCase kCases[] = {
    {"missing file", "", "[Rename]\n" + kBlock},
    {"no section", "[boot]\nshell=x\n", "[boot]\nshell=x\n[Rename]\n" + kBlock},
    {"no section, last line open", "[boot]\nshell=x", "[boot]\nshell=x\n[Rename]\n" + kBlock},
    {"section last without a line end", "[boot]\n[Rename]", "[boot]\n[Rename]\n" + kBlock},
    {"sections after it", "[Rename]\r\nNUL=old\r\n[Other]\r\nk=v\r\n",
     "[Rename]\r\n" + kBlock + "NUL=old\r\n[Other]\r\nk=v\r\n"},
    {"sections before it", "[A]\na=1\n[Rename]\n[B]\n", "[A]\na=1\n[Rename]\n" + kBlock + "[B]\n"},
};

TEST(WinInitText, LinesGoDirectlyAfterTheRenameLine) {
    for (const IniCase& c : kCases) {
        EXPECT_EQ(withRenameLines(c.before, kLines), c.after) << c.what;
    }
}

TEST(WinInitFile, IsUpdatedInTheWindowsDirectory) {
    for (const IniCase& c : kCases) {
        TempDir windows;
        const std::string ini = joinPath(windows.path(), "WinInit.Ini");
        if (!c.before.empty()) {
            writeFile(ini, c.before);
        }
        std::vector<std::string> lines = kLines;
        EXPECT_EQ(writeRenameList(windows.path(), lines), 0) << c.what;
        EXPECT_EQ(readFile(ini), c.after) << c.what;
        EXPECT_TRUE(lines.empty()) << "written lines are taken off the list";
    }
}

TEST(WinInitFile, EmptyListLeavesTheFileAlone) {
    TempDir windows;
    std::vector<std::string> lines;
    EXPECT_EQ(writeRenameList(windows.path(), lines), 0);
    EXPECT_FALSE(pathExists(joinPath(windows.path(), "WinInit.Ini")));
}

TEST(WinInitFile, FailureKeepsTheList) {
    TempDir windows;
    std::vector<std::string> lines = kLines;
    EXPECT_NE(writeRenameList(windows.file("missing"), lines), 0);
    EXPECT_EQ(lines, kLines);
}

}  // namespace
