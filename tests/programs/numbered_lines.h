#pragma once
#include <cstddef>
#include <string>

// The test output that the child program writes in bulk: lines of ten bytes,
// a tag character, the line number in eight digits and a line feed, so that
// a lost, doubled or misplaced piece shows in a comparison.  No NUL bytes.
inline char numberedLinesByte(char tag, std::size_t position) {
    const std::size_t column = position % 10;
    if (column == 0) {
        return tag;
    }
    if (column == 9) {
        return '\n';
    }
    std::size_t line = position / 10;
    for (std::size_t digit = column; digit < 8; ++digit) {
        line /= 10;
    }
    return static_cast<char>('0' + line % 10);
}

// Bytes [from, from + size) of the endless numbered lines with the tag.
inline std::string numberedLines(char tag, std::size_t size, std::size_t from = 0) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = numberedLinesByte(tag, from + i);
    }
    return bytes;
}
