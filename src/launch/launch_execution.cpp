// Running the expanded launch command: the command line around the
// template, the environment java gets, its directory, and what is logged.
#include "base/launcher_exception.h"
#include "base/log.h"
#include "base/run_state.h"
#include "jvmfile/jvm_file.h"
#include "launch/launch_script.h"
#include "launch/process_runner.h"
#include "launch/quoted_argument.h"
#include "payload/launcher_file.h"
#include "platform/environment.h"
#include "tagfile/tag_file.h"
#include "tagfile/text_utils.h"

namespace {

const char* const kJavaHome = "JAVA_HOME";

// What each of stdOut and errOut keeps at most: the latest output, so that
// a program that writes without end cannot use up the memory.
constexpr std::size_t kCapturedOutputLimit = 4 * 1024 * 1024;

// Sets JAVA_HOME for the run and puts back what was there before, unset
// included, however the run ends.
class JavaHomeScope {
public:
    explicit JavaHomeScope(const std::string& jvmHome)
        : wasSet_(platform::hasEnvironment(kJavaHome)),
          saved_(platform::getEnvironment(kJavaHome)) {
        platform::setEnvironment(kJavaHome, jvmHome);
    }
    ~JavaHomeScope() {
        if (wasSet_) {
            platform::setEnvironment(kJavaHome, saved_);
        } else {
            platform::unsetEnvironment(kJavaHome);
        }
    }
    JavaHomeScope(const JavaHomeScope&) = delete;
    JavaHomeScope& operator=(const JavaHomeScope&) = delete;

private:
    bool wasSet_;
    std::string saved_;
};

// SET_ENV_FOR_WIZARD: each line NAME=value sets a variable that stays set.
void setWizardEnvironment(const TagFile& tags) {
    const char* const tag = "SET_ENV_FOR_WIZARD";
    for (int i = 0; i < tags.count(tag); ++i) {
        const std::string line = trim(tags.getValue(tag, i));
        const size_t equals = line.find('=');
        const std::string name = trim(line.substr(0, equals));
        if (name.empty()) {
            continue;  // also a line "=value": no variable has an empty name
        }
        platform::setEnvironment(
            name, equals == std::string::npos ? std::string() : trim(line.substr(equals + 1)));
    }
}

bool takesWizardEnvironment(int launcherKind) {
    return launcherKind == 0 || launcherKind == 2;
}

}  // namespace

std::string LaunchScript::workingDirectory() const {
    if (!autoSetWorkingDir_) {
        return std::string();
    }
    // The directory of the launcher file; a launcher in a root directory
    // keeps the root's separator ("C:\", "/"), which alone names the root.
    const std::string& launcher = launcherFileName();
    const size_t separator = launcher.find_last_of("/\\");
    if (separator == std::string::npos) {
        return std::string();
    }
    const bool root = separator == 0 || (separator == 2 && launcher[1] == ':');
    return launcher.substr(0, root ? separator + 1 : separator);
}

int LaunchScript::execute(JvmFile& jvmFile, const std::vector<std::string>* appArgs,
                          bool forceConsole) {
    const std::string jvmHome = jvmFile.tag("JVM_HOME");
    if (jvmHome.find('"') != std::string::npos) {
        // It would end the quoted program path and start arguments of its own.
        throw LauncherException("The JVM home (" + jvmHome + ") holds a double quote.");
    }
    if (command_.size() >= 11 && command_.compare(1, 10, "@JVM_HOME@") == 0) {
        command_.erase(0, 11);
    }
    std::string launchCommand = '"' + jvmHome + expandCommand(jvmFile);
    if (appArgs != nullptr) {
        for (const std::string& argument : *appArgs) {
            launchCommand += ' ' + quotedArgument(argument);
        }
    }
    const std::string directory = workingDirectory();
    writeLog("Executing launch script command: " + launchCommand +
                 (directory.empty() ? " in current working directory"
                                    : " in working directory " + directory),
             kLogInfo);

    int exitCode = 0;
    // Without a console the output is always captured.
    const bool capture = !(displayConsole_ || forceConsole);
    {
        const JavaHomeScope javaHome(jvmHome);
        if (takesWizardEnvironment(readLauncherKind(launcherFileName()))) {
            setWizardEnvironment(jvmFile.tags());
        }
        exitCode =
            ProcessRunner(kCapturedOutputLimit)
                .run(launchCommand, directory, !capture, capture, true, &stdOut_, &errOut_, false);
    }
    if (capture) {
        writeLog("Output from the launch script execution", kLogInfo);
        writeLog("StdOut:", kLogInfo);
        writeLog(stdOut_, kLogInfo);
        writeLog("ErrOut:", kLogInfo);
        writeLog(errOut_, kLogInfo);
    }
    return exitCode;
}
