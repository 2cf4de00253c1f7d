#include <gtest/gtest.h>

#include <map>
#include <string>

#include "jvmfile/macro_expander.h"

namespace {

// Replaces a reference by the value the test gives its name, and records the
// spans it was asked to replace.
class TableExpander : public MacroExpander {
public:
    explicit TableExpander(std::map<std::string, std::string> values)
        : values_(std::move(values)) {}

    void substitute(std::string& text, char, size_t start, size_t end) override {
        calls_ += text.substr(start, end - start + 1) + ";";
        text.replace(start, end - start + 1, values_[text.substr(start + 1, end - start - 1)]);
    }
    const std::string& calls() const { return calls_; }

private:
    std::map<std::string, std::string> values_;
    std::string calls_;
};

struct ScanCase {
    const char* text;
    const char* expanded;
    const char* calls;  // the spans substituted, in order
};

class MacroScan : public testing::TestWithParam<ScanCase> {};

TEST_P(MacroScan, ExpandsAsTheDelimiterScanReadsIt) {
    TableExpander expander(
        std::map<std::string, std::string>{{"A", "a"}, {"B", "[@A@]"}, {"E", ""}, {"AT", "@@"}});
    EXPECT_EQ(expander.expand(GetParam().text, '@'), GetParam().expanded);
    EXPECT_EQ(expander.calls(), GetParam().calls);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MacroScan,
    testing::Values(ScanCase{"", "", ""}, ScanCase{"@", "@", ""}, ScanCase{"x@A", "x@A", ""},
                    ScanCase{"@A@", "a", "@A@;"}, ScanCase{"<@A@|@A@>", "<a|a>", "@A@;@A@;"},
                    // Replacement text is scanned again.
                    ScanCase{"@B@", "[a]", "@B@;@A@;"},
                    // An empty value does not hide the reference behind it.
                    ScanCase{"@E@@A@", "a", "@E@;@A@;"},
                    // A name has at least one character: "@@" opens no reference when
                    // nothing follows, and becomes one "@" at the end.
                    ScanCase{"a@@", "a@", ""}, ScanCase{"@@", "@", ""},
                    // Four in a row: the first and third enclose the name "@".
                    ScanCase{"@@@@", "@", "@@@;"},
                    // A doubled delimiter still opens a name when another follows: "@A".
                    ScanCase{"@@A@", "", "@@A@;"},
                    // Doubled delimiters in a value collapse after the scan.
                    ScanCase{"x@AT@y", "x@y", "@AT@;"}));

TEST(MacroExpander, EndlessReferencesFailClearly) {
    struct Case {
        std::map<std::string, std::string> values;
        const char* text;
    };
    const Case cases[] = {
        {{{"A", "@A@"}}, "@A@"},                   // refers to itself
        {{{"A", "x@B@"}, {"B", "@A@"}}, "<@A@>"},  // through another
        {{{"A", "@A@@A@"}}, "@A@"},                // and grows
    };
    for (const Case& c : cases) {
        TableExpander expander(c.values);
        try {
            expander.expand(c.text, '@');
            ADD_FAILURE() << c.text << " expanded";
        } catch (const ExpansionLimitError& e) {
            EXPECT_EQ(e.text(),
                      std::string("The references in (") + c.text + ") expand without end.");
        }
    }
}

TEST(MacroExpander, ManyDistinctReferencesExpand) {
    TableExpander expander(std::map<std::string, std::string>{{"A", "a"}});
    std::string text;
    for (int i = 0; i < 500; ++i) {
        text += "@A@ ";
    }
    const std::string expanded = expander.expand(text, '@');
    EXPECT_EQ(expanded.size(), 500u * 2);
}

}  // namespace
