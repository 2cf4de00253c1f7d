#pragma once
#include <string>
#include <vector>

// Reads the value named by a registry hint, "\HIVE\key path\value name" (the
// leading backslash is optional).  When the key opens but the value does not
// read, the whole text after the hive is tried as a key and its default value
// read.  Returns no element or the one non-empty text.  Throws
// LauncherException (message 27) for an unknown hive; any other failure is
// logged as a warning (message 28) and gives no element.
std::vector<std::string> readRegistryValue(const std::string& path);
