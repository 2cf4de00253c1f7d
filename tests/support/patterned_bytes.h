#pragma once
#include <cstddef>
#include <string>

// Bytes that differ from one position to the next (and from one seed to the
// next), so that a piece copied out of place shows.
inline std::string patternedBytes(size_t size, size_t seed = 0) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        const size_t n = i + seed;
        bytes[i] = static_cast<char>((n * 7 + n / 251) & 0xFF);
    }
    return bytes;
}
