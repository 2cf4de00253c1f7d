#include <gtest/gtest.h>

#include <memory>

#include "base/facade.h"
#include "base/log.h"
#include "base/messages.h"
#include "base/variable_store.h"
#include "instructions/embedded_launcher.h"
#include "instructions/script_fixture.h"
#include "launch/quoted_argument.h"
#include "support/recording_launcher.h"
#include "support/temp_dir.h"
#include "tagfile/text_utils.h"

namespace {

using Calls = std::vector<std::string>;

// A recording front end, and a log file, for the length of a test.  The
// launcher file of this process has no index, so it holds no embedded file.
class Commands : public testing::Test {
protected:
    void SetUp() override {
        useRecordingLauncher(&calls_);
        setLogFile(log_.file("log.txt"));
    }
    void TearDown() override {
        setLogFile("");
        setSilent(false);
        setCurrentLauncher(nullptr);
    }

    Calls calls_;
    TempDir log_;
};

TEST_F(Commands, InitializeUiShowsTheStatusAndTheWindow) {
    EXPECT_EQ(runScript({"INITIALIZE_UI"}), ok());
    EXPECT_EQ(calls_, (Calls{"status:" + formatMessage(2, {"Wizard"}), "show"}));

    calls_.clear();
    setSilent(true);
    EXPECT_EQ(runScript({"INITIALIZE_UI"}), ok());
    EXPECT_EQ(calls_, Calls{"hide:0"});
}

TEST_F(Commands, ArgumentErrors) {
    const std::string installUsage = "The first argument to INSTALL_JVM should be a 0, 1 or 2.";
    const struct {
        std::vector<std::string> script;
        Outcome expected;
    } cases[] = {
        {{"// x", "INSTALL_JVM"}, instructionsError(installUsage, 2)},
        {{"INSTALL_JVM 3"}, instructionsError(installUsage, 1)},
        {{"INSTALL_JVM -1"}, instructionsError(installUsage, 1)},
        {{"INSTALL_JVM abc"}, instructionsError("Invalid numeric expression (abc)", 1)},
        {{"INSTALL_JVM @N9@"}, launcherError(" Variable number is invalid (9)")},
        {{"EXECUTE_LAUNCHER"},
         instructionsError("The EXECUTE_LAUNCHER command requires the position of the embedded "
                           "launcher in the file index as its only argument.",
                           1)},
        {{"EXECUTE_LAUNCHER x"}, instructionsError("Invalid numeric expression (x)", 1)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(runScript(c.script), c.expected) << testing::PrintToString(c.script);
    }
    EXPECT_TRUE(calls_.empty());
}

TEST_F(Commands, InstallJvmWithoutInstallerFailsAfterResettingItsResults) {
    const struct {
        const char* line;
        Calls calls;
    } cases[] = {
        {"INSTALL_JVM 0", {"hide:0"}},
        {"INSTALL_JVM 1", {"show", "status:" + formatMessage(4, {"Wizard"})}},
        {"INSTALL_JVM 2", {"show", "status:" + formatMessage(4, {"Wizard"})}},
    };
    for (const auto& c : cases) {
        calls_.clear();
        setNumber(1, 7);
        setText(1, "earlier");
        EXPECT_EQ(runScript({c.line}), launcherError(messageForCode(kErrNoJvmInstaller)));
        EXPECT_EQ(calls_, c.calls) << c.line;
        EXPECT_EQ(getNumber(1), 0);
        EXPECT_EQ(getText(1), "");
    }
}

TEST_F(Commands, ExecuteLauncherAtAPositionWithoutOneOnlyLogs) {
    EXPECT_EQ(runScript({"EXECUTE_LAUNCHER 0", "EXECUTE_LAUNCHER -1", "SET N2 = 3"}), ok());
    EXPECT_EQ(getNumber(2), 3);
    EXPECT_TRUE(endsWith(textFileContents(log_.file("log.txt")),
                         "\nERROR: Unable to execute the embedded launcher.\n"
                         "ERROR: Unable to execute the embedded launcher.\n"));
}

TEST(QuotedArgument, ReadsBackUnchanged) {
    const struct {
        const char* text;
        const char* quoted;
    } cases[] = {
        {"plain", "\"plain\""},
        {"", "\"\""},
        {"a b", "\"a b\""},
        {"C:\\dir\\file.exe", "\"C:\\dir\\file.exe\""},  // inner backslashes stay single
        {"C:\\dir\\", "\"C:\\dir\\\\\""},                // a trailing one is doubled
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"a\\\"b", "\"a\\\\\\\"b\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(quotedArgument(c.text), c.quoted) << c.text;
    }
}

TEST(EmbeddedLauncherCommandLine, NamesTheOriginalLauncherAndPassesEveryArgument) {
    EXPECT_EQ(embeddedLauncherCommandLine("/tmp/LRE1.tmp/setup", "/home/u/my setup",
                                          {"-vd:log", "x y", "-console"}),
              "\"/tmp/LRE1.tmp/setup\" -vd:orig \"/home/u/my setup\" \"-vd:log\" \"x y\" "
              "\"-console\"");
    EXPECT_EQ(embeddedLauncherCommandLine("p", "l", {}), "\"p\" -vd:orig \"l\"");
}

}  // namespace
