#pragma once
#include <string>

// Paths as the launcher joins and splits them.

// Appends the path separator to a non-empty path that does not end with it.
std::string ensureTrailingSeparator(const std::string& path);
// Everything before the last slash or backslash of a path (empty when it has
// neither), and everything after it (the whole path when it has neither).
std::string directoryPart(const std::string& path);
std::string namePart(const std::string& path);
// The directory, a separator when needed, and the name (the name alone when
// the directory is empty).
std::string joinPath(const std::string& directory, const std::string& name);
