#pragma once
// Command lines for the test programs built from this directory (their
// paths come from the compile definitions of the test_programs library).
#include <string>

// A program path in double quotes, as a command line starts.
inline std::string quotedProgram(const std::string& path) {
    return "\"" + path + "\"";
}

// The test child with the actions (test_child.cpp) after it.
inline std::string childCommand(const std::string& actions) {
    return quotedProgram(TEST_CHILD_PATH) + " " + actions;
}
