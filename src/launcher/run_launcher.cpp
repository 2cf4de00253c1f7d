#include "launcher/run_launcher.h"

#include "instructions/instruction_interpreter.h"
#include "instructions/instructions_exception.h"
#include "launcher/facade.h"
#include "launcher/launcher_exception.h"
#include "launcher/log.h"
#include "launcher/messages.h"
#include "launcher/run_state.h"
#include "payload/launcher_file.h"
#include "tagfile/text_utils.h"

const char* const kLauncherVersion = "2.52";

namespace {

// The state of one walk over the options.
struct OptionLoop {
    int exitCode = 0;
    bool runInstructions = true;
};

void loadLauncherFile(bool withTagFiles) {
    try {
        launcherFile().load(withTagFiles);
    } catch (const LauncherException& e) {
        throw LauncherException(messageForCode(kErrLoadIndex) + e.text());
    }
}

int runInstructions() {
    InstructionInterpreter* instructions = launcherFile().instructions();
    if (instructions == nullptr) {
        return -1;
    }
    try {
        return instructions->run();
    } catch (const InstructionsException& e) {
        throw LauncherException("Error in instructions. " + e.text() + " Line number (" +
                                toDecimal(e.lineNumber()) + ")");
    }
}

int runOptions(const std::vector<std::string>& arguments) {
    RunState& run = runState();
    OptionLoop loop;
    run.selfRemoval = false;
    setProgressPercent(0);
    const size_t count = arguments.size();
    for (size_t i = 0; i < count; ++i) {
        const std::string& option = arguments[i];
        const bool hasValue = i + 1 < count;
        if (option == "-vd:log") {
            if (hasValue) {
                setLogFile(arguments[++i]);
            } else {
                reportMessage(messageForCode(kErrLogFileMissing));
                loop.exitCode = -1;
            }
        } else if (option == "-vd:version") {
            reportMessage(kLauncherVersion);
            loop.runInstructions = false;
        } else {
            run.applicationArguments.push_back(option);
        }
    }
    if (loop.runInstructions) {
        if (!launcherFile().indexLoaded()) {
            loadLauncherFile(true);
        }
        loop.exitCode = runInstructions();
        setProgressPercent(100);
    }
    return loop.exitCode;
}

}  // namespace

int runLauncher(const std::vector<std::string>& arguments, const std::string& fileName) {
    RunState& run = runState();
    run.launcherFileName = fileName;
    run.originalLauncherFileName = fileName;
    run.launcherArguments.insert(run.launcherArguments.end(), arguments.begin(), arguments.end());
    try {
        return runOptions(arguments);
    } catch (const LauncherException& e) {
        reportMessage(e.text());
        writeLog(e.text(), kLogError);
        return -1;
    }
}
