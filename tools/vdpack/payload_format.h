#pragma once
#include <cstdint>
#include <string>

// The bytes of a launcher file's payload, field by field, big-endian.  The
// encoders check nothing, so tests can also write malformed indexes.

void appendBigEndian32(std::string& bytes, uint32_t value);
void appendBigEndian16(std::string& bytes, uint16_t value);

// One file index entry as stored.  Any compressed flag other than 1 means not
// compressed, and then the two counts are not stored.
struct IndexRecord {
    uint8_t fileType = 0;
    int32_t fileId = 0;
    int32_t length = 0;
    int32_t offset = 0;
    std::string name;
    uint8_t compressedFlag = 0;
    int32_t decompressedFileCount = 0;
    int32_t decompressedSize = 0;
};

std::string encodeIndexRecord(const IndexRecord& record);

// The launcher kind byte, the file index offset and the identification value.
std::string encodeTrailer(uint8_t launcherKind, int32_t indexOffset);
