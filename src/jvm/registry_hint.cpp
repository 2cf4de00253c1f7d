#include "jvm/registry_hint.h"

#include <algorithm>

#include "base/launcher_exception.h"
#include "base/log.h"
#include "base/messages.h"
#include "jvm/version_compare.h"
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

// The homes of one hint, collected over both registry views.  A read that
// succeeds anywhere keeps the failures elsewhere quiet; when none succeeds,
// the first failure is the one reported.
class HintReader {
public:
    HintReader(platform::RegistryHive hive, const std::string& valueName)
        : hive_(hive), valueName_(valueName) {}

    // Reads the value below every key that the key path names in the view:
    // each component "*" from position on stands for every subkey there,
    // newest version first.
    void readKeys(platform::RegistryView view, const std::string& keyPath, size_t position = 0) {
        const size_t wildcard = findWildcard(keyPath, position);
        if (wildcard == std::string::npos) {
            readValue(view, keyPath);
            return;
        }
        const std::string parent = keyPath.substr(0, wildcard == 0 ? 0 : wildcard - 1);
        const std::string rest = keyPath.substr(std::min(wildcard + 2, keyPath.size()));
        platform::RegistrySubkeys subkeys = platform::listRegistrySubkeys(hive_, view, parent);
        if (subkeys.status != 0) {
            noteFailure(subkeys.status);
        }
        sortNewestVersionFirst(subkeys.names);
        for (const std::string& name : subkeys.names) {
            // A subkey named "*" is a name, not another wildcard.
            const std::string key = parent.empty() ? name : parent + "\\" + name;
            readKeys(view, rest.empty() ? key : key + "\\" + rest, key.size() + 1);
        }
    }

    // The homes found, each once; warns when no value was read at all.
    std::vector<std::string> finish() const {
        if (!succeeded_ && failure_ != 0) {
            writeLog(formatMessage(kInvalidHintMessage, {platform::systemErrorText(failure_)}),
                     kLogWarning);
        }
        return homes_;
    }

private:
    // The position of the first component "*" of a key path that starts at
    // or after position, or npos.
    static size_t findWildcard(const std::string& keyPath, size_t position) {
        for (size_t start = position; start <= keyPath.size();) {
            const size_t end = std::min(keyPath.find('\\', start), keyPath.size());
            if (keyPath.compare(start, end - start, "*") == 0) {
                return start;
            }
            start = end + 1;
        }
        return std::string::npos;
    }

    // Reads the value of one key; when the key opens but the value does not
    // read, the key below named like the value and its default value.
    void readValue(platform::RegistryView view, const std::string& keyPath) {
        platform::RegistryRead read =
            platform::readRegistryString(hive_, view, keyPath, valueName_);
        if (read.keyOpened && read.status != 0) {
            const std::string whole = keyPath.empty() ? valueName_ : keyPath + "\\" + valueName_;
            read = platform::readRegistryString(hive_, view, whole, std::string());
        }
        if (read.status != 0) {
            noteFailure(read.status);
            return;
        }
        succeeded_ = true;
        if (!read.text.empty() &&
            std::find(homes_.begin(), homes_.end(), read.text) == homes_.end()) {
            homes_.push_back(read.text);
        }
    }

    void noteFailure(unsigned long status) {
        if (failure_ == 0) {
            failure_ = status;
        }
    }

    platform::RegistryHive hive_;
    std::string valueName_;
    std::vector<std::string> homes_;
    bool succeeded_ = false;
    unsigned long failure_ = 0;
};

}  // namespace

std::vector<std::string> readRegistryValue(const std::string& path) {
    if (path.empty()) {
        return {};
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
    HintReader reader(hive, path.substr(valueStart));
    reader.readKeys(platform::RegistryView::k64Bit, keyPath);
    reader.readKeys(platform::RegistryView::k32Bit, keyPath);
    return reader.finish();
}
