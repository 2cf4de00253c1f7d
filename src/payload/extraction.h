#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

struct FileIndexEntry;

// Throws LauncherException when the entry's stored name is not a plain file
// name: empty, "." or "..", or holding a separator or a colon (a drive or a
// stream), any of which would write outside the target directory.
void checkEntryName(const FileIndexEntry& entry);

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
