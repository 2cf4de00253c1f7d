// The commands of the script language: each reads and tests its arguments
// in order, then does its work.
#include "base/facade.h"
#include "base/launcher_exception.h"
#include "instructions/embedded_launcher.h"
#include "instructions/instruction_interpreter.h"
#include "instructions/variable_reference.h"
#include "jvm/jvm_installation.h"
#include "payload/launcher_file.h"
#include "tagfile/text_utils.h"

void InstructionInterpreter::gotoCommand(ScriptLine& line) {
    const std::string label = nextToken(line);
    if (line.failed) {
        raiseInstructionError("The GOTO command requires a label as its only argument.");
    }
    currentLine_ = findLabel(label);
}

void InstructionInterpreter::initializeUiCommand(ScriptLine&) {
    showStatus(kStatusInitializing);
    showSubStatus(kSubStatusNone, std::string());
    showProgressWindow();
}

void InstructionInterpreter::installJvmCommand(ScriptLine& line) {
    const char* const usage = "The first argument to INSTALL_JVM should be a 0, 1 or 2.";
    const std::string argument = nextToken(line);
    if (line.failed) {
        raiseInstructionError(usage);
    }
    const int32_t mode = parseNumber(argument, std::string());
    if (mode < kInstallHidden || mode > kInstallIntoChosenDirectory) {
        raiseInstructionError(usage);
    }
    installJvm(launcherFile(), static_cast<JvmInstallMode>(mode));
}

void InstructionInterpreter::jmp0Command(ScriptLine& line) {
    // The value is parsed before the label is read; a missing value reaches
    // parseNumber as an empty text.
    const std::string value = nextToken(line);
    const int32_t number = parseNumber(value, "The second argument to JMP0 must be numeric.");
    const std::string label = nextToken(line);
    if (line.failed) {
        raiseInstructionError("JMP0 requires a jump label as its second argument.");
    }
    if (number == 0) {
        currentLine_ = findLabel(label);
    }
}

void InstructionInterpreter::setCommand(ScriptLine& line) {
    if (line.position >= static_cast<long>(line.text.size())) {
        raiseInstructionError("Malformed SET statement.");
    }
    const std::string statement = trim(line.text.substr(line.position));
    const size_t equals = statement.find('=');
    if (equals == std::string::npos) {
        raiseInstructionError("SET statement is missing =.");
    }
    // Errors of the reference, the value and the assignment carry the line
    // number too.
    try {
        const VariableReference variable = VariableReference::parse(
            trim(statement.substr(0, equals)),
            "Invalid variable specified on left hand side of SET statement.");
        std::string value = trim(statement.substr(equals + 1));
        evaluateString(value, "Invalid expression specified for SET command");
        variable.assign(value, "Invalid value specified for SET command");
    } catch (const LauncherException& e) {
        raiseInstructionError(e.text());
    }
}

void InstructionInterpreter::executeLauncherCommand(ScriptLine& line) {
    const std::string argument = nextToken(line);
    if (line.failed) {
        raiseInstructionError(
            "The EXECUTE_LAUNCHER command requires the position of the embedded launcher in the "
            "file index as its only argument.");
    }
    executeEmbeddedLauncher(launcherFile(), parseNumber(argument, std::string()));
}
