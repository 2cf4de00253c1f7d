#include "jvm/drive_file_finder.h"

#include "base/launcher_exception.h"
#include "base/messages.h"
#include "base/path_compare.h"
#include "base/path_text.h"
#include "payload/workspace.h"
#include "platform/file_system.h"
#include "platform/system.h"

namespace {

constexpr int kNoDrivesMessage = 17;
const std::string kRecyclePrefix = "RECYCLE";

}  // namespace

DriveFileFinder::DriveFileFinder(const std::vector<std::string>& names, FileFoundHandler& handler)
    : FileWalker(true),
      names_(names),
      handler_(handler),
      tempDirectory_(ensureTrailingSeparator(tempDirectory())) {}

bool DriveFileFinder::visitFile(const std::string& path) {
    const char separator = platform::pathSeparator();
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
    // "X:\RECYCLE..." at the top of a drive: the recycle bin of any system.
    return directory.size() >= kRecyclePrefix.size() + 2 && directory[1] == ':' &&
           startsWithIgnoringCase(directory.substr(3), kRecyclePrefix);
}

std::vector<std::string> logicalDrives() {
    std::vector<std::string> roots;
    if (!platform::logicalDriveStrings(roots)) {
        throw LauncherException(loadMessage(kNoDrivesMessage));
    }
    std::vector<std::string> drives;
    for (const std::string& root : roots) {
        const platform::DriveType type = platform::driveType(root);
        if (!root.empty() &&
            (type == platform::DriveType::kFixed || type == platform::DriveType::kRemote)) {
            drives.push_back(root.substr(0, root.size() - 1));
        }
    }
    return drives;
}

bool findOnAllDrives(const std::vector<std::string>& names, FileFoundHandler& handler) {
    DriveFileFinder finder(names, handler);
    for (const std::string& drive : logicalDrives()) {
        if (finder.walk(drive + platform::pathSeparator())) {
            return true;
        }
    }
    return false;
}
