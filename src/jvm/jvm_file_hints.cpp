// The hint strategies of a JVM file: environment variables, registry
// values, directory paths and the platform's own java directories; and the
// check of the file's own home.
#include "base/log.h"
#include "base/path_text.h"
#include "base/run_state.h"
#include "jvm/drive_file_finder.h"
#include "jvm/jvm_file_strategies.h"
#include "jvm/registry_hint.h"
#include "jvmfile/jvm_file.h"
#include "jvmfile/jvm_match.h"
#include "platform/environment.h"
#include "platform/java_paths.h"
#include "platform/system.h"
#include "tagfile/tag_file.h"
#include "tagfile/text_utils.h"

namespace {

const char* const kPropertiesTag = "JVM_PROPERTIES";

// Whether JVM_PROPERTIES names something to verify; warns when not.
bool propertiesGiven(const JvmFile& jvmFile) {
    if (!jvmFile.tag(kPropertiesTag).empty()) {
        return true;
    }
    writeLog("Unable to verify " + jvmFile.name() + " because the " + kPropertiesTag +
                 " tag was not specified.",
             kLogWarning);
    return false;
}

// Logs the search's start, or the warning when there is nothing to verify.
bool startHintSearch(const JvmFile& jvmFile, const std::string& kind) {
    if (!propertiesGiven(jvmFile)) {
        return false;
    }
    writeLog("Searching for " + jvmFile.description() + kind, kLogInfo);
    return true;
}

}  // namespace

std::unique_ptr<JvmMatch> verifyOwnHome(JvmFile& jvmFile, const Verification& verification) {
    if (!propertiesGiven(jvmFile)) {
        return nullptr;
    }
    return checkLocation(jvmFile, jvmFile.tag("JVM_HOME"), verification);
}

std::unique_ptr<JvmMatch> searchEnvironmentHints(JvmFile& jvmFile,
                                                 const Verification& verification) {
    const TagFile& tags = jvmFile.tags();
    const char* const hintTag = "ENV_HINT";
    if (tags.count(hintTag) == 0 || !startHintSearch(jvmFile, " using environment hints")) {
        return nullptr;
    }
    for (int i = 0; i < tags.count(hintTag); ++i) {
        const std::string name = tags.getValue(hintTag, i);
        const std::string home = name.empty() ? std::string() : platform::getEnvironment(name);
        if (home.empty()) {
            continue;
        }
        writeLog(
            "Checking JVM at " + home + " which was resolved from environment variable " + name,
            kLogInfo);
        if (auto match = checkLocation(jvmFile, home, verification)) {
            return match;
        }
    }
    return nullptr;
}

std::unique_ptr<JvmMatch> searchPlatformHints(JvmFile& jvmFile, const Verification& verification) {
    if (!startHintSearch(jvmFile, " using platform hints")) {
        return nullptr;
    }
    const TagFile& tags = jvmFile.tags();
    const char* const hintTag = "PLATFORM_HINT";
    for (int i = 0; i < tags.count(hintTag); ++i) {
        const std::string hint = tags.getValue(hintTag, i);
        if (hint.empty()) {
            continue;
        }
        for (const std::string& home : readRegistryValue(hint)) {
            writeLog("Checking JVM at " + home + " which was resolved from platform hint " + hint,
                     kLogInfo);
            if (auto match = checkLocation(jvmFile, home, verification)) {
                return match;
            }
        }
    }
    return nullptr;
}

std::unique_ptr<JvmMatch> searchPathHints(JvmFile& jvmFile, const Verification& verification) {
    if (!startHintSearch(jvmFile, " using path hints")) {
        return nullptr;
    }
    const TagFile& tags = jvmFile.tags();
    const char* const hintTag = "PATH_HINT";
    const char separator = platform::pathSeparator();
    // The drives are read once, and only for a hint that needs them.
    std::vector<std::string> drives;
    bool drivesRead = false;
    for (int i = 0; i < tags.count(hintTag); ++i) {
        const std::string hint = tags.getValue(hintTag, i);
        if (hint.empty() || hint[0] != separator) {
            // Beside the launcher: a JVM that came with it.
            if (auto match = checkLocation(jvmFile, joinPath(launcherDir(), hint), verification)) {
                match->setJvmTemp(true);
                return match;
            }
            continue;
        }
        if (!drivesRead) {
            drives = logicalDrives();
            drivesRead = true;
        }
        for (const std::string& drive : drives) {
            const std::string candidate = drive + hint;
            writeLog("Checking path hint " + candidate, kLogInfo);
            if (auto match = checkLocation(jvmFile, candidate, verification)) {
                return match;
            }
        }
    }
    return nullptr;
}

std::unique_ptr<JvmMatch> searchPlatformPaths(JvmFile& jvmFile, const Verification& verification) {
    if (!startHintSearch(jvmFile, " using platform specific JVM Path hints")) {
        return nullptr;
    }
    const std::string exe = jvmFile.jvmExe();
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
        if (auto match = checkLocation(jvmFile, candidate, verification)) {
            return match;
        }
    }
    return nullptr;
}
