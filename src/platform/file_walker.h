#pragma once
#include <string>
#include <vector>

// One depth-first directory walker serves the drive scan of the exhaustive
// JVM search and the removal of directory trees.
namespace platform {

class FileWalker {
public:
    explicit FileWalker(bool cancellable) : cancellable_(cancellable) {}
    virtual ~FileWalker() = default;
    FileWalker(const FileWalker&) = delete;
    FileWalker& operator=(const FileWalker&) = delete;

    // Visits every file below the start directory.  Returns whether a visit
    // asked to stop.  A cancellable walk also ends when the user cancels.
    // Throws LauncherException with the system's text when a listing fails
    // part way; a directory that cannot be listed at all is passed over.
    virtual bool walk(const std::string& start);

    // Every directory taken up by the last walk, each after its parent.
    const std::vector<std::string>& visitedDirectories() const { return visited_; }

protected:
    // Returns true to stop the walk.
    virtual bool visitFile(const std::string& path) = 0;
    // `directory` ends with the path separator.
    virtual bool skipDirectory(const std::string& directory);

private:
    bool cancelled() const;

    std::vector<std::string> visited_;
    std::vector<std::string> pending_;
    bool cancellable_;
};

// Receives the files the drive scan finds.
class FileFoundHandler {
public:
    virtual ~FileFoundHandler() = default;
    // Returns true to stop the scan.
    virtual bool onFileFound(const std::string& path) = 0;
};

// Finds files whose path ends with one of the names (after a separator, or
// as the whole path), without regard to case.  Passes over the temp
// directory and the recycle-bin folders at the top of a drive.
class DriveFileFinder : public FileWalker {
public:
    // Throws LauncherException (message 36) when the temp directory is missing.
    DriveFileFinder(const std::vector<std::string>& names, FileFoundHandler& handler);

protected:
    bool visitFile(const std::string& path) override;
    bool skipDirectory(const std::string& directory) override;

private:
    const std::vector<std::string>& names_;
    FileFoundHandler& handler_;
    std::string tempDirectory_;  // with its trailing separator
};

// Removes a directory with everything below it.  A directory that cannot be
// removed is left with its parents; every failure is logged once.
class TreeDeleter : public FileWalker {
public:
    TreeDeleter() : FileWalker(false) {}
    // Deletes the tree; returns the walk's result.
    bool walk(const std::string& start) override;
    const std::vector<std::string>& failedDirectories() const { return failed_; }

protected:
    bool visitFile(const std::string& path) override;

private:
    std::vector<std::string> failed_;
};

// Scans the fixed and network drives in order; stops after the first drive
// whose scan a handler stopped, and returns whether one did.
bool findOnAllDrives(const std::vector<std::string>& names, FileFoundHandler& handler);

// Removes one file or one empty directory, clearing a read-only attribute
// first.  A failure is logged as a warning and gives false.
bool deletePath(const std::string& path);

// Removes a file, or a directory with everything below it; a path that does
// not exist is left alone.
void deleteFileOrTree(const std::string& path);

}  // namespace platform
