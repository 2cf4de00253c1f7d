#include "base/facade.h"
#include "base/messages.h"
#include "base/variable_store.h"
#include "instructions/script_fixture.h"
#include "jvm/search_fixture.h"
#include "payload/launcher_file.h"

namespace {

using Strings = std::vector<std::string>;

class FindJvmTest : public SearchTest {
protected:
    Outcome run(const Strings& lines) {
        const TagFile file = instructionsFile(lines);
        InstructionInterpreter interpreter(file, search_);
        return outcomeOf([&] { interpreter.run(); });
    }
    // S1, S2 and N1.
    Strings results() const { return {getText(1), getText(2), std::to_string(getNumber(1))}; }
    bool called(const std::string& call) const {
        return std::find(calls_.begin(), calls_.end(), call) != calls_.end();
    }
    // A java.exe where the user can pick it.
    std::string pickable(const std::string& relative) {
        const std::string path = directory_.file(relative);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        writeFile(path, "java");
        return path;
    }
};

TEST_F(FindJvmTest, FoundJvmGetsItsJvmFileAndVariables) {
    const std::string home = makeHome("jre");
    addJvmFile({"First", {"java.vendor=Good"}, {"jre"}});
    ASSERT_EQ(run({"FIND_JVM 1 1"}), ok());
    const Strings set = results();
    EXPECT_EQ(set[0], home);
    EXPECT_EQ(set[2], "1");
    const TagFile written(set[1]);
    EXPECT_EQ(written.getValue("JVM_HOME"), home);
    EXPECT_EQ(written.getValue("JVM_FILE"), set[1]);
    EXPECT_EQ(written.getValue("JVM_TEMP"), "1");
    EXPECT_EQ(written.getValue("DESC"), "First");
    EXPECT_TRUE(loggedLine("Finding a JVM"));
    EXPECT_TRUE(loggedLine("Matching JVM home is " + home));
    EXPECT_TRUE(loggedLine("Matching JVM file is " + set[1]));
    EXPECT_TRUE(called("status:" + formatMessage(3, {"Wizard"})));
    EXPECT_TRUE(called("show"));
    EXPECT_EQ(prompts_, 0);
}

TEST_F(FindJvmTest, WithoutUiTheWindowIsHiddenAndNothingFoundIsQuiet) {
    setText(1, "old");
    setText(2, "old");
    setNumber(1, 1);
    addJvmFile({"First", {"java.vendor=Good"}, {"missing"}});
    ASSERT_EQ(run({"FIND_JVM 0 0"}), ok());
    EXPECT_EQ(results(), (Strings{"", "", "0"}));
    EXPECT_EQ(calls_.front(), "hide:0");
    EXPECT_EQ(prompts_, 0) << "no prompt without showFailure";
    EXPECT_FALSE(called("message:" + loadMessage(23)));
}

TEST_F(FindJvmTest, NothingFoundShowsTheJvmMessageAndTakesTheUsersJava) {
    auto message = std::make_unique<TagFile>();
    message->setValue("MESSAGE", "Please install Java 5.");
    launcherFile().useJvmMessage(std::move(message));
    const char s = platform::pathSeparator();
    chosenFile_ = pickable(std::string("picked") + s + "bin" + s + "java.exe");
    addJvmFile({"First", {"java.vendor=Good"}, {"missing"}});
    ASSERT_EQ(run({"FIND_JVM 1 1"}), ok());
    const std::string home = directory_.file("picked");
    const Strings set = results();
    EXPECT_EQ(set[0], home);
    EXPECT_EQ(set[2], "1");
    EXPECT_EQ(prompts_, 1);
    const TagFile written(set[1]);
    EXPECT_EQ(written.getValue("JVM_HOME"), home);
    EXPECT_EQ(written.getValue("JVM_EXE"), std::string("bin") + s + "java.exe");
    EXPECT_EQ(written.getValue("CLASSPATH"), " -cp ");
    EXPECT_EQ(written.getValue("CLASSPATH_SEPARATOR"), ";");
    EXPECT_EQ(written.getValue("SYSTEM"), " -D");
    EXPECT_EQ(written.getValue("SYSTEM_SEPARATOR"), "=");
    EXPECT_EQ(written.getValue("JVM_TEMP"), "0");
    EXPECT_TRUE(loggedLine("Please install Java 5.")) << logged();
    EXPECT_TRUE(loggedLine("user selected JVM_HOME=" + home)) << logged();
    const auto shown = std::find(calls_.begin(), calls_.end(), "message:Please install Java 5.");
    ASSERT_NE(shown, calls_.end());
    EXPECT_EQ(*(shown + 1), "message:" + loadMessage(23));
    EXPECT_TRUE(runner_.runs.empty()) << "the user's pick is not verified";
}

TEST_F(FindJvmTest, PickThatIsNoJavaBelowBinIsRefused) {
    const char s = platform::pathSeparator();
    const struct {
        std::string file;
        bool create;
    } cases[] = {
        {std::string("jre") + s + "bin" + s + "javaw.exe", true},
        {std::string("jrebin") + s + "java.exe", true},
        {std::string("jre") + s + "BIN" + s + "java.exe", true},
        {std::string("gone") + s + "bin" + s + "java.exe", false},
    };
    addJvmFile({"First", {"java.vendor=Good"}, {"missing"}});
    for (const auto& c : cases) {
        calls_.clear();
        chosenFile_ = c.create ? pickable(c.file) : directory_.file(c.file);
        ASSERT_EQ(run({"FIND_JVM 1 1"}), ok());
        EXPECT_EQ(results(), (Strings{"", "", "0"})) << c.file;
        EXPECT_EQ(calls_.back(), "message:" + loadMessage(37)) << c.file;
    }
}

TEST_F(FindJvmTest, CancelledPickOrCancelledRunEndsWithNothing) {
    addJvmFile({"First", {"java.vendor=Good"}, {"missing"}});
    ASSERT_EQ(run({"FIND_JVM 1 1"}), ok());
    EXPECT_EQ(prompts_, 1);
    EXPECT_EQ(results(), (Strings{"", "", "0"}));
    EXPECT_FALSE(called("message:" + loadMessage(37)));
    requestCancel();
    ASSERT_EQ(run({"FIND_JVM 1 1"}), ok());
    EXPECT_EQ(prompts_, 1) << "no prompt after a cancel request";
}

TEST_F(FindJvmTest, LauncherFailureIsLoggedShownAndThrownOn) {
    class FailingRunner : public VerificationRunner {
    public:
        std::string run(JvmFile&, const std::string&) override {
            throw LauncherException("Cannot start java.");
        }
    } failing;
    search_.setVerificationRunner(failing);
    makeHome("jre");
    addJvmFile({"First", {"java.vendor=Good"}, {"jre"}});
    EXPECT_EQ(run({"FIND_JVM 0 1"}), launcherError("Cannot start java."));
    const std::string text = loadMessage(23) + " Cannot start java.";
    EXPECT_TRUE(loggedLine("ERROR: " + text)) << logged();
    EXPECT_TRUE(called("message:" + text));
    calls_.clear();
    EXPECT_EQ(run({"FIND_JVM 0 0"}), launcherError("Cannot start java."));
    EXPECT_FALSE(called("message:" + text)) << "shown only with showFailure";
}

TEST_F(FindJvmTest, ArgumentErrors) {
    const std::string first =
        "The first argument to FIND_JVM should be a 1 if the UI should be displayed or a 0 if "
        "the UI should be suppressed.";
    const std::string second =
        "The second argument to FIND_JVM should be a 1 if a find failure message should be "
        "displayed in a UI or 0 if no message should be displayed.";
    const struct {
        std::string line;
        Outcome outcome;
    } cases[] = {
        {"FIND_JVM", instructionsError(first, 1)},
        {"FIND_JVM 1", instructionsError(second, 1)},
        {"FIND_JVM 2 1", instructionsError(" Invalid boolean value (2)", 1)},
        {"FIND_JVM 1 x", instructionsError("Invalid numeric expression (x)", 1)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(run({c.line}), c.outcome) << c.line;
    }
    EXPECT_EQ(prompts_, 0);
}

}  // namespace
