#include "platform/file_walker.h"

#include "launcher/facade.h"
#include "launcher/launcher_exception.h"
#include "launcher/log.h"
#include "payload/workspace.h"
#include "platform/file_system.h"
#include "platform/path_compare.h"
#include "platform/platform_queries.h"
#include "platform/system.h"
#include "tagfile/text_utils.h"

namespace platform {

namespace {

constexpr int kFilesPerProgressStep = 100;
const std::string kRecyclePrefix = "RECYCLE";

}  // namespace

bool FileWalker::cancelled() const {
    return cancellable_ && cancelRequested();
}

bool FileWalker::skipDirectory(const std::string&) {
    return false;
}

bool FileWalker::walk(const std::string& start) {
    visited_.clear();
    pending_.assign(1, start);
    bool stop = false;
    long filesVisited = 0;
    std::string path;
    while (!pending_.empty() && !stop && !cancelled()) {
        visited_.push_back(std::move(pending_.back()));
        pending_.pop_back();
        const std::string directory = ensureTrailingSeparator(visited_.back());
        if (skipDirectory(directory)) {
            continue;
        }
        DirectoryListing listing(directory);
        if (!listing.started()) {
            continue;
        }
        while (!stop && !cancelled() && listing.next()) {
            path.assign(directory).append(listing.name());
            if (listing.isDirectory()) {
                pending_.push_back(path);
                continue;
            }
            stop = visitFile(path);
            if (++filesVisited % kFilesPerProgressStep == 0) {
                advanceProgress(1);
            }
        }
        if (listing.error() != 0) {
            throw LauncherException(systemErrorText(listing.error()));
        }
    }
    return stop;
}

DriveFileFinder::DriveFileFinder(const std::vector<std::string>& names, FileFoundHandler& handler)
    : FileWalker(true),
      names_(names),
      handler_(handler),
      tempDirectory_(ensureTrailingSeparator(::tempDirectory())) {}

bool DriveFileFinder::visitFile(const std::string& path) {
    const char separator = pathSeparator();
    for (const std::string& name : names_) {
        if (!endsWithIgnoringCase(path, name)) {
            continue;
        }
        const size_t rest = path.size() - name.size();
        if ((rest == 0 || path[rest - 1] == separator) && handler_.onFileFound(path)) {
            return true;
        }
    }
    return false;
}

bool DriveFileFinder::skipDirectory(const std::string& directory) {
    if (equalsIgnoringCase(directory, tempDirectory_)) {
        return true;
    }
    if (directory.size() > 3 && directory[1] == ':') {
        // At the top of a drive: the recycle bins of every Windows version
        // ("X:\RECYCLE...", "X:\$Recycle.Bin") and the system's restore data.
        const std::string below = directory.substr(3);
        return startsWithIgnoringCase(below, kRecyclePrefix) ||
               equalsIgnoringCase(below, "$Recycle.Bin\\") ||
               equalsIgnoringCase(below, "System Volume Information\\");
    }
    // The kernel's own file systems on a POSIX root, which hold no programs
    // and change while they are listed.
    return directory == "/proc/" || directory == "/sys/";
}

bool TreeDeleter::visitFile(const std::string& path) {
    deletePath(path);
    return false;
}

bool TreeDeleter::walk(const std::string& start) {
    const bool result = FileWalker::walk(start);
    const std::vector<std::string>& visited = visitedDirectories();
    for (auto directory = visited.rbegin(); directory != visited.rend(); ++directory) {
        // A directory holding one that could not be removed cannot be
        // removed either; trying would only log the same trouble again.
        const std::string prefix = ensureTrailingSeparator(*directory);
        bool holdsFailure = false;
        for (const std::string& failed : failed_) {
            holdsFailure = holdsFailure || startsWithIgnoringCase(failed, prefix);
        }
        if (!holdsFailure && !deletePath(*directory)) {
            failed_.push_back(prefix);
        }
    }
    return result;
}

bool findOnAllDrives(const std::vector<std::string>& names, FileFoundHandler& handler) {
    DriveFileFinder finder(names, handler);
    for (const std::string& drive : logicalDrives()) {
        if (finder.walk(drive + pathSeparator())) {
            return true;
        }
    }
    return false;
}

bool deletePath(const std::string& path) {
    FileAttributes attributes;
    const bool known = readFileAttributes(path, attributes);
    if (known && attributes.readOnly) {
        clearReadOnly(path);
    }
    const bool removed = !known || attributes.directory ? removeDirectory(path) : deleteFile(path);
    if (!removed) {
        writeLog("Could not delete " + path + " :  " + systemErrorText(lastErrorCode()),
                 kLogWarning);
    }
    return removed;
}

void deleteFileOrTree(const std::string& path) {
    FileAttributes attributes;
    if (!readFileAttributes(path, attributes)) {
        return;
    }
    if (attributes.directory && !attributes.link) {
        TreeDeleter().walk(path);
    } else {
        deletePath(path);
    }
}

}  // namespace platform
