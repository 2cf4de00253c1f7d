#include "base/line_output.h"

bool writeLine(std::FILE* stream, const std::string& text) {
    const bool written = std::fputs(text.c_str(), stream) >= 0;
    return std::fputc('\n', stream) != EOF && written;
}
