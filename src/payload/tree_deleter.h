#pragma once
#include <string>
#include <vector>

#include "payload/file_walker.h"

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

// Removes one file or one empty directory, clearing a read-only attribute
// first.  A failure is logged as a warning and gives false.
bool deletePath(const std::string& path);

// Removes a file, or a directory with everything below it; a path that does
// not exist is left alone.
void deleteFileOrTree(const std::string& path);
