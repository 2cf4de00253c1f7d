#pragma once
#include <string>

// Text utilities shared by the tag file reader and the rest of the launcher.

extern const char* const kBlanks;  // " \t\n\r"

bool isBlank(char c);
// White space as the C library's isspace sees it in the "C" locale: the
// blanks, vertical tab and form feed.
bool isWhiteSpace(char c);
// Removes the given characters (by default the blanks) from both ends.
std::string trim(const std::string& text, const char* characters = kBlanks);

// Reads from a position of a text up to a line feed or the end of the text;
// the line feed is consumed and not kept, carriage returns are dropped.  The
// characters are appended to `line`, which is then trimmed.  The position
// moves past the line feed (to text.size() at the end).  Returns false when
// the position was at the end.
bool readLine(const std::string& text, size_t& position, std::string& line);

// Reads one argument at `position`.  Quoted mode (position just after an
// opening double quote): a pair of double quotes stands for one, the first
// single one ends the argument; throws LauncherException "Expected double
// quote to end argument near <position>" when none does.  Plain mode: up to
// the first blank.  The position moves behind the argument; -1 at the end.
std::string readArgument(const std::string& text, long& position, bool quoted);

// Skips white space and returns the characters up to the next white space;
// the position moves one past that character.
std::string nextWord(const std::string& text, long& position);

std::string toDecimal(long value);
bool endsWith(const std::string& text, const std::string& suffix);
