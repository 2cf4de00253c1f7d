#pragma once
#include <string>
#include <vector>

namespace platform {

// Directories where the system keeps java programs for the platform JVM path
// search.  Windows has none.  On POSIX they are the directories of the
// executable search path (PATH) that hold an executable "java"; relative
// entries, the current directory among them, are left out.
std::vector<std::string> javaProgramDirectories();

}  // namespace platform
