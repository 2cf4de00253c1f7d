#include "payload/launcher_trailer.h"

#include <algorithm>
#include <vector>

#include "base/file_pointer.h"
#include "payload/certificate_table.h"
#include "payload/launcher_file.h"

namespace {

// -1 when the size cannot be told.
long long streamSize(std::FILE* stream) {
    if (std::fseek(stream, 0, SEEK_END) != 0) {
        return -1;
    }
    return std::ftell(stream);
}

bool isIdentificationAt(const std::vector<unsigned char>& bytes, size_t position) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) {
        value = (value << 8) | bytes[position + i];
    }
    return value == kLauncherIdentification;
}

}  // namespace

std::optional<int32_t> locateTrailerEnd(std::FILE* stream) {
    const long long size = streamSize(stream);
    // The trailer end is a 32-bit offset from the end: look no further back.
    const long long lowest = std::max(0LL, size - INT32_MAX);
    // A signature's certificate table follows the trailer: the scan starts
    // in front of it, so that no bytes of the signature are taken for the
    // identification value.
    long long stop = certificateTableStart(stream, size);
    // Blocks are read backwards; consecutive blocks overlap by three bytes so
    // that a value across their border is seen.
    constexpr long long kBlockSize = 64 * 1024;
    std::vector<unsigned char> block(kBlockSize);
    while (stop - lowest >= 4) {
        const long long start = std::max(lowest, stop - kBlockSize);
        const size_t count = static_cast<size_t>(stop - start);
        if (std::fseek(stream, static_cast<long>(start), SEEK_SET) != 0 ||
            std::fread(block.data(), 1, count, stream) != count) {
            return std::nullopt;
        }
        for (size_t position = count - 3; position-- > 0;) {
            if (isIdentificationAt(block, position)) {
                return static_cast<int32_t>(start + static_cast<long long>(position) + 4 - size);
            }
        }
        if (start == lowest) {
            break;
        }
        stop = start + 3;
    }
    return std::nullopt;
}

bool seekFromEnd(std::FILE* stream, long long offsetFromEnd) {
    const long long size = streamSize(stream);
    const long long position = size + offsetFromEnd;
    return size >= 0 && position >= 0 && position <= size &&
           std::fseek(stream, static_cast<long>(position), SEEK_SET) == 0;
}

int readKindByte(std::FILE* stream, int32_t trailerEnd) {
    if (!seekFromEnd(stream, trailerEnd - 9LL)) {
        return -1;
    }
    const int byte = std::fgetc(stream);
    return byte == EOF ? -1 : byte;
}

TrailerInfo readTrailerInfo(const std::string& fileName) {
    TrailerInfo info;
    const FilePointer stream(std::fopen(fileName.c_str(), "rb"));
    if (!stream) {
        return info;
    }
    const std::optional<int32_t> trailerEnd = locateTrailerEnd(stream.get());
    info.identified = trailerEnd.has_value();
    info.trailerEnd = trailerEnd.value_or(0);
    info.launcherKind = readKindByte(stream.get(), info.trailerEnd);
    return info;
}
