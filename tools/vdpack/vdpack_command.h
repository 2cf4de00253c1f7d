#pragma once
#include <ostream>
#include <string>
#include <vector>

// The vdpack program: `arguments` are the words after the program name.
// Returns the exit code: 0 on success, 1 after an error told on `err`.
int runVdpack(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

extern const char* const kVdpackHelp;
