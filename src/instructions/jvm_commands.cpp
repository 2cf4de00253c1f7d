// FIND_JVM and VERIFY: the commands that find and check a JVM.
#include "base/facade.h"
#include "base/launcher_exception.h"
#include "base/run_state.h"
#include "instructions/instruction_interpreter.h"
#include "jvm/find_jvm.h"
#include "jvm/verify_jvm.h"
#include "payload/launcher_file.h"
#include "tagfile/text_utils.h"

bool InstructionInterpreter::readFlag(ScriptLine& line, const char* usage) {
    const std::string argument = nextToken(line);
    if (line.failed) {
        raiseInstructionError(usage);
    }
    return parseBoolean(argument, std::string());
}

void InstructionInterpreter::findJvmCommand(ScriptLine& line) {
    const bool showUi = readFlag(line,
                                 "The first argument to FIND_JVM should be a 1 if the UI should be "
                                 "displayed or a 0 if the UI should be suppressed.");
    const bool showFailure = readFlag(
        line,
        "The second argument to FIND_JVM should be a 1 if a find failure message should be "
        "displayed in a UI or 0 if no message should be displayed.");
    findJvm(jvmSearch_, showUi, showFailure);
}

void InstructionInterpreter::verifyCommand(ScriptLine& line) {
    const bool showUi = readFlag(line,
                                 "The first argument to VERIFY should be a 1 if the UI should be "
                                 "displayed or a 0 if the UI should be suppressed.");
    const bool showFailure =
        readFlag(line,
                 "The second argument to VERIFY should be a 1 if a find failure message should be "
                 "displayed in a UI or 0 if no message should be displayed.");
    const std::string argument = nextToken(line);
    if (line.failed) {
        raiseInstructionError(
            "The third argument to VERIFY should be the file index number of the jvm file.");
    }
    const int32_t fileId = parseNumber(argument, std::string());
    if (showUi) {
        showStatus(kStatusSearching);
        showProgressWindow();
    } else {
        hideProgressWindow(0);
    }
    const std::string id = toDecimal(fileId);
    const FileIndexEntry* entry = launcherFile().entryWithId(fileId);
    if (entry == nullptr) {
        throw LauncherException("Cannot verify jvm file at index " + id +
                                " because it does not exist.");
    }
    if (entry->fileType != kFileJvm) {
        throw LauncherException(
            "To verify a JVM, use an index of a jvm file. The index passed in was " + id +
            " which corresponds to the file named " + entry->name);
    }
    if (!entry->tagFile) {
        throw LauncherException("The jvm file with file id " + id + " could not be read.");
    }
    verifyJvm(jvmSearch_, showUi, showFailure, *entry->tagFile, runState().javaHomeOption);
}
