#include "base/messages.h"
#include "base/path_text.h"
#include "base/variable_store.h"
#include "instructions/script_fixture.h"
#include "jvm/search_fixture.h"
#include "payload/launcher_file.h"
#include "support/launcher_builder.h"

namespace {

using Strings = std::vector<std::string>;

class VerifyTest : public SearchTest {
protected:
    // The running launcher file: a JVM file (id 1) whose own home is `home`,
    // an archive (id 2) and two verification archives (ids 3 and 4).
    void useLauncherFile(const std::string& home, bool withTagFiles = true) {
        const std::string jvm = "DESC: Java 5\nJVM_EXE: " + joinPath("bin", "java.exe") +
                                "\nJVM_HOME: \"" + home +
                                "\"\nJVM_PROPERTIES:\n  java.vendor=Good\n/:\n";
        runState().launcherFileName = LauncherBuilder(directory_)
                                          .add(kFileJvm, 1, "java5.jvm", jvm)
                                          .add(kFileArchive, 2, "lib.jar", "lib")
                                          .add(kFileVerifyArchive, 3, "old.jar", "old")
                                          .add(kFileVerifyArchive, 4, "verify.jar", "verify")
                                          .build();
        launcherFile().load(withTagFiles);
    }
    Outcome run(const Strings& lines) {
        const TagFile file = instructionsFile(lines);
        InstructionInterpreter interpreter(file, search_);
        return outcomeOf([&] { interpreter.run(); });
    }
    bool called(const std::string& call) const {
        return std::find(calls_.begin(), calls_.end(), call) != calls_.end();
    }
};

TEST_F(VerifyTest, AcceptedOwnHomeSetsTheVariables) {
    const std::string home = makeHome("jre");
    useLauncherFile(home);
    setText(1, "old");
    ASSERT_EQ(run({"VERIFY 1 1 1"}), ok());
    EXPECT_EQ(getNumber(1), 1);
    EXPECT_EQ(getText(1), home);
    EXPECT_EQ(runner_.runs, Strings{"Java 5|" + home});
    EXPECT_TRUE(loggedLine("After VERIFY, the jvm home is " + home)) << logged();
    EXPECT_TRUE(called("status:" + formatMessage(3, {"Wizard"})));
    EXPECT_TRUE(called("show"));
    EXPECT_TRUE(
        called("detail:" + formatMessage(3, {"Wizard"}) + "|" + formatMessage(26, {"Java 5"})));
}

TEST_F(VerifyTest, TheVerificationArchiveGoesIntoTheWorkspace) {
    useLauncherFile(makeHome("jre"));
    ASSERT_EQ(run({"VERIFY 0 0 1"}), ok());
    ASSERT_EQ(runner_.commands.size(), 1u);
    const std::string& command = runner_.commands[0];
    const std::string cp = "%CP%(\"\"\"";
    const size_t start = command.find(cp);
    ASSERT_NE(start, std::string::npos) << command;
    const size_t end = command.find("\"\"\")  @REQ_JAVA_ARGS@ \"Verify\" java.vendor", start);
    ASSERT_NE(end, std::string::npos) << command;
    const std::string archive = command.substr(start + cp.size(), end - start - cp.size());
    EXPECT_EQ(namePart(archive), "verify.jar") << "the last one";
    EXPECT_EQ(readFile(archive), "verify");
    EXPECT_FALSE(pathExists(joinPath(directoryPart(archive), "old.jar"))) << "only the last";
}

TEST_F(VerifyTest, JavaHomeOptionIsVerifiedInsteadOfTheOwnHome) {
    const std::string own = makeHome("own");
    const std::string given = makeHome("given", kOtherOutput);
    useLauncherFile(own);
    runState().javaHomeOption = given;
    ASSERT_EQ(run({"VERIFY 0 1 1"}), ok());
    EXPECT_EQ(getNumber(1), 0);
    EXPECT_EQ(runner_.runs, Strings{"Java 5|" + given});
    EXPECT_TRUE(called("hide:0"));
    EXPECT_TRUE(called("message:" + loadMessage(21)));
    EXPECT_TRUE(loggedLine("In VERIFY, the jvm is invalid.")) << logged();
}

TEST_F(VerifyTest, RefusedWithoutFailureMessageIsOnlyLogged) {
    useLauncherFile(directory_.file("nothing"));
    setNumber(1, 1);
    ASSERT_EQ(run({"VERIFY 0 0 1"}), ok());
    EXPECT_EQ(getNumber(1), 0);
    EXPECT_FALSE(called("message:" + loadMessage(21)));
    EXPECT_TRUE(loggedLine("In VERIFY, the jvm is invalid.")) << logged();
}

TEST_F(VerifyTest, ArgumentAndFileErrors) {
    useLauncherFile(directory_.file("nothing"));
    const struct {
        std::string line;
        Outcome outcome;
    } cases[] = {
        {"VERIFY",
         instructionsError("The first argument to VERIFY should be a 1 if the UI should be "
                           "displayed or a 0 if the UI should be suppressed.",
                           1)},
        {"VERIFY 1",
         instructionsError("The second argument to VERIFY should be a 1 if a find failure "
                           "message should be displayed in a UI or 0 if no message should be "
                           "displayed.",
                           1)},
        {"VERIFY 1 0",
         instructionsError(
             "The third argument to VERIFY should be the file index number of the jvm file.", 1)},
        {"VERIFY 0 0 9",
         launcherError("Cannot verify jvm file at index 9 because it does not exist.")},
        {"VERIFY 0 0 2",
         launcherError("To verify a JVM, use an index of a jvm file. The index passed in was 2 "
                       "which corresponds to the file named lib.jar")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(run({c.line}), c.outcome) << c.line;
    }
    EXPECT_TRUE(runner_.runs.empty());
}

TEST_F(VerifyTest, UnreadJvmFileIsAnError) {
    useLauncherFile(directory_.file("nothing"), false);
    EXPECT_EQ(run({"VERIFY 0 0 1"}),
              launcherError("The jvm file with file id 1 could not be read."));
}

}  // namespace
