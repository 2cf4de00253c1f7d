#pragma once
#include <list>
#include <string>
#include <unordered_map>
#include <vector>

// A parsed tag file: named tags, each with one value or a list of values, in
// the order in which they were (last) defined.
class TagFile {
public:
    struct TagEntry {
        std::string name;
        std::vector<std::string> values;
    };

    TagFile() = default;
    // Reads the file from disk (up to a Ctrl-Z byte, see readTagFileText)
    // and parses it; throws LauncherException "Unable to load input file:
    // <name>" when it cannot be read, or the parser's syntax error.
    explicit TagFile(const std::string& fileName);
    virtual ~TagFile() = default;
    // Moved, never copied: the index points into the tag list.
    TagFile(TagFile&&) = default;
    TagFile& operator=(TagFile&&) = default;
    TagFile(const TagFile&) = delete;
    TagFile& operator=(const TagFile&) = delete;

    // Parses `text`, the whole of a tag file; `fileName` names it in syntax
    // errors.  Parsing again adds to the tags.  Syntax errors are logged and
    // thrown as LauncherException; the tags read before them stay.
    void parse(const std::string& text, const std::string& fileName);

    std::string getValue(const std::string& tag, int index = 0) const;
    int count(const std::string& tag) const;
    // Value 0 read as a decimal number ("%hd" style: leading white space and a
    // sign allowed, trailing text ignored): zero is false, any other number
    // true, also one beyond the 16-bit range; no number gives the default.
    bool getBool(const std::string& tag, bool defaultValue) const;

    void setValue(const std::string& tag, const std::string& value);
    void addValue(const std::string& tag, const std::string& value);
    void setBool(const std::string& tag, bool flag);

    // The whole file as written: each tag on a line ("NAME:  value") or, with
    // several values, as a list ended by "/:".  Values are written byte for
    // byte; one that contains a line end cannot be read back as it was.
    std::string text() const;
    // Writes text() to the file in text mode, in UTF-8: kReplace replaces the file,
    // kCreateNew creates it and fails when anything of that name exists.
    // Throws LauncherException "Unable to write file: <name> (<reason>)"
    // when it cannot be created or a write or its close fails; a new file is
    // removed again then.
    enum class WriteMode { kReplace, kCreateNew };
    void write(const std::string& fileName, WriteMode mode = WriteMode::kReplace) const;

    const std::list<TagEntry>& tags() const { return tags_; }
    int lineCount() const { return lineCount_; }
    bool loaded() const { return loaded_; }
    const std::string& fileName() const { return fileName_; }

private:
    const TagEntry* find(const std::string& tag) const;
    TagEntry* find(const std::string& tag);
    void remove(const std::string& tag);
    // The tag, without values, at the end of the order; an earlier
    // definition is dropped.
    TagEntry& define(const std::string& tag);
    // Reads the next line of `text` into `line` (cleared first) and counts
    // it; false at the end of the text.
    bool nextLine(const std::string& text, size_t& position, std::string& line);
    std::string singleLineValue(const std::string& line, size_t colon) const;
    void readValueList(const std::string& text, size_t& position, const std::string& tag);
    [[noreturn]] void syntaxError(int line, const std::string& text) const;

    // The tags in their order, and each tag's place in it by name, so that
    // a lookup, a redefinition and a whole parse take constant time per tag.
    std::list<TagEntry> tags_;
    std::unordered_map<std::string, std::list<TagEntry>::iterator> index_;
    int lineCount_ = 0;
    bool loaded_ = false;
    std::string fileName_;
};
