#include "app/input_file.h"

#include <memory>

#include "app/launcher_objects.h"
#include "app/run_launcher.h"
#include "app/service_actions.h"
#include "base/facade.h"
#include "base/launcher_exception.h"
#include "base/log.h"
#include "base/messages.h"
#include "jvm/jvm_search.h"
#include "payload/launcher_file.h"
#include "tagfile/tag_file.h"
#include "tagfile/tag_file_source.h"

namespace {

// The file name without one leading and one trailing double quote.
std::string unquoted(const std::string& value) {
    std::string name = value;
    if (!name.empty() && name.front() == '"') {
        name.erase(0, 1);
    }
    if (!name.empty() && name.back() == '"') {
        name.pop_back();
    }
    return name;
}

// Opens and parses the input file; syntax errors name it as written.
std::unique_ptr<TagFile> readInputFile(const std::string& value) {
    if (value.empty()) {
        throw LauncherException(messageForCode(kErrOpenInputFile));
    }
    // A file that cannot be read, a directory too, is one that cannot be
    // opened.
    std::string text;
    if (!readTagFileText(unquoted(value), text)) {
        throw LauncherException(messageForCode(kErrOpenInputFile));
    }
    writeLog("Loading input file " + value, kLogInfo);
    auto input = std::make_unique<TagFile>();
    input->parse(text, value);
    setLogFile(input->getValue("LOGFILE"));
    return input;
}

// Runs a load step; its failure is "<context><cause>", shown and thrown on.
template <typename Load>
void loadNamedFile(int errorCode, Load load) {
    try {
        load();
    } catch (const LauncherException& e) {
        throw LauncherException(messageForCode(errorCode) + e.text());
    }
}

void loadNamedFiles(const TagFile& input) {
    LauncherFile& file = launcherFile();
    if (input.count("INSTRUCTIONS") > 0) {
        loadNamedFile(kErrInstructionsFile, [&] {
            file.useInstructions(std::make_unique<TagFile>(input.getValue("INSTRUCTIONS")));
        });
    }
    if (input.count("LAUNCHSCRIPT") > 0) {
        loadNamedFile(kErrLaunchScript, [&] {
            file.useLaunchScript(std::make_unique<TagFile>(input.getValue("LAUNCHSCRIPT")));
        });
        applyProductTitle();
    }
    if (input.count("VERIFY_CLASSPATH") > 0 && input.count("VERIFY_CLASS_NAME") > 0) {
        launcherObjects().jvmSearch().setVerifyClass(input.getValue("VERIFY_CLASSPATH"),
                                                     input.getValue("VERIFY_CLASS_NAME"));
    }
    if (input.count("UI_TITLE") > 0) {
        applyProductTitle();
    }
    if (input.count("JVM") > 0) {
        file.useJvmFilesGiven();
        for (int i = 0; i < input.count("JVM"); ++i) {
            const std::string jvm = input.getValue("JVM", i);
            if (!jvm.empty()) {
                loadNamedFile(kErrJvmFile,
                              [&] { file.addJvmFile(std::make_unique<TagFile>(jvm)); });
            }
        }
    }
    // "-vd:extract" names the JVM message it wrote, like the other files.
    if (input.count("JVMMESSAGE") > 0) {
        loadNamedFile(kErrInstructionsFile, [&] {
            file.useJvmMessage(std::make_unique<TagFile>(input.getValue("JVMMESSAGE")));
        });
    }
}

}  // namespace

bool processInputFile(const std::string& value, int& exitCode) {
    std::unique_ptr<TagFile> input;
    try {
        input = readInputFile(value);
    } catch (const LauncherException& e) {
        reportMessage(messageForCode(kErrInputFile) + e.text());
        throw;
    }
    try {
        loadNamedFiles(*input);
    } catch (const LauncherException& e) {
        reportMessage(e.text());
        throw;
    }
    loadLauncherFile(true);

    const bool showProgress = input->getBool("SHOW_PROGRESS", false);
    const bool showFailure = input->getBool("SHOW_FAIL_MSG", false);
    if (showProgress || showFailure) {
        showProgressWindow();
    } else {
        hideProgressWindow(0);
    }
    if (showProgress) {
        setProgressPercent(0);
    }

    const std::string action = input->getValue("ACTION");
    if (action == "RUN_INSTRUCTIONS") {
        return true;
    }
    if (action == "SEARCH") {
        searchAction(showProgress, showFailure);
        setProgressPercent(100);
        return false;
    }
    if (action == "SEARCH_ALL") {
        searchAllAction(showProgress, showFailure);
        setProgressPercent(100);
        return false;
    }
    if (action == "VERIFY_JVM") {
        const std::string jvmFile = input->getValue("VERIFY_JVM_FILE");
        const std::string home = input->getValue("VERIFY_JVM_HOME");
        if (jvmFile.empty() || home.empty()) {
            writeLog(
                "TO execute the VERIFY_JVM action, you must also provide values in the input "
                "file for VERIFY_JVM_FILE and VERIFY_JVM_HOME.",
                kLogError);
            exitCode = -1;
            return false;
        }
        verifyAction(showProgress, showFailure, jvmFile, home);
        setProgressPercent(100);
        return false;
    }
    if (action == "INSTALL_JVM") {
        const std::string installer = input->getValue("INSTALL_JVM_EXE");
        const std::string destination = input->getValue("INSTALL_JVM_DEST");
        if (!installer.empty() && !destination.empty()) {
            installAction(showProgress, installer, destination);
        }
        setProgressPercent(100);
        return false;
    }
    const std::string message = messageForCode(kErrInvalidAction) + action;
    reportMessage(message);
    throw LauncherException(message);
}
