#include "app/run_launcher.h"

#include "app/input_file.h"
#include "app/launcher_objects.h"
#include "base/facade.h"
#include "base/launcher_exception.h"
#include "base/log.h"
#include "base/messages.h"
#include "base/run_state.h"
#include "instructions/instruction_interpreter.h"
#include "instructions/instructions_exception.h"
#include "payload/launcher_file.h"
#include "payload/workspace.h"
#include "tagfile/text_utils.h"

const char* const kLauncherVersion = "2.52";

namespace {

int runInstructions() {
    InstructionInterpreter* instructions = launcherObjects().instructions();
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

// "-vd:extract": every embedded file into the current directory.
void extractOnly() {
    loadLauncherFile(false);
    try {
        extractAll();
    } catch (const LauncherException& e) {
        throw LauncherException(messageForCode(kErrExtract) + e.text());
    }
    setProgressPercent(100);
}

// Walks the options from first to last; an option that takes a value takes
// the next argument, whatever it looks like.
class OptionLoop {
public:
    explicit OptionLoop(const std::vector<std::string>& arguments) : arguments_(arguments) {}

    int run() {
        runState().selfRemoval = false;
        setProgressPercent(0);
        for (next_ = 0; next_ < arguments_.size();) {
            handle(arguments_[next_++]);
        }
        if (runInstructions_) {
            if (!launcherFile().indexLoaded()) {
                loadLauncherFile(true);
            }
            exitCode_ = runInstructions();
            setProgressPercent(100);
        }
        return exitCode_;
    }

private:
    // The value of the option just read, or null at the end of the arguments.
    const std::string* value() {
        return next_ < arguments_.size() ? &arguments_[next_++] : nullptr;
    }

    void handle(const std::string& option) {
        RunState& run = runState();
        if (option == "-vd:log") {
            if (const std::string* file = value()) {
                setLogFile(*file);
            } else {
                reportMessage(messageForCode(kErrLogFileMissing));
                exitCode_ = -1;
            }
        } else if (option == "-vd:orig") {
            if (const std::string* file = value()) {
                run.originalLauncherFileName = *file;
                run.selfRemoval = true;
            } else {
                exitCode_ = -1;
                reportMessage("Missing original launcher file name.");
            }
        } else if (option == "-vd:tempdir") {
            if (const std::string* directory = value()) {
                setTempDirectory(*directory);
            }
        } else if (option == "-vd:silent") {
            setSilent(true);
        } else if (option == "-silent") {
            setSilent(true);
            run.applicationArguments.push_back(option);
        } else if (option == "-vd:javahome") {
            if (const std::string* directory = value()) {
                run.javaHomeOption = *directory;
            }
        } else if (option == "-vd:extract") {
            extractOnly();
            runInstructions_ = false;
        } else if (option == "-vd:in") {
            if (const std::string* file = value()) {
                runInstructions_ = processInputFile(*file, exitCode_);
            } else {
                reportMessage(messageForCode(kErrInputFileMissing));
                runInstructions_ = false;
                exitCode_ = -1;
            }
        } else if (option == "-vd:version") {
            reportMessage(kLauncherVersion);
            runInstructions_ = false;
        } else if (option == "-vd:javaconsole") {
            run.javaConsole = true;
        } else if (option == "-accessibility" || option == "-console") {
            run.javaConsole = true;
            run.applicationArguments.push_back("-console");
        } else if (option == "-cp:p") {
            if (const std::string* path = value()) {
                run.classpathPrefix = *path;
            }
        } else if (option == "-cp:a") {
            if (const std::string* path = value()) {
                run.classpathSuffix = *path;
            }
        } else {
            run.applicationArguments.push_back(option);
        }
    }

    const std::vector<std::string>& arguments_;
    size_t next_ = 0;
    int exitCode_ = 0;
    bool runInstructions_ = true;
};

}  // namespace

void loadLauncherFile(bool withTagFiles) {
    try {
        launcherFile().load(withTagFiles);
    } catch (const LauncherException& e) {
        throw LauncherException(messageForCode(kErrLoadIndex) + e.text());
    }
}

int runLauncher(const std::vector<std::string>& arguments, const std::string& fileName) {
    RunState& run = runState();
    run.launcherFileName = fileName;
    run.originalLauncherFileName = fileName;
    run.launcherArguments.insert(run.launcherArguments.end(), arguments.begin(), arguments.end());
    try {
        return OptionLoop(arguments).run();
    } catch (const LauncherException& e) {
        reportMessage(e.text());
        writeLog(e.text(), kLogError);
        return -1;
    }
}
