#pragma once
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

// The end of a launcher file: the launcher kind byte, then the trailer (the
// file index offset and the identification value CA 82 CA 82).  The packer
// writes the trailer last, but further bytes may follow it (a code signature),
// so it is found by a scan from the end of the file.

// The offset, relative to the end of the file, of the byte after the trailer:
// where the identification value nearest to the end of the file ends, in
// front of the certificate table of a signed program image.  None when the
// file holds no identification value there.
std::optional<int32_t> locateTrailerEnd(std::FILE* stream);

// Positions the stream at `offsetFromEnd` (0 or negative) relative to the end
// of the file; false when the file is shorter.
bool seekFromEnd(std::FILE* stream, long long offsetFromEnd);

// The launcher kind byte, 9 bytes before the trailer end: 0 to 255, or -1
// when the file is too short for it.
int readKindByte(std::FILE* stream, int32_t trailerEnd);

struct TrailerInfo {
    bool identified = false;  // the file holds an identification value
    int32_t trailerEnd = 0;   // 0 (the last 8 bytes) when it holds none
    int launcherKind = -1;    // -1 also when the file cannot be opened
};
// Opens the file and reads where its trailer ends and its launcher kind.
TrailerInfo readTrailerInfo(const std::string& fileName);
