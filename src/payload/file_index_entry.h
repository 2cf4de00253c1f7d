#pragma once
#include <cstdio>
#include <memory>
#include <string>

#include "payload/launcher_file.h"

// Reads one file index entry at the stream's position.  Throws
// LauncherException naming the field that could not be read.
std::unique_ptr<FileIndexEntry> readIndexEntry(std::FILE* stream);

// The entry as the log shows it: type, id, length, offset and name, one per
// line.
std::string entryLogText(const FileIndexEntry& entry);
