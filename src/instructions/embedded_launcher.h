#pragma once
#include <string>
#include <vector>

class LauncherFile;

// Starts the embedded launcher (file type 7) at that position of the
// launcher file's index, with the running launcher file as "-vd:orig" and this process's
// arguments (the paths among them made absolute), in a new console and without waiting.  Its
// workspace directory is left to it.  Any other position only writes an error to the log.
void executeEmbeddedLauncher(const LauncherFile& launcher, int position);

// The command line of a nested launcher: the program, " -vd:orig " and the
// original launcher file, then a blank and each argument, every part quoted.
std::string embeddedLauncherCommandLine(const std::string& program, const std::string& launcherPath,
                                        const std::vector<std::string>& arguments);
