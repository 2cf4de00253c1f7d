#pragma once

// The message catalog compiled into the POSIX build (generated from
// resources/messages by tools/gen_catalog.py).
namespace catalog {

struct Text {
    unsigned id;
    const char* text;  // UTF-8
};

struct Language {
    unsigned languageId;  // the Windows language identifier of the variant
    const char* locales;  // POSIX locale prefixes, separated by blanks
    const Text* texts;
    int count;
};

extern const Language kLanguages[];
extern const int kLanguageCount;

}  // namespace catalog
