#include "platform/posix/command_line_posix.h"

#include <algorithm>

namespace platform {

namespace {

bool isSeparator(char c) {
    return c == ' ' || c == '\t';
}

void skipSeparators(const std::string& text, std::size_t& position) {
    while (position < text.size() && isSeparator(text[position])) {
        ++position;
    }
}

std::string nextArgument(const std::string& text, std::size_t& position) {
    std::string argument;
    bool quoted = false;
    while (position < text.size()) {
        const char c = text[position];
        if (c == '\\') {
            const std::size_t end = std::min(text.find_first_not_of('\\', position), text.size());
            const std::size_t run = end - position;
            position = end;
            if (position < text.size() && text[position] == '"') {
                argument.append(run / 2, '\\');
                if (run % 2 == 1) {
                    argument += '"';
                    ++position;
                }
            } else {
                argument.append(run, '\\');
            }
        } else if (c == '"') {
            if (quoted && position + 1 < text.size() && text[position + 1] == '"') {
                argument += '"';
                position += 2;
            } else {
                quoted = !quoted;
                ++position;
            }
        } else if (!quoted && isSeparator(c)) {
            break;
        } else {
            argument += c;
            ++position;
        }
    }
    return argument;
}

}  // namespace

std::vector<std::string> splitCommandLine(const std::string& commandLine) {
    std::vector<std::string> arguments;
    std::size_t position = 0;
    for (skipSeparators(commandLine, position); position < commandLine.size();
         skipSeparators(commandLine, position)) {
        arguments.push_back(nextArgument(commandLine, position));
    }
    return arguments;
}

}  // namespace platform
