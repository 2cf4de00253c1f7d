#include "jvm/version_order.h"

#include <algorithm>
#include <cctype>

namespace {

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// The run of digits or of other characters that starts at position, up to
// limit.
std::string runAt(const std::string& text, size_t position, size_t limit) {
    size_t end = position;
    const bool digits = isDigit(text[position]);
    while (end < limit && isDigit(text[end]) == digits) {
        ++end;
    }
    return text.substr(position, end - position);
}

// Compares two runs of digits as numbers of any length.
int compareNumbers(const std::string& a, const std::string& b) {
    const std::string left = a.substr(std::min(a.find_first_not_of('0'), a.size()));
    const std::string right = b.substr(std::min(b.find_first_not_of('0'), b.size()));
    if (left.size() != right.size()) {
        return left.size() < right.size() ? -1 : 1;
    }
    return left.compare(right);
}

// Compares two runs: numbers by value, and above any text; texts tell no
// version apart.
int compareRuns(const std::string& a, const std::string& b) {
    const bool aNumber = isDigit(a[0]);
    const bool bNumber = isDigit(b[0]);
    if (aNumber != bNumber) {
        return aNumber ? 1 : -1;
    }
    return aNumber ? compareNumbers(a, b) : 0;
}

// Below zero when a is the older version, above when it is the newer.
int compareVersionNames(const std::string& a, const std::string& b) {
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const size_t aEnd = std::min(a.find('.', i), a.size());
        const size_t bEnd = std::min(b.find('.', j), b.size());
        while (i < aEnd && j < bEnd) {
            const std::string left = runAt(a, i, aEnd);
            const std::string right = runAt(b, j, bEnd);
            if (const int order = compareRuns(left, right)) {
                return order;
            }
            i += left.size();
            j += right.size();
        }
        if ((i < aEnd) != (j < bEnd)) {
            return i < aEnd ? 1 : -1;
        }
        i = aEnd + 1;
        j = bEnd + 1;
    }
    if ((i < a.size()) != (j < b.size())) {
        return i < a.size() ? 1 : -1;
    }
    return 0;
}

}  // namespace

void sortNewestVersionFirst(std::vector<std::string>& names) {
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return compareVersionNames(a, b) > 0;
    });
}
