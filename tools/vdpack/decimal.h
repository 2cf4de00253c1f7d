#pragma once
#include <cstdint>
#include <string>

// A whole text as a signed 32-bit decimal number: an optional minus sign and
// digits, nothing else.  Throws PackError "<what> '<text>' is not a 32-bit
// decimal number" for anything else.
int32_t decimalValue(const std::string& text, const std::string& what);
