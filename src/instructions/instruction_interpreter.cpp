#include "instructions/instruction_interpreter.h"

#include "instructions/instruction_line_hook.h"
#include "instructions/instructions_exception.h"
#include "tagfile/text_utils.h"

namespace {

const char* const kInstructionsTag = "INSTRUCTIONS";

}  // namespace

int InstructionInterpreter::run() {
    const int count = lineCount();
    currentLine_ = 0;
    lastLaunchResult_ = 0;
    while (currentLine_ < count) {
        runInstructionLineHook();
        executeLine(scriptLine(currentLine_));
        ++currentLine_;
    }
    return lastLaunchResult_;
}

void InstructionInterpreter::executeLine(const std::string& text) {
    using Command = void (InstructionInterpreter::*)(ScriptLine&);
    // Compared in this order, exactly and case-sensitively.
    static const struct {
        const char* name;
        Command execute;
    } kCommands[] = {
        {"FIND_JVM", &InstructionInterpreter::findJvmCommand},
        {"GOTO", &InstructionInterpreter::gotoCommand},
        {"ILAUNCH", &InstructionInterpreter::ilaunchCommand},
        {"INITIALIZE_UI", &InstructionInterpreter::initializeUiCommand},
        {"INSTALL_JVM", &InstructionInterpreter::installJvmCommand},
        {"JMP0", &InstructionInterpreter::jmp0Command},
        {"LAUNCH", &InstructionInterpreter::launchCommand},
        {"SET", &InstructionInterpreter::setCommand},
        {"VERIFY", &InstructionInterpreter::verifyCommand},
        {"EXECUTE_LAUNCHER", &InstructionInterpreter::executeLauncherCommand},
    };

    ScriptLine line(text);
    const std::string command = nextToken(line);
    if (line.failed) {
        raiseInstructionError("No command specified.");
    }
    if (command[0] == ':') {
        return;  // a label
    }
    for (const auto& known : kCommands) {
        if (command == known.name) {
            (this->*known.execute)(line);
            return;
        }
    }
    if (command != "//") {
        raiseInstructionError("Invalid command (" + command + "). ");
    }
}

std::string InstructionInterpreter::nextToken(ScriptLine& line) {
    long position = line.position;
    const std::string word = nextWord(line.text, position);
    if (word.empty()) {
        line.failed = true;  // the position stays where it was
    } else {
        line.position = position;
    }
    return word;
}

int InstructionInterpreter::findLabel(const std::string& name) {
    std::string label = ":" + name;
    substituteVariables(label, "Invalid label specified.");
    if (label == ":") {
        raiseInstructionError("Label " + name +
                              " resolved to a blank string. Labels cannot be blank.");
    }
    // The search starts at the second line, so a label on the first line is
    // never found.
    const int count = lineCount();
    for (int i = 1; i < count; ++i) {
        if (scriptLine(i) == label) {
            return i;
        }
    }
    raiseInstructionError("Label not found (" + name + ")");
}

void InstructionInterpreter::raiseInstructionError(const std::string& message) const {
    throw InstructionsException(message, currentLine_ + 1);
}

int InstructionInterpreter::lineCount() const {
    return instructions_.count(kInstructionsTag);
}

std::string InstructionInterpreter::scriptLine(int index) const {
    return instructions_.getValue(kInstructionsTag, index);
}
