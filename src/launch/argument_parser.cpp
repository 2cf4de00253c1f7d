#include "launch/argument_parser.h"

#include "tagfile/text_utils.h"

namespace {

enum class State { kExpectOpen, kExpectArgument, kExpectSeparator, kDone };

}  // namespace

std::vector<std::string> parseArguments(const std::string& text, size_t& position) {
    std::vector<std::string> arguments;
    State state = State::kExpectOpen;
    size_t p = position;
    while (state != State::kDone) {
        const size_t stepStart = p;
        while (p < text.size() && isBlank(text[p])) {
            ++p;
        }
        const char c = p < text.size() ? text[p] : '\0';
        const bool atEnd = p >= text.size();
        switch (state) {
            case State::kExpectOpen:
                if (atEnd || c != '(') {
                    throw ArgumentListError{"Expected left parenthesis.", stepStart};
                }
                ++p;
                state = State::kExpectArgument;
                break;
            case State::kExpectArgument:
                if (!atEnd && c == '"') {
                    long next = static_cast<long>(p) + 1;
                    arguments.push_back(readArgument(text, next, true));
                    if (next < 0) {
                        // The argument ended the text: so does the list.
                        position = text.size();
                        return arguments;
                    }
                    p = static_cast<size_t>(next);
                    state = State::kExpectSeparator;
                } else if (!atEnd && c == ')') {
                    ++p;
                    state = State::kDone;
                } else {
                    throw ArgumentListError{"Expected string arg.", stepStart};
                }
                break;
            case State::kExpectSeparator:
                if (!atEnd && c == ',') {
                    ++p;
                    state = State::kExpectArgument;
                } else if (!atEnd && c == ')') {
                    ++p;
                    state = State::kDone;
                } else {
                    throw ArgumentListError{"Expected right parenthesis.", stepStart};
                }
                break;
            case State::kDone:
                break;
        }
    }
    position = p;
    return arguments;
}
