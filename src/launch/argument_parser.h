#pragma once
#include <cstddef>
#include <string>
#include <vector>

// Reads the argument list of a function call at `position` of the text: "("
// then quoted arguments separated by commas, then ")"; blanks may stand
// between them, "()" is empty, a comma before ")" is allowed.  A doubled
// double quote inside an argument stands for one.  The position moves behind
// the ")" (to the end of the text when the last argument ends there).  A
// malformed list throws ArgumentListError with the position where the
// failing step began; an argument without its closing quote throws
// LauncherException "Expected double quote to end argument near N".
std::vector<std::string> parseArguments(const std::string& text, size_t& position);

struct ArgumentListError {
    const char* message;  // "Expected left parenthesis." and the like
    size_t position;
};
