#include <gtest/gtest.h>

#include <filesystem>

#include "base/path_text.h"
#include "base/run_state.h"
#include "payload/cleanup.h"
#include "payload/launcher_file.h"
#include "payload/workspace.h"
#include "platform/system.h"
#include "support/launcher_builder.h"
#include "support/temp_dir.h"
#include "tagfile/text_utils.h"

namespace {

namespace fs = std::filesystem;

class ApplicationArchiveTest : public testing::Test {
protected:
    void SetUp() override {
        fs::create_directory(directory_.file("temp"));
        setTempDirectory(directory_.file("temp"));
        forgetApplicationArchive();
        runState().originalLauncherFileName = directory_.file("setup.exe");
    }
    void TearDown() override {
        forgetApplicationArchive();
        cleanUp();
        setTempDirectory("");
    }

    // Whether the path is a file directly inside a workspace directory.
    static bool inWorkspace(const std::string& path) {
        std::lock_guard<platform::RecursiveMutex> lock(cleanupListsMutex());
        const std::string parent = fs::path(path).parent_path().string();
        const auto& list = directoryCleanupList();
        return std::find(list.begin(), list.end(), parent) != list.end();
    }

    TempDir directory_;
};

TEST_F(ApplicationArchiveTest, CopyOfTheFileBesideTheOriginalLauncher) {
    const std::string bytes(10000, 'j');
    writeFile(directory_.file("app.jar"), bytes);
    const std::string path = applicationArchiveBeside("app.jar");
    EXPECT_EQ(fs::path(path).filename(), "app.jar");
    EXPECT_TRUE(inWorkspace(path)) << path;
    EXPECT_EQ(readFile(path), bytes);
    EXPECT_EQ(applicationArchiveBeside("other.jar"), path) << "once set, the path stays";
    EXPECT_EQ(embeddedApplicationArchive(), path);
}

TEST_F(ApplicationArchiveTest, NameWithADirectoryKeepsOnlyItsLastPart) {
    fs::create_directory(directory_.file("lib"));
    writeFile(joinPath(directory_.file("lib"), "app.jar"), "in lib");
    const std::string path = applicationArchiveBeside("lib/app.jar");
    EXPECT_EQ(fs::path(path).filename(), "app.jar");
    EXPECT_EQ(readFile(path), "in lib");
}

TEST_F(ApplicationArchiveTest, MissingFileGivesNoPath) {
    EXPECT_EQ(applicationArchiveBeside("missing.jar"), "");
    writeFile(directory_.file("late.jar"), "late");
    EXPECT_EQ(readFile(applicationArchiveBeside("late.jar")), "late") << "asked again later";
}

TEST_F(ApplicationArchiveTest, EmbeddedArchivesGoIntoOneDirectoryAndTheLastWins) {
    runState().launcherFileName = LauncherBuilder(directory_)
                                      .add(kFileApplicationArchive, 1, "first.jar", "first")
                                      .add(kFileArchive, 2, "other.jar", "other")
                                      .add(kFileApplicationArchive, 3, "second.jar", "second")
                                      .build();
    LauncherFile file;
    file.load(false);
    const std::string path = embeddedApplicationArchive(file);
    EXPECT_EQ(fs::path(path).filename(), "second.jar");
    EXPECT_EQ(readFile(path), "second");
    const fs::path workspace = fs::path(path).parent_path();
    EXPECT_EQ(readFile((workspace / "first.jar").string()), "first");
    EXPECT_FALSE(fs::exists(workspace / "other.jar"));
    EXPECT_TRUE(inWorkspace(path));
}

TEST_F(ApplicationArchiveTest, NoEmbeddedArchiveGivesNoPath) {
    runState().launcherFileName =
        LauncherBuilder(directory_).add(kFileArchive, 2, "other.jar", "other").build();
    LauncherFile file;
    file.load(false);
    EXPECT_EQ(embeddedApplicationArchive(file), "");
}

}  // namespace
