#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/path_text.h"
#include "platform/system.h"
#include "tagfile/tag_file_fixture.h"
#include "tagfile/text_utils.h"

namespace {

using namespace std::string_literals;

// What a line feed written in text mode becomes on this platform.
std::string textModeLineEnd(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "w");
    std::fputs("\n", file);
    std::fclose(file);
    return readFile(path);
}

std::string withLineEnds(const std::string& text, const std::string& lineEnd) {
    std::string result;
    for (const char c : text) {
        result += c == '\n' ? lineEnd : std::string(1, c);
    }
    return result;
}

TEST_F(TagFileTest, WritesTheExactFormat) {
    TagFile tags;
    tags.setValue("PLAIN", "a b");
    tags.setValue("LEADING", " lead");
    tags.setValue("TRAILING", "tab\t");
    tags.setValue("QUOTE", "say \"hi\"");
    tags.setValue("EMPTY", "");
    tags.addValue("LIST", "one");
    tags.addValue("LIST", "two words");
    tags.addValue("LIST", "\"q\"");
    const std::string expected =
        "PLAIN:  a b\n"
        "LEADING:  \" lead\"\n"
        "TRAILING:  \"tab\t\"\n"
        "QUOTE:  \"say \"\"hi\"\"\"\n"
        "EMPTY:  \"\"\n"
        "LIST:\n"
        "  one\n"
        "  two words\n"
        "  \"\"\"q\"\"\"\n"
        "/:\n";
    const std::string lineEnd = textModeLineEnd(path());
    tags.write(path());
    EXPECT_EQ(readFile(path()), withLineEnds(expected, lineEnd));
}

TEST_F(TagFileTest, WritingReplacesTheFile) {
    writeFile(path(), "OLD: 1\nOTHER: 2\nMORE: 3\n");
    TagFile tags;
    tags.setValue("NEW", "x");
    EXPECT_EQ(writtenAndReadBack(tags), (TagList{{"NEW", {"x"}}}));
}

TEST_F(TagFileTest, AFileThatCannotBeWrittenIsAFailure) {
    TagFile tags;
    tags.setValue("A", "1");
    std::vector<std::string> unwritable = {joinPath(dir_.file("no-such-dir"), "x.tag"),
                                           dir_.path()};
    // A device that takes no bytes, where there is one (Wine's view of it
    // takes them).
    if (platform::pathSeparator() == '/' && pathExists("/dev/full")) {
        unwritable.push_back("/dev/full");
    }
    for (const std::string& path : unwritable) {
        try {
            tags.write(path);
            ADD_FAILURE() << "writing " << path << " must fail";
        } catch (const LauncherException& e) {
            const std::string start = "Unable to write file: " + path + " (";
            EXPECT_EQ(e.text().substr(0, start.size()), start) << e.text();
            EXPECT_GT(e.text().size(), start.size() + 1) << "the reason: " << e.text();
            EXPECT_EQ(e.text().back(), ')') << e.text();
        }
    }
    EXPECT_FALSE(pathExists(unwritable[0]));
}

// Every value reads back as written, as long as it holds no line end and, in
// a list, is neither empty nor the completer.
TEST_F(TagFileTest, WrittenFileReadsBackTheSame) {
    TagFile tags;
    const char* const awkward[] = {" lead", "trail ",   "\t",          "\"",
                                   "\"\"",  "\"x\" y",  "a:b",         "B: not a tag",
                                   "/",     "\\path\\", "#ENV# @TAG@", "\xe4\xf6"};
    int number = 0;
    for (const char* value : awkward) {
        tags.addValue("LIST", value);
        tags.setValue("ONE" + std::to_string(++number), value);
    }
    tags.setValue("EMPTY", "");
    tags.setValue("COMPLETER", "/:");
    tags.setValue("NUL", "a\0b"s);
    tags.addValue("", "unnamed");
    EXPECT_EQ(writtenAndReadBack(tags), contents(tags));
}

}  // namespace
