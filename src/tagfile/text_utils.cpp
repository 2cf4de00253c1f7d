#include "tagfile/text_utils.h"

#include <algorithm>
#include <cstring>

#include "base/launcher_exception.h"
#include "platform/system.h"

const char* const kBlanks = " \t\n\r";

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isWhiteSpace(char c) {
    return c != '\0' && std::strchr(" \t\n\v\f\r", c) != nullptr;
}

std::string trim(const std::string& text, const char* characters) {
    const size_t first = text.find_first_not_of(characters);
    if (first == std::string::npos) {
        return std::string();
    }
    const size_t last = text.find_last_not_of(characters);
    return text.substr(first, last - first + 1);
}

bool readLine(const std::string& text, size_t& position, std::string& line) {
    const bool more = position < text.size();
    if (more) {
        const size_t end = std::min(text.find('\n', position), text.size());
        const size_t start = line.size();
        line.append(text, position, end - position);
        line.erase(std::remove(line.begin() + static_cast<std::ptrdiff_t>(start), line.end(), '\r'),
                   line.end());
        position = end < text.size() ? end + 1 : end;
    }
    // Trimmed in place: a line may be megabytes long.
    const size_t last = line.find_last_not_of(kBlanks);
    line.erase(last == std::string::npos ? 0 : last + 1);
    line.erase(0, line.find_first_not_of(kBlanks));
    return more;
}

std::string readArgument(const std::string& text, long& position, bool quoted) {
    const long size = static_cast<long>(text.size());
    std::string argument;
    if (position < 0 || position > size) {
        position = -1;
        return argument;
    }
    if (!quoted) {
        const size_t blank = text.find_first_of(kBlanks, position);
        if (blank == std::string::npos) {
            argument = text.substr(position);
            position = -1;
        } else {
            argument = text.substr(position, blank - position);
            position = static_cast<long>(blank);
        }
        return argument;
    }
    long searchFrom = position;
    while (true) {
        const size_t found = text.find('"', searchFrom);
        if (found == std::string::npos) {
            throw LauncherException("Expected double quote to end argument near " +
                                    toDecimal(searchFrom));
        }
        const long quote = static_cast<long>(found);
        if (quote == size - 1 || text[quote + 1] != '"') {
            argument += text.substr(searchFrom, quote - searchFrom);
            position = quote + 1 >= size ? -1 : quote + 1;
            return argument;
        }
        if (quote + 1 == size - 1) {
            // A quote pair that ends the text leaves nothing to close the argument.
            throw LauncherException("Expected double quote to end argument near -1");
        }
        argument += text.substr(searchFrom, quote + 1 - searchFrom);
        searchFrom = quote + 2;
    }
}

std::string nextWord(const std::string& text, long& position) {
    const long size = static_cast<long>(text.size());
    if (position < 0) {
        return std::string();
    }
    long start = position;
    while (start < size && isWhiteSpace(text[start])) {
        ++start;
    }
    long end = start;
    while (end < size && !isWhiteSpace(text[end])) {
        ++end;
    }
    position = end < size ? end + 1 : size;
    return text.substr(start < size ? start : size, end - start);
}

std::string toDecimal(long value) {
    return std::to_string(value);
}

bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}
