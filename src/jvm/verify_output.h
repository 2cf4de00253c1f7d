#pragma once
#include <string>
#include <vector>

#include "jvm/verify_command.h"

// The line with which the verification class begins its output.
extern const char* const kVerifyMagicValue;

// Whether the output of a verification run shows the properties: lines up
// to the magic line are passed over, then each following line must match
// its property's value, exactly or, for a value ending in "...", by the
// text before the dots; a version comparison compares it as a version.  Output without the magic
// line is logged as an error; output that ends before every property was shown is compared as far
// as it goes.
bool checkVerifyOutput(const std::string& output, const std::vector<JvmProperty>& jvmProperties);
