#include "payload/tree_deleter.h"

#include "base/log.h"
#include "base/path_compare.h"
#include "base/path_text.h"
#include "platform/file_system.h"
#include "platform/system.h"

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

bool deletePath(const std::string& path) {
    platform::FileAttributes attributes;
    const bool known = platform::readFileAttributes(path, attributes);
    if (known && attributes.readOnly) {
        platform::clearReadOnly(path);
    }
    const bool removed = !known || attributes.directory ? platform::removeDirectory(path)
                                                        : platform::deleteFile(path);
    if (!removed) {
        writeLog("Could not delete " + path + " :  " +
                     platform::systemErrorText(platform::lastErrorCode()),
                 kLogWarning);
    }
    return removed;
}

void deleteFileOrTree(const std::string& path) {
    platform::FileAttributes attributes;
    if (!platform::readFileAttributes(path, attributes)) {
        return;
    }
    if (attributes.directory && !attributes.link) {
        TreeDeleter().walk(path);
    } else {
        deletePath(path);
    }
}
