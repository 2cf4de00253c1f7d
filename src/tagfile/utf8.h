#pragma once
#include <string>

// Whether the bytes are well-formed UTF-8: no overlong form, no surrogate
// (U+D800 to U+DFFF), nothing above U+10FFFF and no sequence cut short.
// Runs of ASCII are checked eight bytes at a time.
bool isUtf8(const std::string& bytes);
