#pragma once
#include <map>
#include <string>

// A fresh directory for one test, removed with everything in it at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    // The path of a file inside the directory.
    std::string file(const std::string& name) const;

private:
    std::string path_;
};

// Whole-file helpers for fixtures.
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);
bool pathExists(const std::string& path);
// Everything under a directory by its path relative to it: a file's bytes,
// "<directory>" for a directory; names that start with `skippedPrefix` (when
// not empty) are left out with what is under them.
std::map<std::string, std::string> treeContents(const std::string& directory,
                                                const std::string& skippedPrefix = "");
