#include "launch/quoted_argument.h"

std::string quotedArgument(const std::string& text) {
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (const char c : text) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes are literal unless a double quote follows them.
        quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        quoted += c;
        backslashes = 0;
    }
    // The closing quote must not be escaped by a trailing backslash.
    quoted.append(2 * backslashes, '\\');
    return quoted + '"';
}
