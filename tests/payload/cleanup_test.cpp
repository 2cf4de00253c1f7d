#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <thread>

#include "base/launcher_exception.h"
#include "base/log.h"
#include "base/path_text.h"
#include "base/run_state.h"
#include "payload/cleanup.h"
#include "payload/workspace.h"
#include "platform/system.h"
#include "support/temp_dir.h"
#include "tagfile/text_utils.h"

namespace {

namespace fs = std::filesystem;

class CleanupTest : public testing::Test {
protected:
    void SetUp() override {
        temp_ = directory_.file("temp");
        fs::create_directory(temp_);
        setTempDirectory(temp_);
        runState().selfRemoval = false;
    }
    void TearDown() override {
        cleanUp();
        setTempDirectory("");
    }

    // A workspace directory holding a small tree with a read-only file.
    std::string filledDirectory() {
        const std::string directory = createWorkspaceDirectory();
        fs::create_directories(joinPath(joinPath(directory, "a"), "b"));
        const std::string file = joinPath(joinPath(directory, "a"), "read-only");
        writeFile(file, "x");
        fs::permissions(file, fs::perms::owner_write, fs::perm_options::remove);
        return directory;
    }

    static bool listsEmpty() {
        std::lock_guard<platform::RecursiveMutex> lock(cleanupListsMutex());
        return directoryCleanupList().empty() && fileCleanupList().empty();
    }

    TempDir directory_;
    std::string temp_;
};

TEST_F(CleanupTest, RemovesEveryRegisteredPathAndNothingElse) {
    const std::string first = filledDirectory();
    const std::string second = filledDirectory();
    const std::string file = createWorkspaceFile();
    writeFile(directory_.file("other"), "not registered");
    cleanUp();
    for (const std::string& path : {first, second, file}) {
        EXPECT_FALSE(pathExists(path)) << path;
    }
    EXPECT_TRUE(fs::is_empty(temp_)) << "no script without -vd:orig";
    EXPECT_TRUE(pathExists(directory_.file("other")));
    EXPECT_TRUE(listsEmpty());
    cleanUp();  // a second cleanup finds nothing to do
}

TEST_F(CleanupTest, DirectoriesGoLastCreatedFirstThenTheFiles) {
    const std::string log = directory_.file("debug.log");
    EXPECT_EXIT(
        {
            // The debug log stays on for the process, so only a child turns it on.
            enableDebugLog(log);
            const std::string first = createWorkspaceDirectory();
            const std::string file = createWorkspaceFile();
            const std::string second = filledDirectory();
            cleanUp();
            const std::string expected = "Launcher: Deleting dir: " + second +
                                         "\nLauncher: Deleting dir: " + first +
                                         "\nLauncher: Deleting file: " + file + "\n";
            std::string text = readFile(log);
            text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
            std::exit(text == expected ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

TEST_F(CleanupTest, PathThatStaysIsDroppedAfterItsLastAttempt) {
    const std::string directory = createWorkspaceDirectory();
    const std::string file = joinPath(directory, "held");
    writeFile(file, "x");
    // Windows: a file open without delete sharing cannot go.  POSIX: nothing
    // leaves a directory whose own directory may not be written.
    std::FILE* held = nullptr;
    if (platform::pathSeparator() == '\\') {
        held = std::fopen(file.c_str(), "rb");
    } else {
        fs::permissions(temp_, fs::perms::owner_write, fs::perm_options::remove);
        writeFile(joinPath(temp_, "probe"), "");
        if (pathExists(joinPath(temp_, "probe"))) {
            fs::permissions(temp_, fs::perms::owner_write, fs::perm_options::add);
            GTEST_SKIP() << "this user deletes any file";
        }
    }
    cleanUp();
    EXPECT_TRUE(pathExists(directory));
    EXPECT_TRUE(listsEmpty()) << "dropped after the last attempt";
    if (held != nullptr) {
        std::fclose(held);
    }
    fs::permissions(temp_, fs::perms::owner_write, fs::perm_options::add);
}

TEST_F(CleanupTest, TwoThreadsCleaningUpShareTheWork) {
    std::vector<std::string> paths;
    for (int i = 0; i < 20; ++i) {
        paths.push_back(filledDirectory());
        paths.push_back(createWorkspaceFile());
    }
    std::thread other(cleanUp);
    cleanUp();
    other.join();
    for (const std::string& path : paths) {
        EXPECT_FALSE(pathExists(path)) << path;
    }
    EXPECT_TRUE(listsEmpty());
}

// The cleanup of an interrupted process runs while the run goes on: what
// the run asks for meanwhile is either removed with the rest or refused,
// never left behind.
TEST_F(CleanupTest, NothingTheRunAsksForDuringTheLastCleanupIsLeft) {
    std::atomic<bool> refused{false};
    std::thread run([&refused] {
        try {
            for (int i = 0; i < 5000; ++i) {
                createWorkspaceDirectory();
                createWorkspaceFile();
            }
        } catch (const LauncherException&) {
            refused = true;
        }
    });
    while (listsEmpty()) {
        std::this_thread::yield();  // until the run has made something
    }
    cleanUpForTheEnd();
    run.join();
    EXPECT_TRUE(refused);
    EXPECT_TRUE(fs::is_empty(temp_));
    EXPECT_THROW(createWorkspaceDirectory(), LauncherException);
    EXPECT_THROW(createWorkspaceFile(), LauncherException);
    EXPECT_TRUE(fs::is_empty(temp_));
}

}  // namespace
