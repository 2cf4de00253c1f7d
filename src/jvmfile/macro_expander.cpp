#include "jvmfile/macro_expander.h"

namespace {

constexpr int kMaxReplacements = 1000;

void collapseDoubledDelimiters(std::string& text, char delimiter) {
    const std::string doubled(2, delimiter);
    size_t position = text.find(doubled);
    while (position != std::string::npos) {
        text.erase(position, 1);
        position = text.find(doubled, position + 1);
    }
}

}  // namespace

std::string MacroExpander::expand(const std::string& text, char delimiter) {
    std::string work = text;
    int replacements = 0;
    size_t position = work.find(delimiter);
    // A reference needs a name of at least one character between its two
    // delimiters, so the opening one must leave room for both.
    while (position != std::string::npos && position + 2 < work.size()) {
        const size_t end = work.find(delimiter, position + 2);
        if (end == std::string::npos) {
            break;
        }
        substitute(work, delimiter, position, end);
        if (++replacements > kMaxReplacements || work.size() > kMaxExpansionLength) {
            throw ExpansionLimitError(text);
        }
        position = work.find(delimiter, position);
    }
    collapseDoubledDelimiters(work, delimiter);
    return work;
}
