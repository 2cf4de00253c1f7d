#pragma once
#include <string>

// Puts the launcher file's last verification archive (file type 5) into a
// new workspace directory and returns its path; empty when the launcher
// file has none.  Throws LauncherException when the extraction fails.
std::string extractVerifyArchive();
