#pragma once
#include <string>

// "-vd:in <file>": loads the input file and the files it names, then
// performs its ACTION.  Returns whether the instruction script is to run
// after the options (ACTION RUN_INSTRUCTIONS).  An action that cannot be
// performed sets the exit code to -1.
bool processInputFile(const std::string& value, int& exitCode);
