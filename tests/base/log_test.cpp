#include <gtest/gtest.h>

#include <algorithm>

#include "base/log.h"
#include "support/temp_dir.h"

namespace {

// Each test case runs in a process of its own, so the separator flag starts
// unset in every one.

TEST(Log, NothingIsWrittenWithoutAFileName) {
    TempDir dir;
    setLogFile("");
    writeLog("lost", kLogError);
    setLogFile(dir.file("log.txt"));
    EXPECT_FALSE(pathExists(dir.file("log.txt")));
}

TEST(Log, SeparatorOncePerProcessAndPrefixesByLevel) {
    TempDir dir;
    const std::string first = dir.file("first.txt");
    const std::string second = dir.file("second.txt");
    writeFile(first, "old line\n");
    setLogFile(first);
    writeLog("info", kLogInfo);
    writeLog("careful", kLogWarning);
    writeLog("broken", kLogError);
    writeLog("odd", 7);
    setLogFile(second);
    writeLog("moved", kLogInfo);
    setLogFile("");
    // Text mode: the platform's own line ends.
    auto lines = [](const std::string& text) {
        std::string normalized;
        for (char c : text) {
            if (c != '\r') {
                normalized += c;
            }
        }
        return normalized;
    };
    EXPECT_EQ(lines(readFile(first)),
              "old line\n------------------\ninfo\nWARNING: careful\nERROR: broken\nodd\n");
    EXPECT_EQ(lines(readFile(second)), "moved\n");
}

TEST(Log, AnUnopenableFileIsSkipped) {
    TempDir dir;
    setLogFile(dir.file("missing-dir") + "/log.txt");
    writeLog("nowhere", kLogInfo);
    setLogFile("");
    SUCCEED();
}

TEST(DebugLog, LineEndsOnlyWhereAsked) {
    TempDir dir;
    const std::string file = dir.file("debug.txt");
    enableDebugLog(file);
    EXPECT_TRUE(debugLogOn());
    writeDebugLog("Launcher: ", false);
    writeDebugLog("step", true);
    std::string written = readFile(file);
    written.erase(std::remove(written.begin(), written.end(), '\r'), written.end());
    EXPECT_EQ(written, "Launcher: step\n");
}

TEST(DebugLog, ANameOf260CharactersLeavesItOff) {
    TempDir dir;
    const std::string name = dir.file(std::string(260, 'd'));
    enableDebugLog(std::string(260, 'd'));
    writeDebugLog("never", true);
    EXPECT_FALSE(pathExists(std::string(260, 'd')));
    EXPECT_FALSE(pathExists(name));
}

}  // namespace
