#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "launcher/launcher_exception.h"
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

// Tests that parse bytes from a file named "test.tag" in a fresh directory.
class TagFileTest : public testing::Test {
protected:
    std::string path() const { return dir_.file("test.tag"); }

    // Parses the region of `bytes` into `tags`; returns the error text, empty
    // when the parse succeeded.
    std::string parse(TagFile& tags, const std::string& bytes, long offset = 0,
                      long length = -1) const {
        writeFile(path(), bytes);
        std::FILE* stream = std::fopen(path().c_str(), "rb");
        EXPECT_NE(stream, nullptr);
        std::string error;
        try {
            tags.parse(stream, "test.tag", offset, length);
        } catch (const LauncherException& e) {
            error = e.text();
        }
        std::fclose(stream);
        return error;
    }

    // The tags read from a written copy of `tags`.
    TagList writtenAndReadBack(const TagFile& tags) const {
        tags.write(path());
        return contents(TagFile(path()));
    }

    TempDir dir_;
};
