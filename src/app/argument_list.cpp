#include "app/argument_list.h"

#include "base/old_platform.h"
#include "platform/system.h"

namespace {

bool isCommandLineBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The character after a backslash: a double quote is taken alone, anything
// else keeps the backslash.  A backslash at the very end is dropped.
void appendEscaped(const std::string& text, size_t& pos, std::string& token) {
    if (pos >= text.size()) {
        return;
    }
    const char next = text[pos++];
    if (next != '"') {
        token += '\\';
    }
    token += next;
}

// Reads the quoted part that starts after an opening quote at `pos`; stops
// after the closing quote or at the end of the text.
void readQuoted(const std::string& text, size_t& pos, bool escapes, std::string& token) {
    while (pos < text.size()) {
        const char c = text[pos++];
        if (escapes && c == '\\') {
            appendEscaped(text, pos, token);
        } else if (c == '"') {
            return;
        } else {
            token += c;
        }
    }
}

std::string readToken(const std::string& text, size_t& pos, bool escapes) {
    std::string token;
    if (text[pos] == '"') {
        ++pos;
        readQuoted(text, pos, escapes, token);
        return token;
    }
    while (pos < text.size()) {
        const char c = text[pos];
        if (isCommandLineBlank(c)) {
            break;
        }
        ++pos;
        if (escapes && c == '\\') {
            appendEscaped(text, pos, token);
        } else if (c == '"') {
            readQuoted(text, pos, escapes, token);
        } else {
            token += c;
        }
    }
    return token;
}

}  // namespace

std::vector<std::string> splitOldPlatformCommandLine(const std::string& commandLine) {
    std::vector<std::string> tokens;
    size_t pos = 0;
    while (true) {
        while (pos < commandLine.size() && isCommandLineBlank(commandLine[pos])) {
            ++pos;
        }
        if (pos >= commandLine.size()) {
            return tokens;
        }
        std::string token = readToken(commandLine, pos, !tokens.empty());
        if (!token.empty()) {
            tokens.push_back(std::move(token));
        }
    }
}

bool ArgumentList::build(int argc, char** argv) {
    arguments_ = oldPlatform() ? splitOldPlatformCommandLine(platform::narrowCommandLine())
                               : platform::processArguments(argc, argv);
    return true;
}

const std::string* ArgumentList::argument(int index) const {
    return index >= 0 && index < count() ? &arguments_[index] : nullptr;
}
