#pragma once
#include <string>
#include <vector>

// The run flow: reads the options, processes an input file or runs the
// instruction script of the launcher file.  Returns the exit code; a
// LauncherException is reported and logged here and gives -1.
int runLauncher(const std::vector<std::string>& arguments, const std::string& launcherFileName);

// The launcher's version, printed by "-vd:version".
extern const char* const kLauncherVersion;

// Loads the launcher file's index (with or without its tag files); a failure
// is reported as "Unable to load the launcher file index. " + the cause.
void loadLauncherFile(bool withTagFiles);
