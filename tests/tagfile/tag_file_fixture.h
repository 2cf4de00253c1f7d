#pragma once
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "base/launcher_exception.h"
#include "support/temp_dir.h"
#include "tagfile/tag_file.h"
#include "tagfile/tag_file_source.h"

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

    // The tags of a written copy of `tags`, read back whole as the launcher
    // reads a tag file (in UTF-8, as written) but without ending it at a
    // Ctrl-Z byte.
    TagList writtenAndReadBack(const TagFile& tags) const {
        tags.write(path());
        std::FILE* stream = std::fopen(path().c_str(), "rb");
        std::string text;
        const bool read = stream != nullptr && readStreamRegion(stream, 0, LONG_MAX, text);
        if (stream != nullptr) {
            std::fclose(stream);
        }
        EXPECT_TRUE(read);
        TagFile back;
        back.parse(text, "test.tag");
        return contents(back);
    }

    TempDir dir_;
};
