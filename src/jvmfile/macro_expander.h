#pragma once
#include <cstddef>
#include <string>

#include "base/launcher_exception.h"

// Expands references enclosed in a delimiter character (@NAME@, %NAME%(...),
// #NAME#).  A subclass says what replaces a reference; the scan goes on at
// the reference's start, so replacement text is scanned again.  After the
// scan every doubled delimiter becomes one.
class MacroExpander {
public:
    virtual ~MacroExpander() = default;

    // Returns the expanded copy of the text.  Throws ExpansionLimitError when
    // the references keep expanding (a value that refers to itself), and
    // whatever `substitute` throws.
    std::string expand(const std::string& text, char delimiter);

    // Replaces, in place, a span of `text` that begins with the opening
    // delimiter at `start`; `end` is the position of the closing one.
    virtual void substitute(std::string& text, char delimiter, size_t start, size_t end) = 0;
};

// The longest text an expansion may grow to.
constexpr size_t kMaxExpansionLength = 256 * 1024;

// References that expand without end: more than a thousand replacements in
// one expansion, or a text grown beyond kMaxExpansionLength.
class ExpansionLimitError : public LauncherException {
public:
    explicit ExpansionLimitError(const std::string& text)
        : LauncherException("The references in (" + text + ") expand without end.") {}
};
