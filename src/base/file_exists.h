#pragma once
#include <string>

// Whether the path is an existing file (in use counts; a directory does not).
// An unexpected failure is logged with the system's text.
bool fileExists(const std::string& path);
