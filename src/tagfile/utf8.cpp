#include "tagfile/utf8.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

// The length of the sequence that `lead` begins and the range of its second
// byte (the later ones are 0x80 to 0xBF); 0 for a byte that begins none.
struct Sequence {
    std::size_t length;
    unsigned char low;
    unsigned char high;
};

Sequence sequenceOf(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) {
        return {2, 0x80, 0xBF};
    }
    if (lead == 0xE0) {
        return {3, 0xA0, 0xBF};  // below: overlong
    }
    if (lead == 0xED) {
        return {3, 0x80, 0x9F};  // above: surrogates
    }
    if (lead >= 0xE1 && lead <= 0xEF) {
        return {3, 0x80, 0xBF};
    }
    if (lead == 0xF0) {
        return {4, 0x90, 0xBF};  // below: overlong
    }
    if (lead >= 0xF1 && lead <= 0xF3) {
        return {4, 0x80, 0xBF};
    }
    if (lead == 0xF4) {
        return {4, 0x80, 0x8F};  // above: beyond U+10FFFF
    }
    return {0, 0, 0};
}

}  // namespace

bool isUtf8(const std::string& bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    while (p != end) {
        std::uint64_t block;
        if (end - p >= 8 && (std::memcpy(&block, p, 8), (block & kHighBits) == 0)) {
            p += 8;
            continue;
        }
        if (*p < 0x80) {
            ++p;
            continue;
        }
        const Sequence sequence = sequenceOf(*p);
        if (sequence.length == 0 || static_cast<std::size_t>(end - p) < sequence.length ||
            p[1] < sequence.low || p[1] > sequence.high) {
            return false;
        }
        for (std::size_t i = 2; i < sequence.length; ++i) {
            if ((p[i] & 0xC0) != 0x80) {
                return false;
            }
        }
        p += sequence.length;
    }
    return true;
}
