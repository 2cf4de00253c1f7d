#pragma once
#include <cstdint>
#include <cstdio>

// Readers of the big-endian integers of the launcher file's payload.  Each
// reads its bytes one by one, stops early at the end of the file and throws
// LauncherException carrying `failureMessage` when fewer bytes were there.
int32_t readBigEndian32(std::FILE* stream, const char* failureMessage);
uint16_t readBigEndian16(std::FILE* stream, const char* failureMessage);
