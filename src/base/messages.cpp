#include "base/messages.h"

#include <string>

#include "base/launcher_exception.h"
#include "platform/catalog.h"
#include "platform/system.h"

namespace {

// Message ids of the error codes 0 to 19.
constexpr int kCodeMessageIds[] = {8,  9,  10, 11, 12, 13, 14, 15, 16, 19,
                                   21, 22, 23, 37, 24, 29, 33, 34, 35, 36};

}  // namespace

std::string loadMessage(int id) {
    return id < 0 ? std::string() : platform::loadCatalogText(id);
}

std::string formatText(const std::string& format, const std::vector<std::string>& inserts) {
    std::string result;
    if (!platform::formatWithInserts(format, inserts, result)) {
        throw LauncherException("Format message failed. Err = " +
                                std::to_string(platform::lastErrorCode()));
    }
    return result;
}

std::string formatMessage(int id, const std::vector<std::string>& inserts) {
    return formatText(loadMessage(id), inserts);
}

std::string messageForCode(int code) {
    constexpr int count = sizeof kCodeMessageIds / sizeof kCodeMessageIds[0];
    return code >= 0 && code < count ? loadMessage(kCodeMessageIds[code]) : std::string();
}

std::string systemErrorText(unsigned long code) {
    return platform::systemErrorText(code);
}
