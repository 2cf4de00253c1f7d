#include "jvm/version_compare.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<std::string> versionParts(const std::string& text) {
    std::vector<std::string> parts(1);
    for (const char c : text) {
        if (c == '.' || c == '_' || c == '-' || c == '+') {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    return parts;
}

bool isNumber(const std::string& part) {
    if (part.empty()) {
        return false;
    }
    for (const char c : part) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

// The old "1.x" numbering: "1.8" is version 8.
void dropOldPrefix(std::vector<std::string>& parts) {
    if (parts.size() > 1 && parts[0] == "1" && isNumber(parts[1])) {
        parts.erase(parts.begin());
    }
}

int sign(int value) {
    return (value > 0) - (value < 0);
}

// Numbers of any length: without their leading zeros, the longer is the
// greater, and equal lengths compare digit by digit.
int compareNumbers(const std::string& a, const std::string& b) {
    const std::string x = a.substr(std::min(a.find_first_not_of('0'), a.size()));
    const std::string y = b.substr(std::min(b.find_first_not_of('0'), b.size()));
    if (x.size() != y.size()) {
        return x.size() < y.size() ? -1 : 1;
    }
    return sign(x.compare(y));
}

int compareParts(const std::string& a, const std::string& b) {
    const bool aNumber = isNumber(a);
    const bool bNumber = isNumber(b);
    if (aNumber && bNumber) {
        return compareNumbers(a, b);
    }
    if (aNumber != bNumber) {
        return aNumber ? 1 : -1;
    }
    return sign(a.compare(b));
}

}  // namespace

int compareVersions(const std::string& a, const std::string& b) {
    std::vector<std::string> aParts = versionParts(a);
    std::vector<std::string> bParts = versionParts(b);
    dropOldPrefix(aParts);
    dropOldPrefix(bParts);
    const size_t count = std::max(aParts.size(), bParts.size());
    for (size_t i = 0; i < count; ++i) {
        const std::string& aPart = i < aParts.size() ? aParts[i] : "0";
        const std::string& bPart = i < bParts.size() ? bParts[i] : "0";
        if (const int order = compareParts(aPart, bPart)) {
            return order;
        }
    }
    return 0;
}

void sortNewestVersionFirst(std::vector<std::string>& names) {
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return compareVersions(a, b) > 0;
    });
}
