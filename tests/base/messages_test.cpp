#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "base/launcher_exception.h"
#include "base/messages.h"

namespace {

// The process runs in the tests' default (English) language.

TEST(Messages, ErrorCodesMapToTheirCatalogTexts) {
    const int ids[] = {8,  9,  10, 11, 12, 13, 14, 15, 16, 19,
                       21, 22, 23, 37, 24, 29, 33, 34, 35, 36};
    for (int code = 0; code < 20; ++code) {
        EXPECT_EQ(messageForCode(code), loadMessage(ids[code])) << code;
        EXPECT_FALSE(messageForCode(code).empty()) << code;
    }
    EXPECT_EQ(messageForCode(5), "Invalid action in input file: ");
    EXPECT_EQ(messageForCode(20), "");
    EXPECT_EQ(messageForCode(-1), "");
}

TEST(Messages, LongTextsAreLoadedWhole) {
    EXPECT_EQ(loadMessage(34),
              " There may not be enough temporary disk space. Try using -vd:tempdir to use a "
              "temporary directory on a partition with more disk space.");
}

TEST(Messages, EveryTextOfTheCatalogSourceComesOutWhole) {
    // The build turns the catalog source into string resources (Windows) or
    // a table (POSIX); what comes out is the source's text, byte for byte,
    // for every id.
    std::ifstream source(LAUNCHER_SOURCE_DIR "/resources/messages/en.txt");
    ASSERT_TRUE(source.is_open());
    int checked = 0;
    for (std::string line; std::getline(source, line);) {
        const std::size_t tab = line.find('\t');
        if (line.empty() || line[0] == '#' || tab == std::string::npos) {
            continue;
        }
        EXPECT_EQ(loadMessage(std::stoi(line.substr(0, tab))), line.substr(tab + 1)) << line;
        ++checked;
    }
    EXPECT_GT(checked, 30);
}

TEST(Messages, AbsentIdsGiveEmptyTexts) {
    EXPECT_EQ(loadMessage(0), "");
    EXPECT_EQ(loadMessage(38), "");
    EXPECT_EQ(loadMessage(104), "");
    EXPECT_EQ(formatMessage(99, {"x"}), "");
}

TEST(Messages, InsertsAreFilledInOrder) {
    EXPECT_EQ(formatMessage(27, {"HKEY_X", "\\HKEY_X\\a\\b"}),
              "Invalid hive (HKEY_X) specified in platform hint (\\HKEY_X\\a\\b).");
    const struct {
        const char* format;
        std::vector<std::string> inserts;
        const char* expected;
    } cases[] = {
        {"%1!s! %2!s!", {"a", "b"}, "a b"},
        {"%2!s!-%1!s!-%2!s!", {"a", "b"}, "b-a-b"},
        {"100%% sure", {}, "100% sure"},
        {"missing [%3!s!]", {"a"}, "missing []"},  // an insert not given reads as empty
        {"", {"a"}, ""},
        {"plain", {}, "plain"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatText(c.format, c.inserts), c.expected) << c.format;
    }
}

}  // namespace
