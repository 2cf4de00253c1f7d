#include <gtest/gtest.h>

#include <functional>

#include "base/launcher_exception.h"
#include "base/variable_store.h"
#include "instructions/script_fixture.h"
#include "instructions/variable_reference.h"

namespace {

TEST(VariableStore, KeepsFiveNumbersAndTenTexts) {
    setNumber(5, -12);
    setText(10, "ten");
    EXPECT_EQ(getNumber(5), -12);
    EXPECT_EQ(getText(10), "ten");
    const struct {
        std::function<void()> operation;
        const char* text;
    } cases[] = {
        {[] { getNumber(0); }, "Invalid numeric variable number: 0"},
        {[] { setNumber(6, 1); }, "Invalid numeric variable number: 6"},
        {[] { getText(11); }, "Invalid string variable number: 11"},
        {[] { setText(-1, ""); }, "Invalid string variable number: -1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(outcomeOf(c.operation), launcherError(c.text));
    }
}

TEST(VariableReference, ParsesTypeAndNumber) {
    const struct {
        const char* text;
        char type;
        int number;
    } cases[] = {{"N1", 'N', 1}, {"n3", 'N', 3},    {"N5", 'N', 5},  {"S10", 'S', 10},
                 {"s1", 'S', 1}, {"N3abc", 'N', 3}, {"S 2", 'S', 2}, {"N+4", 'N', 4}};
    for (const auto& c : cases) {
        const VariableReference reference = VariableReference::parse(c.text, "ctx");
        EXPECT_EQ(reference.type(), c.type) << c.text;
        EXPECT_EQ(reference.number(), c.number) << c.text;
    }
}

TEST(VariableReference, RefusesBadNamesWithTheContext) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"", "ctx Variable references must be at least 2 characters (e.g. N1 and S10)."},
        {"N", "ctx Variable references must be at least 2 characters (e.g. N1 and S10)."},
        {"X1",
         "ctx Invalid variable reference (X1). Must use N or S as the variable type, e.g. N2 or "
         "S1."},
        {"N6", "ctx Variable number is invalid (6)"},
        {"N0", "ctx Variable number is invalid (0)"},
        {"S0", "ctx Variable number is invalid (0)"},
        {"S11", "ctx Variable number is invalid (11)"},
        {"Nx", "ctx Variable number is invalid (x)"},
        {"N-1", "ctx Variable number is invalid (-1)"},
        {"S4294967297", "ctx Variable number is invalid (4294967297)"},  // no wrap-around
    };
    for (const auto& c : cases) {
        EXPECT_EQ(outcomeOf([&] { VariableReference::parse(c.text, "ctx"); }),
                  launcherError(c.error));
    }
}

TEST(VariableReference, ValueAndAssignment) {
    const VariableReference number = VariableReference::parse("N2", "ctx");
    number.assign(" -17 apples", "ctx");
    EXPECT_EQ(getNumber(2), -17);
    EXPECT_EQ(number.value(), "-17");
    for (const char* bad : {"x", "", "2147483648"}) {
        EXPECT_EQ(outcomeOf([&] { number.assign(bad, "ctx"); }),
                  launcherError(std::string("ctx Invalid numeric expression in ") + bad));
    }
    EXPECT_EQ(getNumber(2), -17);

    const VariableReference text = VariableReference::parse("S7", "ctx");
    text.assign(" as it is ", "ctx");
    EXPECT_EQ(getText(7), " as it is ");
    EXPECT_EQ(text.value(), " as it is ");
}

}  // namespace
