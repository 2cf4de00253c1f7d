// LAUNCH and ILAUNCH: the Java program run with the launch script, for a
// JVM file on disk or one embedded in the launcher file.
#include "base/facade.h"
#include "base/log.h"
#include "base/run_state.h"
#include "instructions/instruction_interpreter.h"
#include "jvmfile/jvm_file.h"
#include "launch/launch_script.h"
#include "payload/launcher_file.h"

int16_t InstructionInterpreter::launchSeconds(ScriptLine& line, const char* missing) {
    const std::string seconds = nextToken(line);
    if (line.failed) {
        raiseInstructionError(missing);
    }
    return parseShortNumber(seconds, std::string());
}

int InstructionInterpreter::launchWith(JvmFile& jvmFile, int16_t seconds) {
    if (seconds > 0) {
        showStatus(kStatusRunning);
        showSubStatus(kSubStatusNone, std::string());
    }
    hideProgressWindow(seconds);
    RunState& run = runState();
    const int result = launchScript_->execute(jvmFile, &run.applicationArguments, run.javaConsole);
    run.failureMessage = launchScript_->errOut();
    return result;
}

void InstructionInterpreter::launchCommand(ScriptLine& line) {
    const std::string fileName =
        readLaunchArgument(line, "Invalid jvm file name specified in LAUNCH.");
    const int16_t seconds = launchSeconds(
        line,
        "The second argument to LAUNCH should be the number of seconds to display the UI during "
        "the launch.");
    lastLaunchResult_ = -1;
    if (launchScript_ == nullptr) {
        return;
    }
    TagFile tags(fileName);
    JvmFile jvmFile(tags);
    lastLaunchResult_ = launchWith(jvmFile, seconds);
}

void InstructionInterpreter::ilaunchCommand(ScriptLine& line) {
    const std::string fileId = nextToken(line);
    if (line.failed) {
        raiseInstructionError(
            "The first argument to ILAUNCH should be the file index number of the jvm file.");
    }
    const int32_t id = parseNumber(fileId, std::string());
    const int16_t seconds = launchSeconds(
        line,
        "The second argument to ILAUNCH should be the number of seconds to display the UI during "
        "the launch.");
    const FileIndexEntry* entry = launcherFile().entryWithId(id);
    if (launchScript_ == nullptr || entry == nullptr || entry->fileType != kFileJvm ||
        entry->tagFile == nullptr) {
        writeLog(
            "Unable to launch the internal launch script with the internal JVM file. Either the "
            "launch script or the JVM file is missing from the launcher.",
            kLogError);
        lastLaunchResult_ = -1;
        return;
    }
    JvmFile jvmFile(*entry->tagFile);
    lastLaunchResult_ = launchWith(jvmFile, seconds);
}
