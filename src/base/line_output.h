#pragma once
#include <cstdio>
#include <string>

// Writes the text, up to its first NUL, and a line feed to the stream; false
// when a write failed.  The printf family would do the same at the price of
// the C runtime's whole formatting engine in the program image.
bool writeLine(std::FILE* stream, const std::string& text);
