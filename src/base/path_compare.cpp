#include "base/path_compare.h"

namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether the characters of `text` from `start` on equal `part`; `text`
// holds at least that many.
bool regionEqualsIgnoringCase(const std::string& text, size_t start, const std::string& part) {
    for (size_t i = 0; i < part.size(); ++i) {
        if (lower(text[start + i]) != lower(part[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool equalsIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && regionEqualsIgnoringCase(a, 0, b);
}

bool startsWithIgnoringCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && regionEqualsIgnoringCase(text, 0, prefix);
}

bool endsWithIgnoringCase(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           regionEqualsIgnoringCase(text, text.size() - suffix.size(), suffix);
}
