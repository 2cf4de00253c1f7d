// The hint strategies of a JVM file: registry values, directory paths and
// the platform's own java directories.
#include "jvm/verification_runner.h"
#include "jvmfile/jvm_file.h"
#include "jvmfile/jvm_match.h"
#include "launcher/log.h"
#include "launcher/run_state.h"
#include "platform/java_paths.h"
#include "platform/platform_queries.h"
#include "platform/system.h"
#include "tagfile/tag_file.h"
#include "tagfile/text_utils.h"

std::unique_ptr<JvmMatch> JvmFile::searchPlatformHints(const Verification& verification) {
    if (!startHintSearch(" using platform hints")) {
        return nullptr;
    }
    const char* const hintTag = "PLATFORM_HINT";
    for (int i = 0; i < tags().count(hintTag); ++i) {
        const std::string hint = tags().getValue(hintTag, i);
        if (hint.empty()) {
            continue;
        }
        for (const std::string& home : platform::readRegistryValue(hint)) {
            writeLog("Checking JVM at " + home + " which was resolved from platform hint " + hint,
                     kLogInfo);
            if (auto match = checkLocation(home, verification)) {
                return match;
            }
        }
    }
    return nullptr;
}

std::unique_ptr<JvmMatch> JvmFile::searchPathHints(const Verification& verification) {
    if (!startHintSearch(" using path hints")) {
        return nullptr;
    }
    const char* const hintTag = "PATH_HINT";
    const char separator = platform::pathSeparator();
    std::vector<std::string> drives;
    bool drivesRead = false;
    for (int i = 0; i < tags().count(hintTag); ++i) {
        const std::string hint = tags().getValue(hintTag, i);
        if (hint.empty() || hint[0] != separator) {
            // Beside the launcher: a JVM that came with it.
            if (auto match = checkLocation(joinPath(launcherDir(), hint), verification)) {
                match->setJvmTemp(true);
                return match;
            }
            continue;
        }
        if (!drivesRead) {
            drives = platform::logicalDrives();
            drivesRead = true;
        }
        for (const std::string& drive : drives) {
            const std::string candidate = drive + hint;
            writeLog("Checking path hint " + candidate, kLogInfo);
            if (auto match = checkLocation(candidate, verification)) {
                return match;
            }
        }
    }
    return nullptr;
}

std::unique_ptr<JvmMatch> JvmFile::searchPlatformPaths(const Verification& verification) {
    if (!startHintSearch(" using platform specific JVM Path hints")) {
        return nullptr;
    }
    const std::string exe = jvmExe();
    const size_t lastSeparator = exe.rfind(platform::pathSeparator());
    const std::string jvmExeSubdir =
        lastSeparator == std::string::npos ? std::string() : exe.substr(0, lastSeparator + 1);
    for (const std::string& path : platform::javaProgramDirectories()) {
        if (path.empty()) {
            continue;
        }
        std::string candidate = ensureTrailingSeparator(path);
        if (!jvmExeSubdir.empty() && endsWith(candidate, jvmExeSubdir)) {
            candidate.erase(candidate.size() - jvmExeSubdir.size());
        }
        writeLog("Checking JVM at " + candidate +
                     " which was resolved from the platform JVM path " + path,
                 kLogInfo);
        if (auto match = checkLocation(candidate, verification)) {
            return match;
        }
    }
    return nullptr;
}
