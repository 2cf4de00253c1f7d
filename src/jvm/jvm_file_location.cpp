// Whether one location holds a JVM that a JVM file accepts.
#include "jvm/verification_runner.h"
#include "jvm/verify_command.h"
#include "jvm/verify_output.h"
#include "jvmfile/jvm_file.h"
#include "jvmfile/jvm_match.h"
#include "launcher/facade.h"
#include "launcher/log.h"
#include "platform/platform_queries.h"
#include "tagfile/tag_file.h"
#include "tagfile/text_utils.h"

namespace {

const char* const kPropertiesTag = "JVM_PROPERTIES";
constexpr int kStepsPerMissingJvm = 2;
constexpr int kStepsPerVerification = 6;

}  // namespace

bool JvmFile::propertiesGiven() const {
    if (!tag(kPropertiesTag).empty()) {
        return true;
    }
    writeLog(
        "Unable to verify " + name() + " because the " + kPropertiesTag + " tag was not specified.",
        kLogWarning);
    return false;
}

bool JvmFile::startHintSearch(const std::string& kind) const {
    if (!propertiesGiven()) {
        return false;
    }
    writeLog("Searching for " + description() + kind, kLogInfo);
    return true;
}

std::unique_ptr<JvmMatch> JvmFile::verifyOwnHome(const Verification& verification) {
    if (!propertiesGiven()) {
        return nullptr;
    }
    return checkLocation(tag("JVM_HOME"), verification);
}

std::unique_ptr<JvmMatch> JvmFile::checkLocation(const std::string& home,
                                                 const Verification& verification) {
    const std::string exe = jvmExe();
    if (exe.empty() || home.empty()) {
        return nullptr;
    }
    const SubStatusWrapper subStatus;
    showSubStatus(kSubStatusVerifying, description());
    const std::string jvmPath = ensureTrailingSeparator(home) + exe;
    writeLog("Verifying JVM at " + jvmPath + "\n   for JVM: " + description(), kLogInfo);
    if (!platform::fileExists(jvmPath)) {
        writeLog(jvmPath + " does not exist", kLogInfo);
        advanceProgress(kStepsPerMissingJvm);
        return nullptr;
    }
    if (!verify(home, verification)) {
        return nullptr;
    }
    writeLog("Found matching JVM at " + home, kLogInfo);
    return std::make_unique<JvmMatch>(home, tags());
}

bool JvmFile::verify(const std::string& home, const Verification& verification) {
    tags().setValue("JVM_HOME", home);
    std::vector<std::string> lines;
    for (int i = 0; i < tags().count(kPropertiesTag); ++i) {
        lines.push_back(tags().getValue(kPropertiesTag, i));
    }
    const VerifyCommand command =
        buildVerifyCommand(verification.classpath, verification.className, lines);
    for (const std::string& line : command.invalidLines) {
        writeLog(std::string("Invalid ") + kPropertiesTag + " setting (" + line + ") in JVM File " +
                     name(),
                 kLogWarning);
    }
    const std::string output = verification.runner.run(*this, command.text);
    advanceProgress(kStepsPerVerification);
    return checkVerifyOutput(output, command.jvmProperties);
}
