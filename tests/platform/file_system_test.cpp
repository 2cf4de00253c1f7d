#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>

#include "base/path_text.h"
#include "platform/file_system.h"
#include "platform/system.h"
#include "support/temp_dir.h"
#include "tagfile/text_utils.h"

namespace {

using platform::FileAttributes;
using platform::OpenTest;

std::string withSeparator(const std::string& path) {
    return ensureTrailingSeparator(path);
}

TEST(UniqueTempFile, NamesANewEmptyFileOfTheWorkspaceShape) {
    TempDir directory;
    std::set<std::string> names;
    for (int i = 0; i < 3; ++i) {
        std::string path;
        ASSERT_EQ(platform::createUniqueTempFile(withSeparator(directory.path()), "LREX", path),
                  0u);
        const std::string name = path.substr(withSeparator(directory.path()).size());
        EXPECT_TRUE(std::regex_match(name, std::regex("LRE[0-9A-Fa-f]{1,4}\\.tmp"))) << name;
        EXPECT_TRUE(pathExists(path));
        EXPECT_EQ(readFile(path), "");
        names.insert(path);
    }
    EXPECT_EQ(names.size(), 3u) << "every call names a file of its own";
}

TEST(UniqueTempFile, FailsInADirectoryThatDoesNotExist) {
    TempDir directory;
    std::string path;
    EXPECT_NE(platform::createUniqueTempFile(directory.file("missing"), "LRE", path), 0u);
}

TEST(CreateDirectory, SucceedsOnlyForANewPath) {
    TempDir directory;
    const std::string path = directory.file("made");
    EXPECT_TRUE(platform::createDirectory(path));
    EXPECT_FALSE(platform::createDirectory(path)) << "a directory already there";
    writeFile(directory.file("file"), "x");
    EXPECT_FALSE(platform::createDirectory(directory.file("file"))) << "a file already there";
}

TEST(FileAttributes, TellFilesDirectoriesAndReadOnlyOnes) {
    TempDir directory;
    const std::string file = directory.file("file");
    writeFile(file, "x");
    FileAttributes attributes;
    ASSERT_TRUE(platform::readFileAttributes(file, attributes));
    EXPECT_FALSE(attributes.directory);
    EXPECT_FALSE(attributes.readOnly);

    ASSERT_TRUE(platform::readFileAttributes(directory.path(), attributes));
    EXPECT_TRUE(attributes.directory);
    EXPECT_FALSE(attributes.link);
    EXPECT_FALSE(platform::readFileAttributes(directory.file("missing"), attributes));
}

TEST(FileAttributes, ReadOnlyIsClearedAndTheFileDeleted) {
    TempDir directory;
    const std::string file = directory.file("file");
    writeFile(file, "x");
    std::filesystem::permissions(file, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    FileAttributes attributes;
    ASSERT_TRUE(platform::readFileAttributes(file, attributes));
    ASSERT_TRUE(attributes.readOnly);
    ASSERT_TRUE(platform::clearReadOnly(file));
    ASSERT_TRUE(platform::readFileAttributes(file, attributes));
    EXPECT_FALSE(attributes.readOnly);
    EXPECT_TRUE(platform::deleteFile(file));
    EXPECT_FALSE(pathExists(file));
}

TEST(RemoveDirectory, RemovesOnlyAnEmptyOne) {
    TempDir directory;
    const std::string path = directory.file("sub");
    ASSERT_TRUE(platform::createDirectory(path));
    writeFile(joinPath(path, "file"), "x");
    EXPECT_FALSE(platform::removeDirectory(path));
    ASSERT_TRUE(platform::deleteFile(joinPath(path, "file")));
    EXPECT_TRUE(platform::removeDirectory(path));
    EXPECT_FALSE(pathExists(path));
}

TEST(OpenForReading, TellsWhetherAFileIsThere) {
    TempDir directory;
    writeFile(directory.file("file"), "x");
    EXPECT_EQ(platform::testOpenForReading(directory.file("file")), OpenTest::kOpened);
    EXPECT_EQ(platform::testOpenForReading(directory.file("missing")), OpenTest::kMissing);
    EXPECT_EQ(platform::testOpenForReading(joinPath(directory.file("none"), "file")),
              OpenTest::kMissing);
    EXPECT_EQ(platform::testOpenForReading(directory.path()), OpenTest::kFailed);
}

TEST(DirectoryListing, ListsEveryEntryButDotAndDotDot) {
    TempDir directory;
    writeFile(directory.file("a.txt"), "a");
    writeFile(directory.file("b"), "");
    ASSERT_TRUE(platform::createDirectory(directory.file("sub")));
    platform::DirectoryListing listing(withSeparator(directory.path()));
    ASSERT_TRUE(listing.started());
    std::set<std::string> files;
    std::set<std::string> directories;
    while (listing.next()) {
        (listing.isDirectory() ? directories : files).insert(listing.name());
    }
    EXPECT_EQ(listing.error(), 0u);
    EXPECT_EQ(files, (std::set<std::string>{"a.txt", "b"}));
    EXPECT_EQ(directories, (std::set<std::string>{"sub"}));
}

TEST(DirectoryListing, DoesNotStartForAMissingDirectory) {
    TempDir directory;
    platform::DirectoryListing listing(withSeparator(directory.file("missing")));
    EXPECT_FALSE(listing.started());
    EXPECT_FALSE(listing.next());
}

TEST(TempPath, EndsWithTheSeparatorAndNamesADirectory) {
    const std::string path = platform::tempPath();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.back(), platform::pathSeparator());
    FileAttributes attributes;
    ASSERT_TRUE(platform::readFileAttributes(path, attributes));
    EXPECT_TRUE(attributes.directory);
}

TEST(DiskFreeSpace, DescribesTheDiskOfADirectory) {
    TempDir directory;
    platform::DiskSpace space;
    ASSERT_TRUE(platform::diskFreeSpace(platform::freeSpaceRoot(directory.path()), space));
    EXPECT_GT(space.bytesPerSector * space.sectorsPerCluster, 0u);
    EXPECT_GT(space.totalClusters, 0u);
    EXPECT_LE(space.freeClusters, space.totalClusters);
}

TEST(DiskFreeSpace, RootOfADrivePathIsItsDrive) {
    if (platform::pathSeparator() != '\\') {
        EXPECT_EQ(platform::freeSpaceRoot("/var/tmp"), "/var/tmp") << "the directory itself";
        EXPECT_EQ(platform::freeSpaceRoot(""), ".");
        return;
    }
    EXPECT_EQ(platform::freeSpaceRoot("D:\\work\\LRE1.tmp"), "D:\\");
    EXPECT_EQ(platform::freeSpaceRoot("D:\\"), "D:\\") << "a bare root is its own drive";
    const std::string current = platform::currentDirectory();
    EXPECT_EQ(platform::freeSpaceRoot("relative\\dir"), current.substr(0, 2) + "\\");
}

TEST(LogicalDrives, ListRootsThatEndWithTheSeparator) {
    std::vector<std::string> roots;
    ASSERT_TRUE(platform::logicalDriveStrings(roots));
    ASSERT_FALSE(roots.empty());
    for (const std::string& root : roots) {
        EXPECT_EQ(root.back(), platform::pathSeparator()) << root;
    }
}

TEST(CurrentDirectory, IsAnExistingDirectory) {
    FileAttributes attributes;
    ASSERT_TRUE(platform::readFileAttributes(platform::currentDirectory(), attributes));
    EXPECT_TRUE(attributes.directory);
}

}  // namespace
