#include "vdpack/decimal.h"

#include <charconv>

#include "vdpack/pack_error.h"

int32_t decimalValue(const std::string& text, const std::string& what) {
    const char* const end = text.data() + text.size();
    int32_t value = 0;
    const auto result = std::from_chars(text.data(), end, value);
    if (text.empty() || result.ec != std::errc() || result.ptr != end) {
        throw PackError(what + " '" + text + "' is not a 32-bit decimal number");
    }
    return value;
}
