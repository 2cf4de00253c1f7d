#pragma once
#include <string>

// Paths in the cleanup lists and in the drive scan are compared without
// regard to case (ASCII letters).

bool equalsIgnoringCase(const std::string& a, const std::string& b);
bool startsWithIgnoringCase(const std::string& text, const std::string& prefix);
bool endsWithIgnoringCase(const std::string& text, const std::string& suffix);
