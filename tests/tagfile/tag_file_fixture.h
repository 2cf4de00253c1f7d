#pragma once
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "base/launcher_exception.h"
#include "support/temp_dir.h"
#include "tagfile/tag_file.h"

// A tag file's contents as one comparable, printable value.
using TagList = std::vector<std::pair<std::string, std::vector<std::string>>>;

inline TagList contents(const TagFile& tags) {
    TagList list;
    for (const TagFile::TagEntry& entry : tags.tags()) {
        list.emplace_back(entry.name, entry.values);
    }
    return list;
}

// Tests that parse bytes in memory, and write files named "test.tag" in a
// fresh directory.
class TagFileTest : public testing::Test {
protected:
    std::string path() const { return dir_.file("test.tag"); }

    // Parses `bytes` into `tags`; returns the error text, empty when the
    // parse succeeded.
    static std::string parse(TagFile& tags, const std::string& bytes) {
        try {
            tags.parse(bytes, "test.tag");
        } catch (const LauncherException& e) {
            return e.text();
        }
        return std::string();
    }

    // The tags parsed from the bytes of a written copy of `tags`.
    TagList writtenAndReadBack(const TagFile& tags) const {
        tags.write(path());
        TagFile back;
        back.parse(readFile(path()), "test.tag");
        return contents(back);
    }

    TempDir dir_;
};
