#pragma once
#include <string>

// The text as one argument of a command line: enclosed in double quotes, with
// a double quote inside it and the backslashes in front of one escaped, so
// that the program started reads the text back unchanged.
std::string quotedArgument(const std::string& text);
