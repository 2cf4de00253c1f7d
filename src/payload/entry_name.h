#pragma once
#include <string>
#include <vector>

// The one rule for the stored names of embedded files, the same on every
// system so that a launcher file behaves the same everywhere: an embedded
// file is written as one plain file in the target directory, so its name
// must be one that Windows stores as such a file.

// Why `name` is not a plain file name, or an empty text when it is one.
// Refused: "", "." and "..", separators and colons (drives, streams), the
// characters < > " | ? * and control characters, a trailing dot or blank
// (Windows drops them), and the names Windows keeps for devices (CON, PRN,
// AUX, NUL, COM0 to COM9, LPT0 to LPT9, CONIN$, CONOUT$), in any letter case
// and also with an extension ("aux.txt").
std::string entryNameFault(const std::string& name);

// "input.tag": the input file that "-vd:extract" writes beside the
// embedded files.
extern const char* const kExtractedInputFileName;

// Why the names cannot all be written into one directory, or an empty text
// when they can: two of them name the same file (compared without regard
// to case, as Windows does), or one is "input.tag".
std::string entryNameSetFault(const std::vector<std::string>& names);
