#pragma once
#include <cstdint>
#include <string>

// Reads a signed decimal number the way a "%ld" or "%hd" scan does: leading
// white space (space, tab, line feed, vertical tab, form feed, carriage
// return) and one sign are accepted, the digits run up to the first other
// character and whatever follows is ignored.  Unlike a scan, a number outside
// the target type is refused rather than wrapped: both return false when no
// digit can be read or the number does not fit.
bool readInt32(const std::string& text, int32_t& value);
bool readInt16(const std::string& text, int16_t& value);
