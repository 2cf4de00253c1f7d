#include "jvm/registry_hint.h"

#include "base/launcher_exception.h"
#include "base/log.h"
#include "base/messages.h"
#include "platform/registry.h"
#include "platform/system.h"

namespace {

constexpr int kInvalidHiveMessage = 27;
constexpr int kInvalidHintMessage = 28;

struct HiveName {
    const char* name;
    platform::RegistryHive hive;
};

constexpr HiveName kHives[] = {
    {"HKEY_LOCAL_MACHINE", platform::RegistryHive::kLocalMachine},
    {"HKEY_CURRENT_USER", platform::RegistryHive::kCurrentUser},
    {"HKEY_USERS", platform::RegistryHive::kUsers},
    {"HKEY_CLASSES_ROOT", platform::RegistryHive::kClassesRoot},
    {"HKEY_CURRENT_CONFIG", platform::RegistryHive::kCurrentConfig},
};

bool findHive(const std::string& name, platform::RegistryHive& hive) {
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
    platform::RegistryHive hive;
    if (!findHive(hiveName, hive)) {
        throw LauncherException(formatMessage(kInvalidHiveMessage, {hiveName, path}));
    }
    const size_t valueStart = path.rfind('\\') + 1;
    const std::string keyPath = valueStart > hiveEnd + 1
                                    ? path.substr(hiveEnd + 1, valueStart - 1 - (hiveEnd + 1))
                                    : std::string();
    platform::RegistryRead read =
        platform::readRegistryString(hive, keyPath, path.substr(valueStart));
    if (read.keyOpened && read.status != 0) {
        read = platform::readRegistryString(hive, path.substr(hiveEnd + 1), std::string());
    }
    if (read.status != 0) {
        writeLog(formatMessage(kInvalidHintMessage, {platform::systemErrorText(read.status)}),
                 kLogWarning);
    } else if (!read.text.empty()) {
        result.push_back(read.text);
    }
    return result;
}
