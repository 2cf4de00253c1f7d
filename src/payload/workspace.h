#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct FileIndexEntry;

// The workspace: "LRE" directories and files in the temp directory, removed
// at exit, and the extraction of embedded files into it.

void setTempDirectory(const std::string& directory);  // "-vd:tempdir"
// The temp directory, with its trailing separator; throws message 36 when it
// does not exist.
std::string tempDirectory();

std::string createWorkspaceDirectory();  // no trailing separator
std::string createWorkspaceFile();       // a new empty file

// The cleanup lists, in creation order.  Taking a path off a list (the first
// equal path, compared without regard to case) leaves the file system alone.
std::vector<std::string>& directoryCleanupList();
std::vector<std::string>& fileCleanupList();
void forgetWorkspaceDirectory(const std::string& path);
void forgetWorkspaceFile(const std::string& path);

bool enoughFreeSpace(const std::string& directory, int32_t bytes, int32_t extraClusters);

// Writes the entry's bytes into the directory under its stored name and
// returns the path; an empty directory means the current one.
std::string extract(const FileIndexEntry& entry, const std::string& directory);

std::string embeddedApplicationArchive();
std::string applicationArchiveBeside(const std::string& fileName);

// "-vd:extract": every embedded file into the current directory, and
// "input.tag" that runs the same instructions from them.
void extractAll();
