#pragma once
#include <string>

#include "jvmfile/macro_expander.h"

class TagFile;

// One kind of JVM that the launched program accepts: a JVM file's tag set
// and the @NAME@ references that a launch script takes from it.  The tag set
// belongs to whoever loaded it; the values the launcher writes (JVM_HOME,
// JVM_FILE, JVM_TEMP) change it for every user.
class JvmFile : public MacroExpander {
public:
    explicit JvmFile(TagFile& tags) : tags_(tags) {}

    TagFile& tags() const { return tags_; }
    // The first value of a tag; empty when the tag is absent.
    std::string tag(const std::string& name) const;
    std::string jvmExe() const;       // JVM_EXE: the java executable below the home
    std::string description() const;  // DESC
    bool searchAll() const;           // SEARCH_ALL, false unless a non-zero number
    // The file name the tag set was loaded under, for messages.
    const std::string& name() const;

    // Replaces every @NAME@ by the first value of the tag NAME.
    std::string expandTags(const std::string& text) { return expand(text, '@'); }

    // The span from the opening through the closing delimiter becomes the
    // value of the tag named between them (nothing for an absent tag); a
    // JVM_HOME value loses one trailing path separator.
    void substitute(std::string& text, char delimiter, size_t start, size_t end) override;

private:
    TagFile& tags_;
};
