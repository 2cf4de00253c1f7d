#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <thread>

#include "base/log.h"
#include "base/path_text.h"
#include "payload/cleanup.h"
#include "payload/self_removal.h"
#include "payload/workspace.h"
#include "platform/environment.h"
#include "platform/self_removal.h"
#include "platform/system.h"
#include "support/temp_dir.h"
#include "tagfile/text_utils.h"

namespace {

namespace fs = std::filesystem;

bool onWindows() {
    return platform::pathSeparator() == '\\';
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + (onWindows() ? "\r\n" : "\n");
    }
    return text;
}

class SelfRemovalScript : public testing::Test {
protected:
    void SetUp() override {
        temp_ = directory_.file("temp");
        fs::create_directory(temp_);
        setTempDirectory(temp_);
        launcher_ = joinPath(directory_.file("copy"), "setup.exe");
    }
    void TearDown() override {
        cleanUp();
        setTempDirectory("");
    }

    // Writes the script and checks where it lies; returns its text.
    std::string writtenScript(const std::string& launcher) {
        script_ = writeSelfRemovalScript(launcher).script;
        const std::string temp = ensureTrailingSeparator(temp_);
        EXPECT_EQ(script_.compare(0, temp.size(), temp), 0) << script_;
        const std::string extension = onWindows() ? "bat" : "sh";
        EXPECT_TRUE(std::regex_match(script_.substr(temp.size()),
                                     std::regex("LRE[0-9A-Fa-f]{1,4}\\." + extension)))
            << script_;
        EXPECT_EQ(std::distance(fs::directory_iterator(temp_), fs::directory_iterator()), 1)
            << "the name service's empty file is gone";
        std::lock_guard<platform::RecursiveMutex> lock(cleanupListsMutex());
        EXPECT_TRUE(fileCleanupList().empty()) << "the script removes itself";
        return readFile(script_);
    }

    // With the debug log on: whether the script has the report lines and the
    // debug log names the script's unique name.
    bool reportsToDebugLog(const std::string& log) {
        platform::setEnvironment("DBGWIN32ZLN", log);
        enableDebugLog(log);
        const std::string text = writtenScript(launcher_);
        const std::string directory = directory_.file("copy");
        const std::vector<std::string> expected =
            onWindows()
                ? windowsScript(
                      {"@echo Deleting \"!VD_LAUNCHER!\" from within batch file. >> "
                       "\"!VD_DEBUG_LOG!\"",
                       "@echo Deleted batch file \"!VD_SCRIPT!\" from within batch file. >> "
                       "\"!VD_DEBUG_LOG!\""})
                : std::vector<std::string>{
                      "#!/bin/sh",
                      "cat <&3 >/dev/null",
                      "echo 'Deleting " + launcher_ + " from within script.' >> '" + log + "'",
                      "rm -f '" + launcher_ + "'",
                      "rmdir '" + directory + "' 2>/dev/null",
                      "rm -f '" + script_ + "'",
                      "echo 'Deleted script " + script_ + " from within script.' >> '" + log + "'"};
        return text == joined(expected) &&
               readFile(log).rfind("Launcher: Cleanup batch file called: ", 0) == 0;
    }

    // The batch file, with the two report lines given (or left out when empty).
    std::vector<std::string> windowsScript(const std::vector<std::string>& reports) {
        std::vector<std::string> lines = {"setlocal EnableDelayedExpansion",
                                          "set VD_ATTEMPTS=0",
                                          ":Repeat",
                                          reports[0],
                                          "del \"!VD_LAUNCHER!\"",
                                          "if not exist \"!VD_LAUNCHER!\" goto Deleted",
                                          "set /a VD_ATTEMPTS+=1",
                                          "if !VD_ATTEMPTS! geq 120 goto Deleted",
                                          "\"!VD_PING!\" -n 2 127.0.0.1 > nul",
                                          "goto Repeat",
                                          ":Deleted",
                                          "rmdir /q \"!VD_LAUNCHER_DIRECTORY!\"",
                                          ":Removed",
                                          "del \"" + script_.substr(temp_.size() + 1) + "\"",
                                          reports[1]};
        lines.erase(std::remove(lines.begin(), lines.end(), std::string()), lines.end());
        return lines;
    }

    TempDir directory_;
    std::string temp_;
    std::string launcher_;
    std::string script_;
};

TEST_F(SelfRemovalScript, RemovesTheLauncherItsDirectoryAndItself) {
    const std::string text = writtenScript(launcher_);
    const std::string directory = directory_.file("copy");
    if (onWindows()) {
        EXPECT_EQ(text, joined(windowsScript({"", ""})));
    } else {
        EXPECT_EQ(text,
                  joined({"#!/bin/sh", "cat <&3 >/dev/null", "rm -f '" + launcher_ + "'",
                          "rmdir '" + directory + "' 2>/dev/null", "rm -f '" + script_ + "'"}));
    }
}

TEST_F(SelfRemovalScript, LauncherWithoutDirectoryLeavesNoDirectoryToRemove) {
    const std::string text = writtenScript("setup.exe");
    EXPECT_EQ(text.find("rmdir"), std::string::npos) << text;
    if (!onWindows()) {  // the batch file reads its paths from its environment
        EXPECT_NE(text.find("setup.exe"), std::string::npos) << text;
    }
}

// The temp directory is shared with other users, who may plant links at the
// names the script gets next: the POSIX name service counts up from the
// last name it handed out.
TEST_F(SelfRemovalScript, ScriptIsPrivateAndNeverWrittenThroughALink) {
    if (onWindows()) {
        GTEST_SKIP() << "links need privileges on Windows";
    }
    const std::string victim = directory_.file("victim");
    writeFile(victim, "precious");
    const std::string ownScript = writeSelfRemovalScript(launcher_).script;
    ASSERT_FALSE(ownScript.empty());
    EXPECT_EQ(static_cast<unsigned>(fs::status(ownScript).permissions() & fs::perms::all), 0700u);
    fs::remove(ownScript);
    const unsigned last = std::stoul(fs::path(ownScript).stem().string().substr(3), nullptr, 16);
    for (unsigned number = last + 1; number <= last + 256; ++number) {
        char name[16];
        std::snprintf(name, sizeof name, "LRE%X.sh", number % 0x10000);
        fs::create_symlink(victim, fs::path(temp_) / name);
    }
    EXPECT_EQ(writeSelfRemovalScript(launcher_).script, "") << "its name is taken";
    EXPECT_EQ(readFile(victim), "precious");
}

TEST_F(SelfRemovalScript, WithDebugOutputItReportsToTheDebugLog) {
    const std::string log = directory_.file("debug.log");
    // The debug log stays on for the process, so only a child turns it on.
    EXPECT_EXIT(std::exit(reportsToDebugLog(log) ? 0 : 1), testing::ExitedWithCode(0), "");
}

// Runs a batch file written for the plan, as the launcher starts it, until it
// has removed itself; false when it is still there after a minute.
bool runToItsEnd(platform::SelfRemovalPlan plan) {
    writeFile(plan.script, joined(platform::selfRemovalScriptLines(plan)));
    if (!platform::startSelfRemovalScript(plan)) {
        return false;
    }
    for (int i = 0; i < 600 && fs::exists(plan.script); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(500));  // the interpreter ends
    return !fs::exists(plan.script);
}

class BatchFile : public testing::Test {
protected:
    void SetUp() override {
        if (!onWindows()) {
            GTEST_SKIP() << "the POSIX script waits for the launcher's end instead";
        }
    }

    // A launcher file in a directory of its own.
    platform::SelfRemovalPlan plan(const std::string& directoryName) {
        platform::SelfRemovalPlan plan;
        plan.directory = directory_.file(directoryName);
        fs::create_directory(plan.directory);
        plan.launcher = joinPath(plan.directory, "setup.exe");
        writeFile(plan.launcher, "launcher");
        plan.script = directory_.file("LRE1.bat");
        return plan;
    }

    TempDir directory_;
};

TEST_F(BatchFile, GivesUpOnALauncherItCannotDelete) {
    platform::SelfRemovalPlan held = plan("copy");
    held.attempts = 3;
    std::ifstream open(held.launcher);  // shared for reading and writing, not for deletion
    EXPECT_TRUE(runToItsEnd(held));
    EXPECT_TRUE(fs::exists(held.launcher));
}

// An interpreter that expands the value of a variable again would read
// "a!b!" as "a" and the variable b: such a path is left alone there, and the
// file that the misread path names is never touched.
TEST_F(BatchFile, RemovesNothingItWouldReadWrongly) {
    const platform::SelfRemovalPlan decoy = plan("a");
    const platform::SelfRemovalPlan marked = plan("a!b!");
    EXPECT_TRUE(runToItsEnd(marked));
    EXPECT_TRUE(fs::exists(decoy.launcher));
}

// The launcher program of this build.
std::string builtLauncher() {
    return std::string(LAUNCHER_BINARY_DIR) + "/src/launcher" + (onWindows() ? ".exe" : "");
}

TEST(SelfRemoval, LauncherCopyStartedWithOrigIsGoneAfterItEnds) {
    if (!fs::exists(builtLauncher())) {
        GTEST_SKIP() << "the launcher is not built: " << builtLauncher();
    }
    TempDir directory;
    const std::string copyDirectory = directory.file("copy");
    fs::create_directory(copyDirectory);
    const std::string copy = joinPath(copyDirectory, onWindows() ? "setup.exe" : "setup");
    fs::copy_file(builtLauncher(), copy);
    std::string command =
        "\"" + copy + "\" -console -vd:orig \"" + directory.file("orig") + "\" -vd:version";
    if (onWindows()) {
        command = "\"" + command + "\"";  // the command processor drops the outer pair
    }
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    // The script waits for the launcher's end; allow it plenty of time.
    for (int i = 0; i < 900 && fs::exists(copyDirectory); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    EXPECT_FALSE(fs::exists(copy));
    EXPECT_FALSE(fs::exists(copyDirectory));
}

}  // namespace
