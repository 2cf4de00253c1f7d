#include "base/file_exists.h"

#include "base/log.h"
#include "platform/file_system.h"
#include "platform/system.h"

bool fileExists(const std::string& path) {
    switch (platform::testOpenForReading(path)) {
        case platform::OpenTest::kOpened:
        case platform::OpenTest::kInUse:
            return true;
        case platform::OpenTest::kMissing:
            return false;
        case platform::OpenTest::kFailed:
            break;
    }
    writeLog(platform::systemErrorText(platform::lastErrorCode()), kLogInfo);
    return false;
}
