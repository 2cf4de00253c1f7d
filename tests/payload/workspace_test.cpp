#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <regex>

#include "base/launcher_exception.h"
#include "base/messages.h"
#include "base/path_text.h"
#include "payload/cleanup.h"
#include "payload/workspace.h"
#include "payload/workspace_free_space.h"
#include "platform/file_system.h"
#include "platform/system.h"
#include "support/temp_dir.h"
#include "tagfile/text_utils.h"

namespace {

namespace fs = std::filesystem;

// The workspace in a directory of the test's own; the cleanup empties the
// lists at the end.
class WorkspaceTest : public testing::Test {
protected:
    void SetUp() override { setTempDirectory(directory_.path()); }
    void TearDown() override {
        cleanUp();
        setTempDirectory("");
    }

    // Whether the path is a workspace name in the test's directory.
    bool isWorkspaceName(const std::string& path) const {
        const std::string temp = ensureTrailingSeparator(directory_.path());
        return path.compare(0, temp.size(), temp) == 0 &&
               std::regex_match(path.substr(temp.size()), std::regex("LRE[0-9A-Fa-f]{1,4}\\.tmp"));
    }

    TempDir directory_;
};

TEST_F(WorkspaceTest, MissingTempDirectoryIsReportedWithItsPath) {
    const std::string missing = directory_.file("missing");
    setTempDirectory(missing);
    try {
        tempDirectory();
        FAIL() << "a missing temp directory must fail";
    } catch (const LauncherException& e) {
        EXPECT_EQ(e.text(), formatMessage(36, {missing}));
        EXPECT_NE(e.text().find(missing), std::string::npos);
    }
    EXPECT_THROW(createWorkspaceDirectory(), LauncherException);
    writeFile(missing, "a file");
    EXPECT_THROW(tempDirectory(), LauncherException) << "a file is no directory";
}

TEST_F(WorkspaceTest, SystemTempPathIsTakenOnceWithItsSeparator) {
    setTempDirectory("");
    const std::string path = tempDirectory();
    EXPECT_EQ(path, platform::tempPath());
    EXPECT_EQ(path.back(), platform::pathSeparator());
    EXPECT_EQ(tempDirectory(), path);
}

TEST_F(WorkspaceTest, DirectoriesAreNewUniquelyNamedAndRegistered) {
    const std::string first = createWorkspaceDirectory();
    const std::string second = createWorkspaceDirectory();
    EXPECT_NE(first, second);
    for (const std::string& path : {first, second}) {
        EXPECT_TRUE(isWorkspaceName(path)) << path;
        platform::FileAttributes attributes;
        ASSERT_TRUE(platform::readFileAttributes(path, attributes));
        EXPECT_TRUE(attributes.directory) << "the name service's file became a directory";
    }
    std::lock_guard<platform::RecursiveMutex> lock(cleanupListsMutex());
    EXPECT_EQ(directoryCleanupList(), (std::vector<std::string>{first, second}));
    EXPECT_TRUE(fileCleanupList().empty());
}

TEST_F(WorkspaceTest, WorkspacesArePrivateToTheirUser) {
    if (platform::pathSeparator() == '\\') {
        GTEST_SKIP() << "a Windows temp directory lies in the user's own profile";
    }
    const auto mode = [](const std::string& path) {
        return static_cast<unsigned>(fs::status(path).permissions() & fs::perms::all);
    };
    EXPECT_EQ(mode(createWorkspaceDirectory()), 0700u);
    EXPECT_EQ(mode(createWorkspaceFile()), 0600u);
}

TEST_F(WorkspaceTest, FilesAreNewEmptyAndRegistered) {
    const std::string path = createWorkspaceFile();
    EXPECT_TRUE(isWorkspaceName(path)) << path;
    EXPECT_TRUE(pathExists(path));
    EXPECT_EQ(readFile(path), "");
    std::lock_guard<platform::RecursiveMutex> lock(cleanupListsMutex());
    EXPECT_EQ(fileCleanupList(), std::vector<std::string>{path});
}

TEST_F(WorkspaceTest, ForgettingTakesTheFirstEqualPathAndLeavesTheDisk) {
    const std::string directory = createWorkspaceDirectory();
    const std::string file = createWorkspaceFile();
    {
        std::lock_guard<platform::RecursiveMutex> lock(cleanupListsMutex());
        fileCleanupList().push_back(file);  // the same path twice
    }
    std::string upper = file;
    for (char& c : upper) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    forgetWorkspaceFile(upper);
    forgetWorkspaceDirectory(directory);
    forgetWorkspaceDirectory(directory);  // no longer listed: nothing happens
    {
        std::lock_guard<platform::RecursiveMutex> lock(cleanupListsMutex());
        EXPECT_EQ(fileCleanupList(), std::vector<std::string>{file});
        EXPECT_TRUE(directoryCleanupList().empty());
    }
    EXPECT_TRUE(pathExists(directory));
    EXPECT_TRUE(pathExists(file));
    platform::removeDirectory(directory);
}

TEST(FreeSpaceEstimate, CountsClustersWithTheExtraOnes) {
    const struct {
        int32_t bytes, extra;
        uint64_t expected;
    } cases[] = {
        {0, 1, 0},      // an empty entry needs no cluster
        {8192, 1, 2},   // an exact multiple: no partly used cluster
        {8193, 1, 3},   // one byte more: one cluster more
        {8193, 0, 2},   // no extra cluster asked for
        {8193, -4, 2},  // nor with a negative count
        {8192, 3, 5},   // a compressed entry with 2 files: 1 + 2 whatever the remainder
        {8193, 3, 5},  {-1, 1, 1048576},  // the count is unsigned: 4 GiB - 1
    };
    for (const auto& c : cases) {
        EXPECT_EQ(clustersNeeded(c.bytes, c.extra, 4096), c.expected) << c.bytes << " " << c.extra;
    }
}

TEST_F(WorkspaceTest, FreeSpaceIsAskedOfTheDirectorysDisk) {
    EXPECT_TRUE(enoughFreeSpace(directory_.path(), 1 << 20, 1));
    EXPECT_TRUE(enoughFreeSpace("", 0, 1)) << "the current directory's disk";
}

TEST_F(WorkspaceTest, FailedFreeSpaceQueryIsAnError) {
    std::string missing = joinPath(directory_.file("missing"), "dir");
    if (platform::pathSeparator() == '\\') {
        std::vector<std::string> roots;
        platform::logicalDriveStrings(roots);
        for (char letter = 'Z'; letter > 'A'; --letter) {
            const std::string root = std::string(1, letter) + ":\\";
            if (std::find(roots.begin(), roots.end(), root) == roots.end()) {
                missing = root + "dir";
                break;
            }
        }
    }
    try {
        enoughFreeSpace(missing, 1, 1);
        FAIL() << "the query must fail for " << missing;
    } catch (const LauncherException& e) {
        EXPECT_EQ(e.text().rfind("GetDiskFreeSpace failed  ==>  ", 0), 0u) << e.text();
        EXPECT_GT(e.text().size(), std::string("GetDiskFreeSpace failed  ==>  ").size());
    }
}

}  // namespace
