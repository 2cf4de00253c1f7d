#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "platform/file_system.h"
#include "platform/posix/new_file_posix.h"

namespace platform {

namespace {

constexpr unsigned kUniqueNumbers = 0x10000;

// Where the search for a free unique number starts; moves on with every
// name handed out, so one process does not probe the same taken names again.
unsigned& nextUniqueNumber() {
    static unsigned number =
        (static_cast<unsigned>(getpid()) * 40503u + static_cast<unsigned>(std::time(nullptr))) %
        kUniqueNumbers;
    return number;
}

}  // namespace

bool readFileAttributes(const std::string& path, FileAttributes& attributes) {
    struct stat status;
    if (lstat(path.c_str(), &status) != 0) {
        return false;
    }
    attributes.directory = S_ISDIR(status.st_mode);
    attributes.link = S_ISLNK(status.st_mode);
    attributes.readOnly = !attributes.link && (status.st_mode & S_IWUSR) == 0;
    return true;
}

bool clearReadOnly(const std::string& path) {
    struct stat status;
    return lstat(path.c_str(), &status) == 0 && !S_ISLNK(status.st_mode) &&
           chmod(path.c_str(), (status.st_mode & 07777) | S_IWUSR) == 0;
}

bool deleteFile(const std::string& path) {
    return unlink(path.c_str()) == 0;
}

bool removeDirectory(const std::string& path) {
    return rmdir(path.c_str()) == 0;
}

bool createDirectory(const std::string& path) {
    return mkdir(path.c_str(), 0700) == 0;
}

void allowExecution(const std::string& path) {
    struct stat status;
    if (stat(path.c_str(), &status) == 0) {
        chmod(path.c_str(), (status.st_mode & 07777) | S_IXUSR);
    }
}

int openNewFile(const std::string& path, NewFile contents) {
    const mode_t mode = contents == NewFile::kScript ? 0700 : 0666;
    return open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
}

std::FILE* createNewFile(const std::string& path, NewFile contents) {
    const int descriptor = openNewFile(path, contents);
    if (descriptor < 0) {
        return nullptr;
    }
    std::FILE* file = fdopen(descriptor, "w");
    if (file == nullptr) {
        const int error = errno;
        close(descriptor);
        unlink(path.c_str());
        errno = error;
    }
    return file;
}

OpenTest testOpenForReading(const std::string& path) {
    // Non-blocking, so that a named pipe without a writer does not hang here.
    const int descriptor = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        return errno == ENOENT || errno == ENOTDIR ? OpenTest::kMissing : OpenTest::kFailed;
    }
    struct stat status;
    const bool directory = fstat(descriptor, &status) == 0 && S_ISDIR(status.st_mode);
    close(descriptor);
    if (directory) {
        errno = EISDIR;
        return OpenTest::kFailed;
    }
    return OpenTest::kOpened;
}

struct DirectoryListing::State {
    DIR* stream = nullptr;
    std::string directory;
    std::string name;
    bool isDirectory = false;
    unsigned long error = 0;
};

DirectoryListing::DirectoryListing(const std::string& directory) : state_(new State) {
    state_->directory = directory;
    state_->stream = opendir(directory.c_str());
}

DirectoryListing::~DirectoryListing() {
    if (state_->stream != nullptr) {
        closedir(state_->stream);
    }
}

bool DirectoryListing::started() const {
    return state_->stream != nullptr;
}

bool DirectoryListing::next() {
    State& s = *state_;
    if (s.stream == nullptr) {
        return false;
    }
    while (true) {
        errno = 0;
        const dirent* entry = readdir(s.stream);
        if (entry == nullptr) {
            // A directory removed while it is listed has no more entries.
            s.error = errno == ENOENT ? 0 : static_cast<unsigned long>(errno);
            return false;
        }
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) {
            continue;
        }
        s.name.assign(name);
        if (entry->d_type == DT_UNKNOWN) {
            struct stat status;
            s.isDirectory =
                lstat((s.directory + s.name).c_str(), &status) == 0 && S_ISDIR(status.st_mode);
        } else {
            s.isDirectory = entry->d_type == DT_DIR;
        }
        return true;
    }
}

const std::string& DirectoryListing::name() const {
    return state_->name;
}

bool DirectoryListing::isDirectory() const {
    return state_->isDirectory;
}

unsigned long DirectoryListing::error() const {
    return state_->error;
}

std::string tempPath() {
    const char* variable = std::getenv("TMPDIR");
    std::string path = variable != nullptr && *variable != '\0' ? variable : "/tmp";
    if (path.back() != '/') {
        path += '/';
    }
    return path;
}

unsigned long createUniqueTempFile(const std::string& directory, const std::string& prefix,
                                   std::string& path) {
    std::string base = directory;
    if (!base.empty() && base.back() != '/') {
        base += '/';
    }
    base += prefix.substr(0, 3);
    unsigned& next = nextUniqueNumber();
    for (unsigned attempt = 0; attempt < kUniqueNumbers; ++attempt) {
        const unsigned number = next;
        next = (next + 1) % kUniqueNumbers;
        if (number == 0) {
            continue;  // 0 is not a unique number, as on Windows
        }
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "%X.tmp", number);
        const std::string candidate = base + suffix;
        // O_EXCL: the name is ours only when this call created the file.
        const int descriptor =
            open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (descriptor >= 0) {
            close(descriptor);
            path = candidate;
            return 0;
        }
        if (errno != EEXIST) {
            return static_cast<unsigned long>(errno);
        }
    }
    return EEXIST;
}

bool isTransientAccessDenial(unsigned long) {
    // A permission refused here stays refused: waiting does not help.
    return false;
}

std::string freeSpaceRoot(const std::string& directory) {
    return directory.empty() ? "." : directory;
}

bool diskFreeSpace(const std::string& root, DiskSpace& space) {
    struct statvfs status;
    if (statvfs(root.c_str(), &status) != 0) {
        return false;
    }
    space.sectorsPerCluster = 1;
    space.bytesPerSector = status.f_frsize != 0 ? status.f_frsize : status.f_bsize;
    space.freeClusters = status.f_bavail;
    space.totalClusters = status.f_blocks;
    return true;
}

bool logicalDriveStrings(std::vector<std::string>& roots) {
    // One tree holds every mounted file system; scanning each mount point as
    // well would walk the same files twice.
    roots.assign(1, "/");
    return true;
}

DriveType driveType(const std::string& root) {
    struct stat status;
    return stat(root.c_str(), &status) == 0 && S_ISDIR(status.st_mode) ? DriveType::kFixed
                                                                       : DriveType::kOther;
}

bool shortPathName(const std::string& path, std::string& shortPath) {
    shortPath = path;
    return true;
}

std::string windowsDirectory() {
    return std::string();
}

std::string currentDirectory() {
    std::string path(256, '\0');
    while (getcwd(&path[0], path.size()) == nullptr) {
        if (errno != ERANGE) {
            return std::string();
        }
        path.resize(path.size() * 2);
    }
    path.resize(path.find('\0'));
    return path;
}

}  // namespace platform
