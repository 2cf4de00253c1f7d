#pragma once
#include <string>
#include <vector>

#include "payload/file_walker.h"

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

// The fixed and network drives to scan, each a letter and a colon ("C:").
// POSIX has the one root file system, named by the empty string, so its root
// is the separator alone.  Throws LauncherException (message 17) when the
// system lists no drives.
std::vector<std::string> logicalDrives();

// Scans the fixed and network drives in order; stops after the first drive
// whose scan a handler stopped, and returns whether one did.
bool findOnAllDrives(const std::vector<std::string>& names, FileFoundHandler& handler);
