#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/facade.h"
#include "base/log.h"
#include "base/run_state.h"
#include "instructions/script_fixture.h"
#include "payload/launcher_file.h"
#include "payload/workspace.h"
#include "platform/system.h"
#include "support/launcher_builder.h"
#include "support/recording_launcher.h"
#include "support/temp_dir.h"

// A front end whose directory prompt picks a given directory.
class ChoosingLauncher : public RecordingLauncher {
public:
    ChoosingLauncher(std::vector<std::string>* calls, std::string choice)
        : RecordingLauncher(calls), choice_(std::move(choice)) {}
    std::string browseForDirectory() override { return choice_; }

private:
    std::string choice_;
};

// A launcher file built for one test, made the running one, with the
// workspace in the test's directory, a recording front end and a log file.
class EmbeddedProgramTest : public testing::Test {
protected:
    void SetUp() override {
        setTempDirectory(workspace_.path());
        setLogFile(files_.file("log.txt"));
        useFrontEnd("");
    }
    void TearDown() override {
        setCurrentLauncher(nullptr);
        setSilent(false);
        setLogFile("");
        runState().launcherFileName.clear();
    }

    // A front end whose directory prompt answers `choice`.
    void useFrontEnd(const std::string& choice) {
        auto launcher = std::make_unique<ChoosingLauncher>(&calls_, choice);
        launcher->setTitle("Wizard");
        setCurrentLauncher(std::move(launcher));
        calls_.clear();
    }

    // Packs the entries (unchecked: also names the packer refuses) and loads
    // the index of the result as the running launcher file.
    const LauncherFile& load(LauncherBuilder& builder, bool checked = true) {
        runState().launcherFileName = checked ? builder.build() : builder.buildUnchecked();
        launcher_ = std::make_unique<LauncherFile>();
        launcher_->load(false);
        return *launcher_;
    }

    // Whether a program extracted from the running launcher file can be
    // started: extraction must make it executable where that is a permission
    // of its own.
    static std::string programName(const std::string& base) {
        return platform::pathSeparator() == '\\' ? base + ".exe" : base;
    }

    static bool inCleanupList(const std::string& directory) {
        const std::lock_guard<platform::RecursiveMutex> lock(cleanupListsMutex());
        for (const std::string& path : directoryCleanupList()) {
            if (path == directory) {
                return true;
            }
        }
        return false;
    }

    std::string log() const { return textFileContents(files_.file("log.txt")); }

    TempDir files_;
    TempDir workspace_;
    std::vector<std::string> calls_;
    std::unique_ptr<LauncherFile> launcher_;
};
