#pragma once
#include <string>

namespace platform {

// Asks the user for a program file with the system's file-open dialog: the
// filter "*.exe" is its only entry, the path and the file must exist, and the
// dialog has no owner, title or starting directory.  Returns the chosen path,
// or an empty string when the user cancelled or no dialog could be shown.
// The POSIX build has no such dialog and always answers empty.
std::string promptForProgramFile();

}  // namespace platform
