#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <list>
#include <string>
#include <vector>

#include "base/log.h"
#include "base/path_text.h"
#include "base/run_state.h"
#include "jvm/jvm_search.h"
#include "payload/cleanup.h"
#include "payload/workspace.h"
#include "platform/system.h"
#include "support/fake_verification_runner.h"
#include "support/recording_launcher.h"
#include "support/temp_dir.h"
#include "tagfile/tag_file.h"
#include "tagfile/text_utils.h"

// What a JVM file of a test says.
struct JvmSpec {
    JvmSpec(std::string desc, std::vector<std::string> properties = {"java.vendor=Good"},
            std::vector<std::string> pathHints = {}, std::vector<std::string> platformHints = {},
            bool searchAll = false, std::string exe = joinPath("bin", "java.exe"))
        : desc(std::move(desc)),
          properties(std::move(properties)),
          pathHints(std::move(pathHints)),
          platformHints(std::move(platformHints)),
          searchAll(searchAll),
          exe(std::move(exe)) {}

    std::string desc;
    std::vector<std::string> properties;
    std::vector<std::string> pathHints;
    std::vector<std::string> platformHints;
    bool searchAll;
    std::string exe;
};

// The output of a JVM that the default JVM file accepts, and of one it does
// not.
const std::string kGoodOutput = "1739021872\nGood\n";
const std::string kOtherOutput = "1739021872\nOther\n";

// A search with a fake verification runner and prompt over JVM files made
// by the test; JVM homes are directories of the test's own with the java
// file in them.  The log, the workspace and the front end are the test's.
class SearchTest : public testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directory(directory_.file("temp"));
        setTempDirectory(directory_.file("temp"));
        setLogFile(directory_.file("launcher.log"));
        runState().originalLauncherFileName = directory_.file("setup.exe");
        useRecordingLauncher(&calls_);
        search_.setDriveScan([](const std::vector<std::string>&, FileFoundHandler&) {
            ADD_FAILURE() << "the test did not expect a drive scan";
            return false;
        });
    }
    void TearDown() override {
        cleanUp();
        setLogFile("");
        setTempDirectory("");
    }

    JvmFile& addJvmFile(const JvmSpec& spec) {
        TagFile& tags = files_.emplace_back();
        tags.parse("DESC: " + spec.desc + "\n", spec.desc + ".jvm");
        tags.setValue("JVM_EXE", spec.exe);
        for (const std::string& line : spec.properties) {
            tags.addValue("JVM_PROPERTIES", line);
        }
        for (const std::string& hint : spec.pathHints) {
            tags.addValue("PATH_HINT", hint);
        }
        for (const std::string& hint : spec.platformHints) {
            tags.addValue("PLATFORM_HINT", hint);
        }
        tags.setValue("SEARCH_ALL", spec.searchAll ? "1" : "0");
        search_.addJvmFile(tags);
        return *search_.jvmFiles().back();
    }

    // A directory below the test's directory holding the java file at `exe`,
    // whose verification prints `output`.  Returns the home.
    std::string makeHome(const std::string& name, const std::string& output = kGoodOutput,
                         const std::string& exe = joinPath("bin", "java.exe")) {
        const std::string home = directory_.file(name);
        const std::string java = joinPath(home, exe);
        std::filesystem::create_directories(std::filesystem::path(java).parent_path());
        writeFile(java, "java");
        runner_.answers[home] = output;
        return home;
    }

    // Drive scans walk this directory instead of the drives.
    void scanOnly(const std::string& root) {
        search_.setDriveScan(
            [this, root](const std::vector<std::string>& names, FileFoundHandler& h) {
                scannedNames_.push_back(names);
                return DriveFileFinder(names, h).walk(root);
            });
    }

    std::vector<std::string> homesOf(const MatchList& matches) const {
        std::vector<std::string> homes;
        for (const auto& match : matches) {
            homes.push_back(match->home());
        }
        return homes;
    }

    // The log without its carriage returns.
    std::string logged() const {
        std::string text = readFile(directory_.file("launcher.log"));
        text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
        return text;
    }
    bool loggedLine(const std::string& line) const {
        return ("\n" + logged()).find("\n" + line + "\n") != std::string::npos;
    }

    TempDir directory_;
    std::vector<std::string> calls_;
    FakeVerificationRunner runner_;
    int prompts_ = 0;
    std::string chosenFile_;
    std::list<TagFile> files_;
    JvmSearch search_{runner_, [this] {
                          ++prompts_;
                          return chosenFile_;
                      }};
    std::vector<std::vector<std::string>> scannedNames_;
};
