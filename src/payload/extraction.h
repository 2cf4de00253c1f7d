#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

#include "base/file_pointer.h"

struct FileIndexEntry;

// Throws LauncherException naming the entry and the reason when its stored
// name is not a plain file name (entry_name.h): such a name would write
// outside the target directory, or to a device.
void checkEntryName(const FileIndexEntry& entry);

// The running launcher file, open for reading without a buffer of its own
// (extraction reads whole blocks).  Throws LauncherException "Cannot open
// launcher file.".
FilePointer openLauncherFile();

// Throws LauncherException naming the entry unless the launcher file holds
// all of its bytes: a negative offset or length (a forged 0xFFFFFFFF) and
// bytes beyond the end of the file are refused.  Moves the stream.
void checkEntryBytes(std::FILE* launcher, const FileIndexEntry& entry);

struct CopyOutcome {
    int error = 0;             // the run-time library's error number, 0 when none
    bool endOfSource = false;  // the source ended before `length` bytes
};

// Copies `length` bytes (all up to the end when negative) from the source's
// position in blocks of `blockSize`, holding one block at a time.  An
// interactive copy flushes and advances the progress display after every
// block and stops when the user cancels.
CopyOutcome copyBlocks(std::FILE* source, std::FILE* target, int64_t length, size_t blockSize,
                       bool interactive);

// "Error writing file = ", the error number and the hint about disk space.
std::string writeFailureText(int error);
