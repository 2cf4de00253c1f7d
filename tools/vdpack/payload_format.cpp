#include "vdpack/payload_format.h"

#include "payload/launcher_file.h"

void appendBigEndian32(std::string& bytes, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        bytes += static_cast<char>((value >> shift) & 0xFF);
    }
}

void appendBigEndian16(std::string& bytes, uint16_t value) {
    bytes += static_cast<char>(value >> 8);
    bytes += static_cast<char>(value & 0xFF);
}

std::string encodeIndexRecord(const IndexRecord& record) {
    std::string bytes(1, static_cast<char>(record.fileType));
    appendBigEndian32(bytes, static_cast<uint32_t>(record.fileId));
    appendBigEndian32(bytes, static_cast<uint32_t>(record.length));
    appendBigEndian32(bytes, static_cast<uint32_t>(record.offset));
    appendBigEndian16(bytes, static_cast<uint16_t>(record.name.size()));
    bytes += record.name;
    bytes += static_cast<char>(record.compressedFlag);
    if (record.compressedFlag == 1) {
        appendBigEndian32(bytes, static_cast<uint32_t>(record.decompressedFileCount));
        appendBigEndian32(bytes, static_cast<uint32_t>(record.decompressedSize));
    }
    return bytes;
}

std::string encodeTrailer(uint8_t launcherKind, int32_t indexOffset) {
    std::string bytes(1, static_cast<char>(launcherKind));
    appendBigEndian32(bytes, static_cast<uint32_t>(indexOffset));
    appendBigEndian32(bytes, kLauncherIdentification);
    return bytes;
}
