#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <set>

#include "base/facade.h"
#include "base/launcher_exception.h"
#include "base/log.h"
#include "base/messages.h"
#include "base/path_text.h"
#include "jvm/drive_file_finder.h"
#include "payload/tree_deleter.h"
#include "payload/workspace.h"
#include "platform/file_system.h"
#include "platform/system.h"
#include "support/recording_launcher.h"
#include "support/temp_dir.h"
#include "tagfile/text_utils.h"

namespace {

namespace fs = std::filesystem;
using Paths = std::set<std::string>;

// Records the files a walk visits; stops at the file named `stopAt`.
class RecordingWalker : public FileWalker {
public:
    explicit RecordingWalker(std::string stopAt = "")
        : FileWalker(true), stopAt_(std::move(stopAt)) {}
    Paths files;

protected:
    bool visitFile(const std::string& path) override {
        files.insert(path);
        return path == stopAt_;
    }

private:
    std::string stopAt_;
};

// Collects what the drive scan finds; stops when told to.
class CollectingHandler : public FileFoundHandler {
public:
    explicit CollectingHandler(bool stop = false) : stop_(stop) {}
    bool onFileFound(const std::string& path) override {
        found.push_back(path);
        return stop_;
    }
    std::vector<std::string> found;

private:
    bool stop_;
};

// The finder's two tests, reachable from the tests.
class OpenFinder : public DriveFileFinder {
public:
    using DriveFileFinder::DriveFileFinder;
    using DriveFileFinder::skipDirectory;
    using DriveFileFinder::visitFile;
};

// A small tree: files at three levels and an empty directory.
class WalkTree : public testing::Test {
protected:
    void SetUp() override {
        for (const char* directory : {"bin", "lib", "lib/x", "empty"}) {
            fs::create_directories(path(directory));
        }
        for (const char* file : {"a.txt", "bin/java.exe", "bin/javaw.exe", "lib/x/y.jar"}) {
            writeFile(path(file), file);
        }
        setTempDirectory(directory_.path());
        setLogFile(directory_.file("walk.log"));
    }
    void TearDown() override {
        setLogFile("");
        setCurrentLauncher(nullptr);
        setTempDirectory("");
    }

    // A path below the tree's root, written with '/' in the test.
    std::string path(std::string relative) const {
        std::replace(relative.begin(), relative.end(), '/', platform::pathSeparator());
        return joinPath(root(), relative);
    }
    std::string root() const { return directory_.file("root"); }
    std::string logged() const { return readFile(directory_.file("walk.log")); }

    TempDir directory_;
};

TEST_F(WalkTree, VisitsEveryFileOnceAndEachDirectoryAfterItsParent) {
    RecordingWalker walker;
    EXPECT_FALSE(walker.walk(root()));
    EXPECT_EQ(walker.files, (Paths{path("a.txt"), path("bin/java.exe"), path("bin/javaw.exe"),
                                   path("lib/x/y.jar")}));
    const std::vector<std::string>& visited = walker.visitedDirectories();
    EXPECT_EQ(Paths(visited.begin(), visited.end()),
              (Paths{root(), path("bin"), path("lib"), path("lib/x"), path("empty")}));
    for (size_t i = 0; i < visited.size(); ++i) {
        const size_t cut = visited[i].rfind(platform::pathSeparator());
        const auto parent = std::find(visited.begin(), visited.end(), visited[i].substr(0, cut));
        EXPECT_TRUE(i == 0 || parent < visited.begin() + i) << visited[i];
    }
}

TEST_F(WalkTree, StopsWhenAVisitAsks) {
    RecordingWalker walker(path("lib/x/y.jar"));
    EXPECT_TRUE(walker.walk(root()));
    EXPECT_TRUE(walker.files.count(path("lib/x/y.jar")));
}

TEST_F(WalkTree, MissingStartListsNothing) {
    RecordingWalker walker;
    EXPECT_FALSE(walker.walk(path("missing")));
    EXPECT_TRUE(walker.files.empty());
    EXPECT_EQ(walker.visitedDirectories(), std::vector<std::string>{path("missing")});
}

TEST_F(WalkTree, ProgressAdvancesOncePerHundredFiles) {
    fs::create_directories(path("many"));
    for (int i = 0; i < 250; ++i) {
        writeFile(path("many/" + std::to_string(i)), "");
    }
    std::vector<std::string> calls;
    setCurrentLauncher(std::make_unique<RecordingLauncher>(&calls));
    RecordingWalker walker;
    walker.walk(path("many"));
    EXPECT_EQ(calls, (std::vector<std::string>{"step:1", "step:1"}));
}

TEST_F(WalkTree, FinderMatchesWholeTrailingPathParts) {
    const std::string file = path("bin/java.exe");
    const std::string sep(1, platform::pathSeparator());
    const struct {
        std::string name;
        bool matches;
    } cases[] = {
        {"java.exe", true},   {"JAVA.EXE", true}, {"bin" + sep + "java.exe", true},
        {"ava.exe", false},   {file, true},       {sep + file, false},
        {"javaw.exe", false},
    };
    for (const auto& c : cases) {
        const std::vector<std::string> names{c.name};
        CollectingHandler handler;
        OpenFinder finder(names, handler);
        finder.visitFile(file);
        EXPECT_EQ(handler.found,
                  c.matches ? std::vector<std::string>{file} : std::vector<std::string>{})
            << c.name;
    }
}

TEST_F(WalkTree, FinderSkipsTheTempDirectoryAndTopLevelRecycleFolders) {
    const std::vector<std::string> names{"java.exe"};
    CollectingHandler handler;
    OpenFinder finder(names, handler);
    std::string temp = ensureTrailingSeparator(directory_.path());
    std::transform(temp.begin(), temp.end(), temp.begin(), ::toupper);
    const struct {
        std::string directory;
        bool skipped;
    } cases[] = {
        {ensureTrailingSeparator(directory_.path()), true},
        {temp, true},
        {"C:\\RECYCLER\\", true},
        {"d:\\Recycled\\", true},
        {"C:\\RECYCLER\\S-1-5\\", true},
        {"C:\\$Recycle.Bin\\", true},
        {"e:\\$RECYCLE.BIN\\", true},
        {"C:\\System Volume Information\\", true},
        {"C:\\dir\\System Volume Information\\", false},
        {"C:\\System Volume Information.txt\\", false},
        {"/proc/", true},
        {"/sys/", true},
        {"/usr/", false},
        {"/home/proc/", false},
        {"C:\\dir\\RECYCLER\\", false},
        {"C:\\RECYCL\\", false},
        {ensureTrailingSeparator(root()), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(finder.skipDirectory(c.directory), c.skipped) << c.directory;
    }
}

TEST_F(WalkTree, FinderReportsMatchesOutsideTheTempDirectory) {
    writeFile(path("lib/java.exe"), "");
    setTempDirectory(path("lib"));
    const std::vector<std::string> names{"java.exe", "y.jar"};
    CollectingHandler handler;
    DriveFileFinder finder(names, handler);
    EXPECT_FALSE(finder.walk(root()));
    EXPECT_EQ(handler.found, std::vector<std::string>{path("bin/java.exe")});

    CollectingHandler stopping(true);
    DriveFileFinder stoppingFinder(names, stopping);
    EXPECT_TRUE(stoppingFinder.walk(root()));
}

TEST_F(WalkTree, FinderNeedsTheTempDirectory) {
    setTempDirectory(path("missing"));
    const std::vector<std::string> names{"java.exe"};
    CollectingHandler handler;
    EXPECT_THROW(DriveFileFinder(names, handler), LauncherException);
    try {
        findOnAllDrives(names, handler);
        ADD_FAILURE() << "the scan needs the temp directory before it reads the drives";
    } catch (const LauncherException& e) {
        EXPECT_EQ(e.text(), formatMessage(36, {path("missing")}));
    }
    EXPECT_TRUE(handler.found.empty());
}

TEST_F(WalkTree, CancelledFinderVisitsNothing) {
    const std::vector<std::string> names{"java.exe"};
    EXPECT_EXIT(
        {
            CollectingHandler handler;
            DriveFileFinder finder(names, handler);
            requestCancel();
            const bool stopped = finder.walk(root());
            std::exit(!stopped && handler.found.empty() ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

TEST_F(WalkTree, TreeDeleterRemovesReadOnlyFilesToo) {
    for (const char* file : {"a.txt", "lib/x/y.jar"}) {
        fs::permissions(path(file), fs::perms::owner_write, fs::perm_options::remove);
    }
    TreeDeleter deleter;
    EXPECT_FALSE(deleter.walk(root()));
    EXPECT_FALSE(pathExists(root()));
    EXPECT_TRUE(deleter.failedDirectories().empty());
    EXPECT_EQ(logged(), "");
}

// Holds a file so that it cannot be deleted: open on Windows, in a
// directory without write permission on POSIX.  False where that cannot be
// arranged (the superuser deletes anything).
class UndeletableFile {
public:
    UndeletableFile(const std::string& directory, const std::string& file) : directory_(directory) {
        writeFile(file, "held");
        if (platform::pathSeparator() == '\\') {
            open_ = std::fopen(file.c_str(), "rb");
            held_ = open_ != nullptr;
            return;
        }
        fs::permissions(directory,
                        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
        const std::string probe = joinPath(directory, "probe");
        writeFile(probe, "");
        held_ = !pathExists(probe);
        std::error_code ignored;
        fs::remove(probe, ignored);
    }
    ~UndeletableFile() {
        if (open_ != nullptr) {
            std::fclose(open_);
        }
        std::error_code ignored;
        fs::permissions(directory_, fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    bool held() const { return held_; }

private:
    std::string directory_;
    std::FILE* open_ = nullptr;
    bool held_ = false;
};

size_t occurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

TEST_F(WalkTree, TreeDeleterLeavesTheParentsOfWhatItCannotRemove) {
    fs::create_directories(path("lib/x/held"));
    fs::create_directories(path("lib/x/hel"));  // a name that begins the held one
    UndeletableFile file(path("lib/x/held"), path("lib/x/held/in use"));
    if (!file.held()) {
        GTEST_SKIP() << "this user deletes any file";
    }
    TreeDeleter deleter;
    deleter.walk(root());
    EXPECT_TRUE(pathExists(path("lib/x/held/in use")));
    EXPECT_EQ(deleter.failedDirectories().size(), 1u);
    for (const char* removed : {"a.txt", "bin", "empty", "lib/x/y.jar", "lib/x/hel"}) {
        EXPECT_FALSE(pathExists(path(removed))) << removed;
    }
    const std::string log = logged();
    // The file and then its directory cannot go, each failure is logged once,
    // and the directories above are not tried.
    EXPECT_EQ(occurrences(log, "WARNING: Could not delete "), 2u) << log;
    EXPECT_EQ(occurrences(log, path("lib") + " :"), 0u) << log;
    EXPECT_EQ(occurrences(log, root() + " :"), 0u) << log;
}

TEST_F(WalkTree, DeleteFileOrTreeTakesFilesTreesAndNothing) {
    deleteFileOrTree(path("a.txt"));
    EXPECT_FALSE(pathExists(path("a.txt")));
    deleteFileOrTree(path("lib"));
    EXPECT_FALSE(pathExists(path("lib")));
    deleteFileOrTree(path("missing"));
    EXPECT_TRUE(pathExists(path("bin/java.exe")));
    EXPECT_EQ(logged(), "");
}

TEST_F(WalkTree, DeleteFileOrTreeRemovesALinkButNotWhatItNames) {
    std::error_code error;
    fs::create_directory_symlink(path("bin"), path("link"), error);
    if (error) {
        GTEST_SKIP() << "no directory links here: " << error.message();
    }
    deleteFileOrTree(path("link"));
    EXPECT_FALSE(fs::is_symlink(path("link")));
    EXPECT_TRUE(pathExists(path("bin/java.exe")));

    fs::create_directory_symlink(path("bin"), path("lib/link"));
    deleteFileOrTree(path("lib"));
    EXPECT_FALSE(pathExists(path("lib")));
    EXPECT_TRUE(pathExists(path("bin/java.exe"))) << "a link inside a tree is not followed";
}

TEST_F(WalkTree, DeletePathReportsAFailure) {
    EXPECT_FALSE(deletePath(path("bin")));
    const std::string log = logged();
    EXPECT_EQ(occurrences(log, "WARNING: Could not delete " + path("bin") + " :  "), 1u) << log;
    EXPECT_TRUE(deletePath(path("a.txt")));
    EXPECT_TRUE(deletePath(path("empty")));
    EXPECT_FALSE(pathExists(path("empty")));
}

}  // namespace
