#pragma once
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
bool fileExists(const std::string& path);
