#pragma once
#include <string>
#include <vector>

// The classpath archives (file type 3) of the running launcher file, in
// file-index order, each extracted into a new workspace directory when
// first asked for; later requests of the process get the same paths.
// Throws LauncherException when the workspace or an extraction fails.
const std::vector<std::string>& runtimeArchivePaths();
