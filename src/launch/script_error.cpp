#include "launch/script_error.h"

#include "base/launcher_exception.h"
#include "base/log.h"

void scriptError(const std::string& text, const std::string& message) {
    writeLog("Launch command:", kLogInfo);
    writeLog(text, kLogInfo);
    throw LauncherException("Launch script error: " + message);
}
