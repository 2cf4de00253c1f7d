#pragma once
#include <cstdint>
#include <string>

// The names of the embedded file types, as the packer's command line and
// listing use them: INSTRUCTIONS for 0 ... JVMMESSAGE for 8.

// The type of a name or of a number 0 to 8; throws PackError for anything
// else.
int32_t fileTypeValue(const std::string& text);
// The name of a type 0 to 8; the number in decimal for any other value.
std::string fileTypeName(int32_t fileType);
