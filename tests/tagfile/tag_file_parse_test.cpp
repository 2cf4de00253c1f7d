#include <gtest/gtest.h>

#include <string>

#include "base/log.h"
#include "tagfile/tag_file_fixture.h"

namespace {

using namespace std::string_literals;

struct ParseCase {
    const char* what;
    std::string text;
    TagList expected;
};

class ParseExamples : public TagFileTest, public testing::WithParamInterface<ParseCase> {};

TEST_P(ParseExamples, GivesTheTags) {
    TagFile tags;
    EXPECT_EQ(parse(tags, GetParam().text), "");
    EXPECT_EQ(contents(tags), GetParam().expected);
    EXPECT_TRUE(tags.loaded());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseExamples,
    testing::Values(
        ParseCase{"trailing blanks are trimmed", "A: x   \n", {{"A", {"x"}}}},
        ParseCase{"a quoted text keeps its blanks", "A: \" x \"\n", {{"A", {" x "}}}},
        ParseCase{"the name is trimmed", "A :x\n", {{"A", {"x"}}}},
        ParseCase{"only the first colon separates", "A:x:y\n", {{"A", {"x:y"}}}},
        ParseCase{"inner blanks of a name stay", "\tMy Tag : v w\n", {{"My Tag", {"v w"}}}},
        ParseCase{"an empty name is allowed", ":x\n", {{"", {"x"}}}},
        ParseCase{"a quoted empty text", "A: \"\"\n", {{"A", {""}}}},
        ParseCase{"a quote pair is one quote, text after the closing quote is dropped",
                  "A: \"say \"\"hi\"\"\" tail\n",
                  {{"A", {"say \"hi\""}}}},
        ParseCase{"a launch command with doubled quotes",
                  "COMMAND: \"\"\"@JVM@\"\" -cp \"\"x y\"\" Main\"\n",
                  {{"COMMAND", {"\"@JVM@\" -cp \"x y\" Main"}}}},
        ParseCase{"a quote inside a plain value is kept", "A: x\"y\n", {{"A", {"x\"y"}}}},
        ParseCase{
            "empty value lines are skipped", "A:\none\n\n\"\"\ntwo\n/:\n", {{"A", {"one", "two"}}}},
        ParseCase{"value lines are trimmed and unquoted",
                  "A:\n   one  \n\"a\"\"b\" rest\n\" c \"\n/:\n",
                  {{"A", {"one", "a\"b", " c "}}}},
        ParseCase{"a quoted completer ends the list",
                  "A:\none\n\"/:\"\nB: b\n",
                  {{"A", {"one"}}, {"B", {"b"}}}},
        ParseCase{
            "tag lines inside a list are values", "A:\nB: x\nC:\n/:\n", {{"A", {"B: x", "C:"}}}},
        ParseCase{"a list without values leaves the tag absent", "A:\n/:\nB: b\n", {{"B", {"b"}}}},
        ParseCase{"a tag named again replaces the first and moves to the end",
                  "A: 1\nB: b\nA:\n2\n3\n/:\nC: c\nA: 4\n",
                  {{"B", {"b"}}, {"C", {"c"}}, {"A", {"4"}}}},
        ParseCase{"blank lines anywhere", "\n  \n\t\nA:\tv\n\n", {{"A", {"v"}}}},
        ParseCase{"carriage return line ends",
                  "A: x\r\nB:\r\n y\r\n/:\r\n",
                  {{"A", {"x"}}, {"B", {"y"}}}},
        ParseCase{"a carriage return inside a line is dropped", "A: x\ry\n", {{"A", {"xy"}}}},
        ParseCase{"carriage returns alone do not end lines", "A: x\rB: y\r", {{"A", {"xB: y"}}}},
        ParseCase{
            "no line end after the last line", "A: x\nB:\ny\n/:", {{"A", {"x"}}, {"B", {"y"}}}},
        ParseCase{"NUL bytes are ordinary characters",
                  "A: x\0y\nB\0: z\n"s,
                  {{"A", {"x\0y"s}}, {"B\0"s, {"z"}}}},
        ParseCase{"an empty file", "", {}}),
    [](const testing::TestParamInfo<ParseCase>& info) {
        return "Case" + std::to_string(info.index);
    });

TEST_F(TagFileTest, LookupsOfAValueList) {
    TagFile tags;
    ASSERT_EQ(parse(tags, "A:\none\n\n\"\"\ntwo\n/:\n"), "");
    EXPECT_EQ(tags.count("A"), 2);
    EXPECT_EQ(tags.getValue("A"), "one");
    EXPECT_EQ(tags.getValue("A", 1), "two");
    EXPECT_EQ(tags.getValue("A", 2), "");
    EXPECT_EQ(tags.getValue("A", -1), "");
    EXPECT_EQ(tags.count("a"), 0);  // names are case-sensitive
    EXPECT_EQ(tags.getValue("B"), "");
}

struct ErrorCase {
    std::string text;
    std::string error;
    TagList kept;
};

class ParseErrors : public TagFileTest, public testing::WithParamInterface<ErrorCase> {};

TEST_P(ParseErrors, StopWithTheMessage) {
    TagFile tags;
    EXPECT_EQ(parse(tags, GetParam().text), GetParam().error);
    EXPECT_EQ(contents(tags), GetParam().kept);
    EXPECT_FALSE(tags.loaded());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseErrors,
    testing::Values(
        ErrorCase{
            "A: 1\n\nno colon here\nB: 2\n",
            "Syntax error in test.tag at line 3 ==> Missing colon at the end of the tag name.",
            {{"A", {"1"}}}},
        ErrorCase{"A: 1\r\nB:\r\none\r\n\r\ntwo\r\n",
                  "Syntax error in test.tag at line 2 ==> Missing /: tag completer.",
                  {{"A", {"1"}}, {"B", {"one", "two"}}}},
        ErrorCase{"A:\nx",
                  "Syntax error in test.tag at line 1 ==> Missing /: tag completer.",
                  {{"A", {"x"}}}},
        ErrorCase{"A: \"abc\n", "Expected double quote to end argument near 4", {}},
        ErrorCase{"A: \"a\"\"b\n", "Expected double quote to end argument near 7", {}},
        ErrorCase{"A: \"ab\"\"\n", "Expected double quote to end argument near -1", {}},
        ErrorCase{"A: 1\nB:\nx\n\"abc\n/:\n",
                  "Expected double quote to end argument near 1",
                  {{"A", {"1"}}, {"B", {"x"}}}}));

TEST_F(TagFileTest, SyntaxErrorsAreLoggedAsErrors) {
    const std::string log = dir_.file("launcher.log");
    setLogFile(log);
    TagFile tags;
    parse(tags, "A: 1\nbroken\n");
    parse(tags, "A: \"open\n");  // not a syntax error: not logged
    setLogFile("");
    const std::string written = readFile(log);
    EXPECT_NE(written.find("ERROR: Syntax error in test.tag at line 2 ==> Missing colon at the end "
                           "of the tag name."),
              std::string::npos);
    EXPECT_EQ(written.find("open"), std::string::npos);
    EXPECT_EQ(written.find("Expected"), std::string::npos);
}

TEST_F(TagFileTest, ParsingAgainAddsToTheTags) {
    TagFile tags;
    ASSERT_EQ(parse(tags, "A: 1\nB: 2\n"), "");
    tags.parse("\nB: 3\nC: 4\n", "second.tag");
    EXPECT_EQ(contents(tags), (TagList{{"A", {"1"}}, {"B", {"3"}}, {"C", {"4"}}}));
    EXPECT_EQ(tags.fileName(), "second.tag");
    EXPECT_EQ(tags.lineCount(), 3);
}

TEST_F(TagFileTest, CreatedFromAFile) {
    writeFile(path(), "A: 1\n");
    const TagFile tags(path());
    EXPECT_EQ(contents(tags), (TagList{{"A", {"1"}}}));
    EXPECT_EQ(tags.fileName(), path());
    EXPECT_TRUE(tags.loaded());
}

TEST_F(TagFileTest, AFileThatCannotBeReadCannotBeLoaded) {
    for (const std::string& unreadable : {dir_.file("missing.tag"), dir_.path()}) {
        try {
            TagFile tags(unreadable);
            ADD_FAILURE() << "no exception for " << unreadable;
        } catch (const LauncherException& e) {
            EXPECT_EQ(e.text(), "Unable to load input file: " + unreadable);
        }
    }
}

}  // namespace
