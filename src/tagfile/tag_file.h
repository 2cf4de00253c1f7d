#pragma once
#include <cstdio>
#include <string>
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
    // Opens the file in text mode and parses it whole; throws
    // LauncherException "Unable to load input file: <name>" when it cannot be
    // opened, or the parser's syntax error.
    explicit TagFile(const std::string& fileName);
    virtual ~TagFile() = default;

    // Parses the region of the stream that starts at `offset`; a negative
    // length means to the end of the stream.  Syntax errors are logged and
    // thrown as LauncherException; the tags read before them stay.
    void parse(std::FILE* stream, const std::string& fileName, long offset, long length);

    std::string getValue(const std::string& tag, int index = 0) const;
    int count(const std::string& tag) const;
    bool getBool(const std::string& tag, bool defaultValue) const;

    void setValue(const std::string& tag, const std::string& value);
    void addValue(const std::string& tag, const std::string& value);
    void setBool(const std::string& tag, bool flag);
    void setJvmTags(const std::string& jvmHome, const std::string& jvmFile, bool temporary);

    // Writes the whole file; a file that cannot be created is skipped silently.
    void write(const std::string& fileName) const;

    const std::vector<TagEntry>& tags() const { return tags_; }
    int lineCount() const { return lineCount_; }
    bool loaded() const { return loaded_; }
    const std::string& fileName() const { return fileName_; }

private:
    std::vector<TagEntry> tags_;
    int lineCount_ = 0;
    bool loaded_ = false;
    std::string fileName_;
};
