#pragma once
#include <string>
#include <vector>

// Text files next to the launcher that add to the command: ".sp" (system
// properties), ".ja" (java options), ".cp1", ".cp", ".cp2" (classpath parts).

// The side file's path: the launcher origin path without the extension of
// its file name, then the suffix.  A path without any separator keeps its
// extension; a dot in a directory name is no extension.
std::string sideFilePath(const std::string& originPath, const std::string& suffix);

// The lines of the side file beside the launcher origin path, each trimmed
// of blanks (also the empty ones); none when it cannot be read.
std::vector<std::string> sideFileLines(const std::string& suffix);
