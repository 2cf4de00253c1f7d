#include "instructions/decimal_reader.h"

#include <limits>

#include "tagfile/text_utils.h"

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The number at the start of the text, when it lies within [minimum, maximum].
bool readDecimal(const std::string& text, int64_t minimum, int64_t maximum, int64_t& value) {
    size_t i = 0;
    while (i < text.size() && isWhiteSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size() || !isDigit(text[i])) {
        return false;
    }
    // The magnitude stops growing once it is beyond both bounds, so it never
    // overflows however many digits follow.
    const int64_t limit = negative ? -minimum : maximum;
    int64_t magnitude = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        if (magnitude <= limit) {
            magnitude = magnitude * 10 + (text[i] - '0');
        }
    }
    if (magnitude > limit) {
        return false;
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

template <typename Integer>
bool readInteger(const std::string& text, Integer& value) {
    int64_t number = 0;
    if (!readDecimal(text, std::numeric_limits<Integer>::min(), std::numeric_limits<Integer>::max(),
                     number)) {
        return false;
    }
    value = static_cast<Integer>(number);
    return true;
}

}  // namespace

bool readInt32(const std::string& text, int32_t& value) {
    return readInteger(text, value);
}

bool readInt16(const std::string& text, int16_t& value) {
    return readInteger(text, value);
}
