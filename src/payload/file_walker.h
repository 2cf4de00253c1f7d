#pragma once
#include <string>
#include <vector>

// One depth-first directory walker serves the drive scan of the exhaustive
// JVM search and the removal of directory trees.
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
