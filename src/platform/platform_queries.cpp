#include "platform/platform_queries.h"

#include "launcher/launcher_exception.h"
#include "launcher/log.h"
#include "launcher/messages.h"
#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/system.h"

namespace platform {

namespace {

constexpr int kInvalidHiveMessage = 27;
constexpr int kInvalidHintMessage = 28;
constexpr int kNoDrivesMessage = 17;

struct HiveName {
    const char* name;
    RegistryHive hive;
};

constexpr HiveName kHives[] = {
    {"HKEY_LOCAL_MACHINE", RegistryHive::kLocalMachine},
    {"HKEY_CURRENT_USER", RegistryHive::kCurrentUser},
    {"HKEY_USERS", RegistryHive::kUsers},
    {"HKEY_CLASSES_ROOT", RegistryHive::kClassesRoot},
    {"HKEY_CURRENT_CONFIG", RegistryHive::kCurrentConfig},
};

bool findHive(const std::string& name, RegistryHive& hive) {
    for (const HiveName& entry : kHives) {
        if (name == entry.name) {
            hive = entry.hive;
            return true;
        }
    }
    return false;
}

}  // namespace

std::vector<std::string> readRegistryValue(const std::string& path) {
    std::vector<std::string> result;
    if (path.empty()) {
        return result;
    }
    // Registry paths are written with backslashes on every platform.
    const size_t start = path[0] == '\\' ? 1 : 0;
    const size_t hiveEnd = path.find('\\', start);
    const std::string hiveName =
        hiveEnd == std::string::npos ? std::string() : path.substr(start, hiveEnd - start);
    RegistryHive hive;
    if (!findHive(hiveName, hive)) {
        throw LauncherException(formatMessage(kInvalidHiveMessage, {hiveName, path}));
    }
    const size_t valueStart = path.rfind('\\') + 1;
    const std::string keyPath = valueStart > hiveEnd + 1
                                    ? path.substr(hiveEnd + 1, valueStart - 1 - (hiveEnd + 1))
                                    : std::string();
    RegistryRead read = readRegistryString(hive, keyPath, path.substr(valueStart));
    if (read.keyOpened && read.status != 0) {
        read = readRegistryString(hive, path.substr(hiveEnd + 1), std::string());
    }
    if (read.status != 0) {
        writeLog(formatMessage(kInvalidHintMessage, {systemErrorText(read.status)}), kLogWarning);
    } else if (!read.text.empty()) {
        result.push_back(read.text);
    }
    return result;
}

std::vector<std::string> logicalDrives() {
    std::vector<std::string> roots;
    if (!logicalDriveStrings(roots)) {
        throw LauncherException(loadMessage(kNoDrivesMessage));
    }
    std::vector<std::string> drives;
    for (const std::string& root : roots) {
        const DriveType type = driveType(root);
        if (!root.empty() && (type == DriveType::kFixed || type == DriveType::kRemote)) {
            drives.push_back(root.substr(0, root.size() - 1));
        }
    }
    return drives;
}

bool fileExists(const std::string& path) {
    switch (testOpenForReading(path)) {
        case OpenTest::kOpened:
        case OpenTest::kInUse:
            return true;
        case OpenTest::kMissing:
            return false;
        case OpenTest::kFailed:
            break;
    }
    writeLog(systemErrorText(lastErrorCode()), kLogInfo);
    return false;
}

}  // namespace platform
