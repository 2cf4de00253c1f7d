#pragma once
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "base/log.h"
#include "base/run_state.h"
#include "instructions/script_fixture.h"
#include "jvmfile/jvm_file.h"
#include "launch/launch_script.h"
#include "payload/workspace.h"
#include "platform/system.h"
#include "support/temp_dir.h"
#include "tagfile/tag_file.h"

using TagValues = std::vector<std::pair<std::string, std::string>>;

// A JVM file in memory: each pair sets a tag to one value (the last of a
// name wins).
inline TagFile jvmTags(const TagValues& values) {
    TagFile tags;
    for (const auto& value : values) {
        tags.setValue(value.first, value.second);
    }
    return tags;
}

// The JVM file options of a usual JVM.
inline TagValues usualJvm() {
    return {{"CLASSPATH", "-cp "},
            {"CLASSPATH_SEPARATOR", ";"},
            {"SYSTEM", "-D"},
            {"SYSTEM_SEPARATOR", "="},
            {"JVM_EXE", "java.exe"}};
}

// A launcher in a directory of the test's own ("setup.exe", which side
// files are named after), a workspace and a log file; the run state and the
// log are put back at the end.
class LaunchTest : public testing::Test {
protected:
    void SetUp() override {
        runState().launcherFileName = launcherPath();
        runState().originalLauncherFileName = launcherPath();
        setTempDirectory(workspace_.path());
        setLogFile(logFile_.file("log.txt"));
    }
    void TearDown() override {
        setLogFile("");
        runState() = RunState();
    }

    std::string launcherPath() const { return launcherDirectory_.file("setup.exe"); }
    // Writes a side file of the launcher ("setup" + suffix).
    void writeSideFile(const std::string& suffix, const std::string& text) const {
        writeFile(launcherDirectory_.file("setup" + suffix), text);
    }
    std::string log() const { return textFileContents(logFile_.file("log.txt")); }
    static std::string separator() { return std::string(1, platform::pathSeparator()); }

    // How an expansion of the command text with the JVM file ends: its text,
    // or the text of its LauncherException.
    static std::string expansionOf(const std::string& command, const TagValues& jvm) {
        TagFile tags = jvmTags(jvm);
        JvmFile jvmFile(tags);
        LaunchScript script(command);
        try {
            return script.expandCommand(jvmFile);
        } catch (const LauncherException& e) {
            return "error: " + e.text();
        }
    }

    TempDir launcherDirectory_;
    TempDir workspace_;
    TempDir logFile_;
};
