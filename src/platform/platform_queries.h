#pragma once
#include <string>
#include <vector>

// Services the rest of the launcher asks of the system: a registry value
// named by a hint path, the drives to scan and whether a file exists.  The
// environment is in environment.h.
namespace platform {

// Reads the value named by "\HIVE\key path\value name" (the leading
// backslash is optional).  When the key opens but the value does not read,
// the whole text after the hive is tried as a key and its default value read.
// Returns no element or the one non-empty text.  Throws LauncherException
// (message 27) for an unknown hive; any other failure is logged as a warning
// (message 28) and gives no element.
std::vector<std::string> readRegistryValue(const std::string& path);

// The fixed and network drives to scan, each a letter and a colon ("C:").
// POSIX has the one root file system, named by the empty string, so its root
// is the separator alone.  Throws LauncherException (message 17) when the
// system lists no drives.
std::vector<std::string> logicalDrives();

// Whether the path is an existing file (in use counts; a directory does not).
// An unexpected failure is logged with the system's text.
bool fileExists(const std::string& path);

}  // namespace platform
