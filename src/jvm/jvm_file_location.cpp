// Whether one location holds a JVM that a JVM file accepts.
#include "base/facade.h"
#include "base/file_exists.h"
#include "base/log.h"
#include "base/path_text.h"
#include "jvm/jvm_file_strategies.h"
#include "jvm/verify_command.h"
#include "jvm/verify_output.h"
#include "jvmfile/jvm_file.h"
#include "jvmfile/jvm_match.h"
#include "platform/system.h"
#include "tagfile/tag_file.h"
#include "tagfile/text_utils.h"

namespace {

const char* const kPropertiesTag = "JVM_PROPERTIES";
constexpr int kStepsPerMissingJvm = 2;
constexpr int kStepsPerVerification = 6;

}  // namespace

std::string homeOfExecutable(const std::string& path, const std::string& exe) {
    if (exe.empty() || path.size() <= exe.size() || !endsWith(path, exe) ||
        path[path.size() - exe.size() - 1] != platform::pathSeparator()) {
        return std::string();
    }
    return path.substr(0, path.size() - exe.size() - 1);
}

std::unique_ptr<JvmMatch> checkLocation(JvmFile& jvmFile, const std::string& home,
                                        const Verification& verification) {
    const std::string exe = jvmFile.jvmExe();
    if (exe.empty() || home.empty()) {
        return nullptr;
    }
    const SubStatusWrapper subStatus;
    showSubStatus(kSubStatusVerifying, jvmFile.description());
    const std::string jvmPath = ensureTrailingSeparator(home) + exe;
    writeLog("Verifying JVM at " + jvmPath + "\n   for JVM: " + jvmFile.description(), kLogInfo);
    if (!fileExists(jvmPath)) {
        writeLog(jvmPath + " does not exist", kLogInfo);
        advanceProgress(kStepsPerMissingJvm);
        return nullptr;
    }
    if (!verify(jvmFile, home, verification)) {
        return nullptr;
    }
    writeLog("Found matching JVM at " + home, kLogInfo);
    return std::make_unique<JvmMatch>(home, jvmFile.tags());
}

bool verify(JvmFile& jvmFile, const std::string& home, const Verification& verification) {
    TagFile& tags = jvmFile.tags();
    tags.setValue("JVM_HOME", home);
    std::vector<std::string> lines;
    for (int i = 0; i < tags.count(kPropertiesTag); ++i) {
        lines.push_back(tags.getValue(kPropertiesTag, i));
    }
    const VerifyCommand command =
        buildVerifyCommand(verification.classpath, verification.className, lines);
    for (const std::string& line : command.invalidLines) {
        writeLog(std::string("Invalid ") + kPropertiesTag + " setting (" + line + ") in JVM File " +
                     jvmFile.name(),
                 kLogWarning);
    }
    const std::string output = verification.runner.run(jvmFile, command.text);
    advanceProgress(kStepsPerVerification);
    return checkVerifyOutput(output, command.jvmProperties);
}
