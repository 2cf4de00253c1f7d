#include "payload/big_endian.h"

#include "base/launcher_exception.h"

namespace {

uint32_t readBigEndian(std::FILE* stream, int byteCount, const char* failureMessage) {
    uint32_t value = 0;
    for (int i = 0; i < byteCount; ++i) {
        const int byte = std::fgetc(stream);
        if (byte == EOF) {
            throw LauncherException(failureMessage);
        }
        value = (value << 8) | static_cast<uint32_t>(byte);
    }
    return value;
}

}  // namespace

int32_t readBigEndian32(std::FILE* stream, const char* failureMessage) {
    return static_cast<int32_t>(readBigEndian(stream, 4, failureMessage));
}

uint16_t readBigEndian16(std::FILE* stream, const char* failureMessage) {
    return static_cast<uint16_t>(readBigEndian(stream, 2, failureMessage));
}
