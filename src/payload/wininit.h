#pragma once
#include <string>
#include <vector>

// The "[Rename]" section of WinInit.Ini, which the Windows 9x family carries
// out at its next start ("NUL=path" deletes the path).

// The text with the lines added directly after the "[Rename]" line, each
// ended by a line feed; a missing section is added at the end.
std::string withRenameLines(const std::string& text, const std::vector<std::string>& lines);

// Adds the lines to WinInit.Ini in the given Windows directory, creating the
// file when missing.  Returns 0 and empties the list, or returns the
// run-time library's error number.
int writeRenameList(const std::string& windowsDirectory, std::vector<std::string>& lines);
