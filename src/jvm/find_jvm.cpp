#include "jvm/find_jvm.h"

#include "base/facade.h"
#include "base/file_exists.h"
#include "base/launcher_exception.h"
#include "base/log.h"
#include "base/messages.h"
#include "base/variable_store.h"
#include "jvm/jvm_file_strategies.h"
#include "jvm/jvm_search.h"
#include "payload/launcher_file.h"
#include "platform/system.h"
#include "tagfile/tag_file.h"

namespace {

constexpr int kNoSuitableJvmMessage = 23;
constexpr int kSelectedNotJvmMessage = 37;

void setResult(bool found, const std::string& home, const std::string& jvmFile) {
    setText(1, home);
    setText(2, jvmFile);
    setNumber(1, found ? 1 : 0);
}

// Takes the java program the user chose as a JVM file of its own; nothing
// when the user chose none or a file that is no java program.
void takeUserChoice(JvmSearch& search) {
    if (const TagFile* message = launcherFile().jvmMessageTags()) {
        const std::string text = message->getValue("MESSAGE");
        writeLog(text, kLogInfo);
        reportMessage(text);
    }
    reportMessage(loadMessage(kNoSuitableJvmMessage));
    const std::string chosen = search.promptForJava();
    if (chosen.empty()) {
        return;
    }
    const std::string exe = std::string("bin") + platform::pathSeparator() + "java.exe";
    // The home is the directory above "bin": a file in "D:\xbin" has none.
    const std::string selectedJVMHome = homeOfExecutable(chosen, exe);
    if (!fileExists(chosen) || selectedJVMHome.empty()) {
        reportMessage(loadMessage(kSelectedNotJvmMessage));
        return;
    }
    writeLog("user selected JVM_HOME=" + selectedJVMHome, kLogInfo);
    TagFile tags;
    tags.setValue("JVM_HOME", selectedJVMHome);
    tags.setValue("JVM_EXE", exe);
    tags.setValue("CLASSPATH", " -cp ");
    tags.setValue("CLASSPATH_SEPARATOR", ";");
    tags.setValue("SYSTEM", " -D");
    tags.setValue("SYSTEM_SEPARATOR", "=");
    JvmMatch match(selectedJVMHome, tags);
    setResult(true, selectedJVMHome, match.writeJvmFile());
}

void searchAndReport(JvmSearch& search, bool showFailure) {
    MatchList matches;
    search.findMatch(matches);
    if (!matches.empty()) {
        JvmMatch& match = *matches.front();
        const std::string jvmFile = match.writeJvmFile();
        writeLog("Matching JVM home is " + match.home(), kLogInfo);
        writeLog("Matching JVM file is " + jvmFile, kLogInfo);
        setResult(true, match.home(), jvmFile);
        return;
    }
    if (showFailure && !cancelRequested()) {
        takeUserChoice(search);
    }
}

}  // namespace

void showSearchProgress(bool showUi) {
    if (showUi) {
        showStatus(kStatusSearching);
        showProgressWindow();
    } else {
        hideProgressWindow(0);
    }
}

void findJvm(JvmSearch& search, bool showUi, bool showFailure) {
    writeLog("Finding a JVM", kLogInfo);
    showSearchProgress(showUi);
    setResult(false, std::string(), std::string());
    try {
        searchAndReport(search, showFailure);
    } catch (const LauncherException& e) {
        const std::string text = loadMessage(kNoSuitableJvmMessage) + " " + e.text();
        writeLog(text, kLogError);
        if (showFailure) {
            reportMessage(text);
        }
        throw;
    }
}
