#include "jvm/verify_jvm.h"

#include "base/facade.h"
#include "base/log.h"
#include "base/messages.h"
#include "base/variable_store.h"
#include "jvm/jvm_file_strategies.h"
#include "jvm/jvm_search.h"
#include "tagfile/tag_file.h"

namespace {

constexpr int kJvmNotValidMessage = 21;

}  // namespace

void verifyJvm(JvmSearch& search, bool showUi, bool showFailure, TagFile& tags,
               const std::string& home) {
    setNumber(1, 0);
    JvmFile jvmFile(tags);
    if (showUi) {
        showSubStatus(kSubStatusVerifying, jvmFile.description());
    }
    const Verification verification = search.verifyClass();
    const auto match = home.empty() ? verifyOwnHome(jvmFile, verification)
                                    : checkLocation(jvmFile, home, verification);
    if (match) {
        const std::string jvmHome = tags.getValue("JVM_HOME");
        setNumber(1, 1);
        setText(1, jvmHome);
        writeLog("After VERIFY, the jvm home is " + jvmHome, kLogInfo);
        return;
    }
    if (showFailure) {
        reportMessage(loadMessage(kJvmNotValidMessage));
    }
    writeLog("In VERIFY, the jvm is invalid.", kLogInfo);
}
