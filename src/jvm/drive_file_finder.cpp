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
