#include <gtest/gtest.h>

#include "base/variable_store.h"
#include "instructions/instruction_line_hook.h"
#include "instructions/script_fixture.h"
#include "tagfile/text_utils.h"

namespace {

using Lines = std::vector<std::string>;

struct ScriptCase {
    Lines script;
    Outcome expected;
};

// Runs each script with N1 = 5 and S5 empty.
void expectOutcomes(const std::vector<ScriptCase>& cases) {
    for (const ScriptCase& c : cases) {
        setNumber(1, 5);
        setText(5, "");
        EXPECT_EQ(runScript(c.script), c.expected) << testing::PrintToString(c.script);
    }
}

TEST(ScriptErrors, Structure) {
    expectOutcomes(
        {{{}, ok()},
         {{"// a comment", ":LABEL", "//\tanything at all"}, ok()},
         {{"   "}, instructionsError("No command specified.", 1)},
         {{"goto X"}, instructionsError("Invalid command (goto). ", 1)},
         {{"// fine", "//comment"}, instructionsError("Invalid command (//comment). ", 2)},
         {{"// x", ":L", "\"FOO\" bar"}, instructionsError("Invalid command (\"FOO\"). ", 3)},
         {{"GOTO"},
          instructionsError("The GOTO command requires a label as its only argument.", 1)},
         {{"GOTO NOWHERE"}, instructionsError("Label not found (NOWHERE)", 1)},
         // The label search starts at the second line.
         {{":FIRST", "GOTO FIRST"}, instructionsError("Label not found (FIRST)", 2)},
         // A label with blanks before it is skipped but never found.
         {{"// x", "  :L", "GOTO L"}, instructionsError("Label not found (L)", 3)},
         {{"// x", ":l", "GOTO L"}, instructionsError("Label not found (L)", 3)},
         {{"GOTO @S5@"},
          instructionsError("Label @S5@ resolved to a blank string. Labels cannot be blank.", 1)},
         {{"// x", "GOTO @N1"},
          instructionsError("Invalid label specified. Invalid variable specification.", 2)},
         // Errors inside a reference carry no line number.
         {{"GOTO @N9@"}, launcherError("Invalid label specified. Variable number is invalid (9)")},
         {{"// x", "// y", "// z", "bad"}, instructionsError("Invalid command (bad). ", 4)}});
}

TEST(ScriptErrors, Jumps) {
    expectOutcomes(
        {{{"JMP0"},
          instructionsError("The second argument to JMP0 must be numeric. Empty expression.", 1)},
         {{"JMP0 abc L"},
          instructionsError(
              "The second argument to JMP0 must be numeric.Invalid numeric expression (abc)", 1)},
         {{"JMP0 @N1@x1 L"}, ok()},
         {{"JMP0 0"}, instructionsError("JMP0 requires a jump label as its second argument.", 1)},
         {{"JMP0 1"}, instructionsError("JMP0 requires a jump label as its second argument.", 1)},
         // The label is looked up only when the jump is taken.
         {{"JMP0 1 NOWHERE"}, ok()},
         {{"JMP0 0 NOWHERE"}, instructionsError("Label not found (NOWHERE)", 1)}});
}

TEST(ScriptErrors, Set) {
    expectOutcomes(
        {{{"SET"}, instructionsError("Malformed SET statement.", 1)},
         {{"SET N1 7"}, instructionsError("SET statement is missing =.", 1)},
         {{"// x", "SET X1 = 3"},
          instructionsError(
              "Invalid variable specified on left hand side of SET statement. Invalid "
              "variable reference (X1). Must use N or S as the variable type, e.g. N2 or S1.",
              2)},
         {{"SET = 3"},
          instructionsError(
              "Invalid variable specified on left hand side of SET statement. Variable "
              "references must be at least 2 characters (e.g. N1 and S10).",
              1)},
         {{"SET S11 = 3"},
          instructionsError(
              "Invalid variable specified on left hand side of SET statement. Variable "
              "number is invalid (11)",
              1)},
         {{"SET N2 = x"},
          instructionsError(
              "Invalid value specified for SET command Invalid numeric expression in x", 1)},
         {{"SET N2 ="},
          instructionsError(
              "Invalid value specified for SET command Invalid numeric expression in ", 1)},
         {{"SET N2 = 99999999999"},
          instructionsError("Invalid value specified for SET command Invalid numeric expression in "
                            "99999999999",
                            1)},
         {{"SET S1 = @N1"},
          instructionsError(
              "Invalid expression specified for SET command Invalid variable specification.", 1)},
         {{"SET S1 = \"\""},
          instructionsError("Invalid expression specified for SET command Empty expression.", 1)},
         {{"SET S1 = @X1@"},
          instructionsError(
              "Invalid expression specified for SET command Invalid variable reference (X1). "
              "Must use N or S as the variable type, e.g. N2 or S1.",
              1)},
         // A quoted value without its closing quote carries the line number too.
         {{"// x", "SET S1 = \"abc"},
          instructionsError("Expected double quote to end argument near 1", 2)}});
}

TEST(Script, WithoutInstructionsTagReturnsZero) {
    TagFile empty;
    empty.setValue("OTHER", "GOTO X");
    EXPECT_EQ(InstructionInterpreter(empty, testJvmSearch()).run(), 0);
}

TEST(Script, SetStoresEvaluatedValues) {
    setNumber(1, 5);
    setText(2, "with \"quotes\" and blanks");
    const TagFile file = instructionsFile({
        "SET N2 = 7",
        "SET n3=\t-4 ",
        "SET N4 = \" 12abc\"",
        "SET N5 = @N1@",
        "SET S1 = \"a b\"",
        "SET S3 = a b",
        "SET S4 =",
        "SET S5 = \"say \"\"hi\"\"\" ignored",
        "SET S6 = \"@N1@ and @S2@\"",
        "SET S7 = a@@b",
        "SET S8 = \"x = y\"",
        "SET N3x = @N3@",
    });
    InstructionInterpreter(file, testJvmSearch()).run();
    EXPECT_EQ(getNumber(2), 7);
    EXPECT_EQ(getNumber(3), -4);
    EXPECT_EQ(getNumber(4), 12);
    EXPECT_EQ(getNumber(5), 5);
    EXPECT_EQ(getText(1), "a b");
    EXPECT_EQ(getText(3), "a");
    EXPECT_EQ(getText(4), "");
    EXPECT_EQ(getText(5), "say \"hi\"");
    EXPECT_EQ(getText(6), "5 and with \"quotes\" and blanks");
    EXPECT_EQ(getText(7), "a@b");
    EXPECT_EQ(getText(8), "x = y");
}

TEST(Script, JumpsResumeAfterTheLabel) {
    const TagFile file = instructionsFile({
        "SET N1 = 1",
        "SET N2 = 0",
        "GOTO SKIP",
        "SET N1 = 2",
        ":SKIP",
        "JMP0 @N2@ TAKEN",
        "SET N1 = 3",
        ":TAKEN",
        "JMP0 1 NOT_TAKEN",
        "SET N2 = 4",
        ":NOT_TAKEN",
    });
    EXPECT_EQ(InstructionInterpreter(file, testJvmSearch()).run(), 0);
    EXPECT_EQ(getNumber(1), 1);
    EXPECT_EQ(getNumber(2), 4);
}

TEST(Script, VariablesKeepTheirValuesAfterAnError) {
    const TagFile file = instructionsFile({"SET N1 = 8", "SET N2 = x", "SET N1 = 9"});
    InstructionInterpreter interpreter(file, testJvmSearch());
    EXPECT_THROW(interpreter.run(), InstructionsException);
    EXPECT_EQ(getNumber(1), 8);
}

// Restores the default (no hook) at the end of a test.
class LineHook : public testing::Test {
protected:
    void TearDown() override { setInstructionLineHook(nullptr); }
};

TEST_F(LineHook, IsCalledBeforeEveryExecutedLine) {
    int calls = 0;
    setInstructionLineHook([&] { ++calls; });
    const TagFile file = instructionsFile({"GOTO END", "// skipped", ":END", "// last"});
    InstructionInterpreter(file, testJvmSearch()).run();
    EXPECT_EQ(calls, 2);  // the label line is jumped over
}

TEST_F(LineHook, CanEndABackwardLoop) {
    int calls = 0;
    setInstructionLineHook([&] {
        if (++calls == 1000) {
            throw LauncherException("Canceled by the user.");
        }
    });
    EXPECT_EQ(runScript({"// start", ":AGAIN", "GOTO AGAIN"}),
              launcherError("Canceled by the user."));
    EXPECT_EQ(calls, 1000);
}

// The operations on their own; the line number is then 1.
class Expressions : public testing::Test {
protected:
    void SetUp() override {
        setNumber(1, 5);
        setText(1, "q");
        setText(2, "@N1@!");  // a value holding a reference
        setText(3, "");
        setText(4, "@N1@");
    }

    TagFile file_ = instructionsFile({":A", "x", ":B", ":B"});
    InstructionInterpreter interpreter_{file_, testJvmSearch()};
};

TEST_F(Expressions, SubstituteVariables) {
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"@N1@", "5"},     {"@n1@", "5"},  {"plain", "plain"},
        {"a@@b", "a@b"},   {"@@", "@"},    {"x@N1@y@S1@z", "x5yqz"},
        {"@S2@", "5!"},                     // expanded again in a further pass
        {"@S3@@N1@", "5"},                  // an empty value before a reference
        {"@S4@", "5"},                      // a value that starts with a reference
        {"<@S3@>", "<>"},  {"@N3x@", "0"},  // what follows the number is ignored
    };
    setNumber(3, 0);
    for (const auto& c : cases) {
        std::string text = c.text;
        interpreter_.substituteVariables(text, "ctx");
        EXPECT_EQ(text, c.expected) << c.text;
    }
}

TEST_F(Expressions, SubstitutionErrors) {
    const struct {
        const char* text;
        Outcome expected;
    } cases[] = {
        {"", instructionsError("ctx Empty expression.", 1)},
        {"@N1", instructionsError("ctx Invalid variable specification.", 1)},
        {"a@b", instructionsError("ctx Invalid variable specification.", 1)},
        // The "@" left by "@@" is scanned again when a second pass follows.
        {"@N1@ a@@b", instructionsError("ctx Invalid variable specification.", 1)},
        {"@N7@", launcherError("ctx Variable number is invalid (7)")},
        {"@Q1@", launcherError("ctx Invalid variable reference (Q1). Must use N or S as the "
                               "variable type, e.g. N2 or S1.")},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(outcomeOf([&] { interpreter_.substituteVariables(text, "ctx"); }), c.expected)
            << c.text;
    }
}

TEST_F(Expressions, SelfReferencesAreBounded) {
    const struct {
        int variable;
        const char* value;
    } loops[] = {
        {5, "@S5@"},      // the same length for ever
        {5, "x@S5@"},     // one longer each time
        {5, "@S5@@S5@"},  // twice as long each time
        {6, "@S7@"},      // through another variable
    };
    setText(7, "@S6@");
    for (const auto& loop : loops) {
        setText(loop.variable, loop.value);
        const std::string reference = "[@S" + std::to_string(loop.variable) + "@]";
        std::string text = reference;
        EXPECT_EQ(outcomeOf([&] { interpreter_.substituteVariables(text, "ctx"); }),
                  instructionsError(
                      "ctx The variable references in (" + reference + ") expand without end.", 1))
            << loop.value;
    }
}

TEST_F(Expressions, EvaluateString) {
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"", ""},
        {"\"a b\"", "a b"},
        {"a b", "a"},
        {"a\tb", "a"},
        {"\"a\"\"b\"", "a\"b"},
        {"\"a\" tail", "a"},
        {"\"@N1@ x\"", "5 x"},
        {"@S2@ x", "5!"},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        interpreter_.evaluateString(text, "ctx");
        EXPECT_EQ(text, c.expected) << c.text;
    }
    std::string unterminated = "\"abc";
    EXPECT_EQ(outcomeOf([&] { interpreter_.evaluateString(unterminated, "ctx"); }),
              launcherError("Expected double quote to end argument near 1"));
    std::string emptyQuoted = "\"\"";
    EXPECT_EQ(outcomeOf([&] { interpreter_.evaluateString(emptyQuoted, "ctx"); }),
              instructionsError("ctx Empty expression.", 1));
}

TEST_F(Expressions, NumbersAndBooleans) {
    EXPECT_EQ(interpreter_.parseNumber(" -7x", "ctx"), -7);
    EXPECT_EQ(interpreter_.parseNumber("@N1@", "ctx"), 5);
    EXPECT_EQ(interpreter_.parseNumber("-2147483648", "ctx"), INT32_MIN);
    EXPECT_EQ(interpreter_.parseShortNumber("32767", "ctx"), 32767);
    EXPECT_EQ(interpreter_.parseShortNumber("@N1@0", "ctx"), 50);
    EXPECT_FALSE(interpreter_.parseBoolean("0", ""));
    setNumber(2, 1);
    EXPECT_TRUE(interpreter_.parseBoolean("@N2@", ""));

    const struct {
        std::function<void()> operation;
        Outcome expected;
    } errors[] = {
        {[&] { interpreter_.parseNumber("abc", "ctx"); },
         instructionsError("ctxInvalid numeric expression (abc)", 1)},
        {[&] { interpreter_.parseNumber("2147483648", ""); },
         instructionsError("Invalid numeric expression (2147483648)", 1)},
        {[&] { interpreter_.parseNumber("@N1@x", "ctx"); }, ok()},
        {[&] { interpreter_.parseNumber("x@N1@", "ctx"); },
         instructionsError("ctxInvalid numeric expression (x5)", 1)},
        {[&] { interpreter_.parseNumber("", ""); }, instructionsError(" Empty expression.", 1)},
        {[&] { interpreter_.parseShortNumber("32768", "ctx"); },
         instructionsError("ctx Invalid numeric expression (32768)", 1)},
        {[&] { interpreter_.parseShortNumber("", ""); },
         instructionsError(" Empty expression.", 1)},
        {[&] { interpreter_.parseShortNumber("s", ""); },
         instructionsError(" Invalid numeric expression (s)", 1)},
        {[&] { interpreter_.parseBoolean("2", ""); },
         instructionsError(" Invalid boolean value (2)", 1)},
        // The boolean error quotes the text before substitution.
        {[&] { interpreter_.parseBoolean("@N1@", "ctx"); },
         instructionsError("ctx Invalid boolean value (@N1@)", 1)},
        {[&] { interpreter_.parseBoolean("yes", "ctx"); },
         instructionsError("ctxInvalid numeric expression (yes)", 1)},
    };
    for (const auto& e : errors) {
        EXPECT_EQ(outcomeOf(e.operation), e.expected);
    }
}

TEST_F(Expressions, FindLabelSkipsTheFirstLineAndTakesTheFirstMatch) {
    EXPECT_EQ(interpreter_.findLabel("B"), 2);
    setText(1, "B");
    EXPECT_EQ(interpreter_.findLabel("@S1@"), 2);
    EXPECT_EQ(outcomeOf([&] { interpreter_.findLabel("A"); }),
              instructionsError("Label not found (A)", 1));
}

TEST(NextToken, ReadsWordsAndConsumesOneSeparator) {
    const std::string text = "  GOTO\tL  ";
    ScriptLine line(text);
    EXPECT_EQ(InstructionInterpreter::nextToken(line), "GOTO");
    EXPECT_EQ(line.position, 7);
    EXPECT_EQ(InstructionInterpreter::nextToken(line), "L");
    EXPECT_EQ(line.position, 9);
    EXPECT_FALSE(line.failed);
    EXPECT_EQ(InstructionInterpreter::nextToken(line), "");
    EXPECT_TRUE(line.failed);
    EXPECT_EQ(line.position, 9);

    const std::string quotes = "\"a b\"\v\fc";
    ScriptLine quoted(quotes);
    EXPECT_EQ(InstructionInterpreter::nextToken(quoted), "\"a");
    EXPECT_EQ(InstructionInterpreter::nextToken(quoted), "b\"");
    EXPECT_EQ(InstructionInterpreter::nextToken(quoted), "c");
    EXPECT_FALSE(quoted.failed);
}

TEST_F(Expressions, ReadLaunchArgument) {
    const struct {
        const char* line;
        const char* argument;
        long position;
    } cases[] = {
        {"\"a b\" 10", "a b", 5},     {"plain 10", "plain", 6}, {" \t\"a\"\"b\" 1", "a\"b", 8},
        {"\"a\"\"\"b\" 1", "a\"", 5},  // an odd run of quotes ends the argument
        {"\"@N1@\" 1", "5", 6},       {"@S2@\t1", "5!", 5},     {"", "", 0},
        {"last", "last", 4},
    };
    for (const auto& c : cases) {
        const std::string text = c.line;
        ScriptLine line(text);
        EXPECT_EQ(interpreter_.readLaunchArgument(line, "ctx"), c.argument) << c.line;
        EXPECT_EQ(line.position, c.position) << c.line;
    }
    for (const char* unterminated : {"\"abc", "  \"ab\"\""}) {
        const std::string text = unterminated;
        ScriptLine line(text);
        EXPECT_EQ(outcomeOf([&] { interpreter_.readLaunchArgument(line, "ctx"); }),
                  launcherError("Expected ending quote in " + trim(text) + ":  ctx"))
            << unterminated;
    }
}

}  // namespace
