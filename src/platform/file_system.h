#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

// Files, directories, temporary names, disk space and drives as the operating
// system provides them.  Operations that return false leave the reason in
// lastErrorCode() (system.h).
namespace platform {

struct FileAttributes {
    bool directory = false;
    bool readOnly = false;
    // A symbolic link or other reparse point.  Walks never follow one: a link
    // is removed as itself, never through it.
    bool link = false;
};

// False when the path does not exist or its attributes cannot be read.
bool readFileAttributes(const std::string& path, FileAttributes& attributes);
bool clearReadOnly(const std::string& path);
bool deleteFile(const std::string& path);
bool removeDirectory(const std::string& path);  // an empty directory
// Fails when anything exists under the path already, so success means this
// process made the directory.  Only its owner may enter it (POSIX mode 0700).
bool createDirectory(const std::string& path);
// Lets an extracted program be started: on POSIX it gets its owner's execute
// permission; on Windows the name alone makes a program.
void allowExecution(const std::string& path);
// What a new file holds: how it is opened, and on POSIX who may use it.
enum class NewFile {
    kData,    // binary; mode 0666 less the umask, as any new file
    kText,    // text mode (a line feed becomes the system's line end); 0666
    kScript,  // text mode; only its owner may read, write and run it (0700)
};
// Creates a file that does not exist yet (a link in its place counts as
// existing and is never followed) and opens it for writing.  Null, with
// errno telling why (EEXIST when something of that name exists); so a file
// it returns is one this process made.
std::FILE* createNewFile(const std::string& path, NewFile contents);

// Opening an existing file for reading, not shared, to learn whether it is
// there.  kFailed leaves the reason in lastErrorCode(); a directory fails.
enum class OpenTest { kOpened, kInUse, kMissing, kFailed };
OpenTest testOpenForReading(const std::string& path);

// The entries of one directory, "." and ".." left out.  Links are reported as
// non-directories.
class DirectoryListing {
public:
    // `directory` ends with the path separator.
    explicit DirectoryListing(const std::string& directory);
    ~DirectoryListing();
    DirectoryListing(const DirectoryListing&) = delete;
    DirectoryListing& operator=(const DirectoryListing&) = delete;

    // False when the directory could not be listed at all.
    bool started() const;
    // Moves to the next entry.  False at the end of the listing, or on an
    // error, when error() is not 0.
    bool next();
    const std::string& name() const;
    bool isDirectory() const;
    unsigned long error() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

// The system's temp path, with its trailing separator.
std::string tempPath();
// Creates a new empty file named by the directory, the first three characters
// of the prefix, up to four hexadecimal digits and ".tmp"; returns 0 and its
// path, or the system error code.
unsigned long createUniqueTempFile(const std::string& directory, const std::string& prefix,
                                   std::string& path);
// Whether an error of createUniqueTempFile may go away when asked again a
// little later (a file briefly held by another program on Windows).
bool isTransientAccessDenial(unsigned long code);

struct DiskSpace {
    uint64_t sectorsPerCluster = 0;
    uint64_t bytesPerSector = 0;
    uint64_t freeClusters = 0;  // available to this user
    uint64_t totalClusters = 0;
};
// What to ask about the space of a directory: on Windows the root of its
// drive ("X:\" from a drive path, else the current drive's root); on POSIX
// the directory itself ("." for the empty path, the current directory).
std::string freeSpaceRoot(const std::string& directory);
bool diskFreeSpace(const std::string& root, DiskSpace& space);

// The root strings of the drives ("C:\"); false when the system lists none.
// POSIX has one drive: the root file system "/".
bool logicalDriveStrings(std::vector<std::string>& roots);
enum class DriveType { kFixed, kRemote, kOther };
DriveType driveType(const std::string& root);

// The 8.3 form of an existing path (POSIX: the path itself).
bool shortPathName(const std::string& path, std::string& shortPath);
// The Windows directory; empty on POSIX, which has none.
std::string windowsDirectory();
std::string currentDirectory();

}  // namespace platform
