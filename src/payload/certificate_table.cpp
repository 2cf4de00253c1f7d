#include "payload/certificate_table.h"

#include <cstdint>
#include <optional>

namespace {

// Program image headers are little-endian.
std::optional<uint32_t> readLittleEndian(std::FILE* stream, long long offset, int bytes) {
    if (offset < 0 || std::fseek(stream, static_cast<long>(offset), SEEK_SET) != 0) {
        return std::nullopt;
    }
    uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) {
        const int byte = std::fgetc(stream);
        if (byte == EOF) {
            return std::nullopt;
        }
        value |= static_cast<uint32_t>(byte) << (8 * i);
    }
    return value;
}

constexpr uint32_t kDosSignature = 0x5A4D;     // "MZ"
constexpr uint32_t kPeSignature = 0x00004550;  // "PE\0\0"
constexpr uint32_t kOptionalHeader32 = 0x10B;
constexpr uint32_t kOptionalHeader64 = 0x20B;
constexpr uint32_t kSecurityDirectory = 4;
constexpr long long kCoffHeaderSize = 20;

// The offset of the security entry of the data directory; none when the
// headers do not hold one.
std::optional<long long> securityEntry(std::FILE* stream) {
    if (readLittleEndian(stream, 0, 2) != kDosSignature) {
        return std::nullopt;
    }
    const auto peOffset = readLittleEndian(stream, 0x3C, 4);
    if (!peOffset || readLittleEndian(stream, *peOffset, 4) != kPeSignature) {
        return std::nullopt;
    }
    const long long coffHeader = *peOffset + 4LL;
    const auto optionalSize = readLittleEndian(stream, coffHeader + 16, 2);
    const long long optionalHeader = coffHeader + kCoffHeaderSize;
    const auto magic = readLittleEndian(stream, optionalHeader, 2);
    if (!optionalSize || !magic || (magic != kOptionalHeader32 && magic != kOptionalHeader64)) {
        return std::nullopt;
    }
    // The count of directory entries, then the entries of 8 bytes each.
    const long long countField = magic == kOptionalHeader32 ? 92 : 108;
    const auto entries = readLittleEndian(stream, optionalHeader + countField, 4);
    const long long entry = countField + 4 + 8LL * kSecurityDirectory;
    if (!entries || *entries <= kSecurityDirectory || entry + 8 > *optionalSize) {
        return std::nullopt;
    }
    return optionalHeader + entry;
}

}  // namespace

long long certificateTableStart(std::FILE* stream, long long size) {
    const std::optional<long long> entry = securityEntry(stream);
    if (!entry) {
        return size;
    }
    // The entry's address is a file offset, not a virtual address.
    const auto start = readLittleEndian(stream, *entry, 4);
    const auto length = readLittleEndian(stream, *entry + 4, 4);
    if (!start || !length || *start == 0 || *length == 0 ||
        static_cast<long long>(*start) + *length != size) {
        return size;
    }
    return *start;
}
