#pragma once
#include <string>

#include "tagfile/tag_file.h"

// Runs the instruction script: the values of the INSTRUCTIONS tag, one
// statement a line.
class InstructionInterpreter {
public:
    explicit InstructionInterpreter(const TagFile& instructions) : instructions_(instructions) {}

    // Executes the script from its first line; returns the result of the last
    // LAUNCH or ILAUNCH (0 when none ran).  Throws InstructionsException.
    int run();

private:
    const TagFile& instructions_;
    int currentLine_ = 0;
};
