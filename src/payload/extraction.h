#pragma once
#include <cstdint>
#include <string>

#include "platform/file_copy.h"

struct FileIndexEntry;

// Throws LauncherException naming the entry and the reason when its stored
// name is not a plain file name (entry_name.h): such a name would write
// outside the target directory, or to a device.
void checkEntryName(const FileIndexEntry& entry);

// The running launcher file, open for reading.  Throws LauncherException
// "Cannot open launcher file.".
platform::RawFile openLauncherFile();

// Throws LauncherException naming the entry unless the launcher file holds
// all of its bytes: a negative offset or length (a forged 0xFFFFFFFF) and
// bytes beyond the end of the file are refused.
void checkEntryBytes(const platform::RawFile& launcher, const FileIndexEntry& entry);

struct CopyOutcome {
    int error = 0;             // the run-time library's error number, 0 when none
    bool endOfSource = false;  // the source ended before `length` bytes
};

// Copies `length` bytes (all up to the end when negative) of the source from
// `offset` on to the target.  An interactive copy advances the progress
// display by one step per block of 61,439 bytes and stops when the user
// cancels, which it asks before every step.
CopyOutcome copyBlocks(const platform::RawFile& source, int64_t offset,
                       const platform::RawFile& target, int64_t length, bool interactive);

// "Error writing file = ", the error number and the hint about disk space.
std::string writeFailureText(int error);
