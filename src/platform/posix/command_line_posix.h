#pragma once
#include <string>
#include <vector>

namespace platform {

// Splits a command line into arguments by the rules that programs built with
// the Windows C runtime apply to theirs, so that one command line means the
// same on both systems:
// - arguments are separated by blanks and tabs outside double quotes;
// - 2n backslashes before a double quote give n backslashes and the quote
//   opens or closes a quoted part, 2n+1 give n backslashes and a literal
//   quote, and backslashes before anything else are ordinary characters;
//   inside a quoted part a doubled double quote gives a literal one.
// The Windows C runtime lets double quotes only group in the first argument,
// the program path, since no Windows file name holds one.  A POSIX file name
// may hold a double quote or end with a backslash, so here the program path
// follows the rules of every argument, and a path quoted as an argument is
// (quotedArgument) names its file whatever it holds.
std::vector<std::string> splitCommandLine(const std::string& commandLine);

}  // namespace platform
