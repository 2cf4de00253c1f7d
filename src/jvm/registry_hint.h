#pragma once
#include <string>
#include <vector>

// Reads the value named by a registry hint, "\HIVE\key path\value name" (the
// leading backslash is optional).  When the key opens but the value does not
// read, the whole text after the hive is tried as a key and its default value
// read.  A key path component "*" stands for every subkey at that level,
// newest version first (version_compare.h).  The hint is read in the 64-bit
// registry view and then in the 32-bit one.  Returns the non-empty texts in
// that order, each once.  Throws LauncherException (message 27) for an
// unknown hive; when no value reads at all, the first failure is logged as
// a warning (message 28) and there is no element.
std::vector<std::string> readRegistryValue(const std::string& path);
