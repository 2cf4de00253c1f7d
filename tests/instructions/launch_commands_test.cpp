// LAUNCH and ILAUNCH in the instruction script: the JVM file they launch
// with, the progress window, the result that the run returns and the
// failure message.  The program run is the test child standing in for java.
#include <memory>

#include "base/facade.h"
#include "base/path_text.h"
#include "instructions/instruction_interpreter.h"
#include "instructions/script_fixture.h"
#include "launch/launch_fixture.h"
#include "payload/launcher_file.h"
#include "programs/test_programs.h"
#include "support/launcher_builder.h"
#include "support/recording_launcher.h"
#include "tagfile/text_utils.h"

namespace {

class LaunchCommands : public LaunchTest {
protected:
    void SetUp() override {
        LaunchTest::SetUp();
        useRecordingLauncher(&calls_);
    }
    void TearDown() override {
        setCurrentLauncher(nullptr);
        LaunchTest::TearDown();
    }

    // A JVM file of the test child whose CODE tag the template uses.
    static std::string jvmFileText(const std::string& code) {
        const std::string child = TEST_CHILD_PATH;
        return "JVM_HOME: " + directoryPart(child) + "\nJVM_EXE: " + namePart(child) +
               "\nCODE: " + code + "\n";
    }
    std::string jvmFileOnDisk(const std::string& name, const std::string& code) const {
        writeFile(launcherDirectory_.file(name), jvmFileText(code));
        return launcherDirectory_.file(name);
    }

    // Runs the lines with the launch script `actions` (behind the child).
    Outcome run(const std::vector<std::string>& lines, const std::string& actions, int& result) {
        TagFile scriptTags;
        scriptTags.setValue("COMMAND", "\"@JVM_HOME@" + separator() + "@JVM_EXE@\" " + actions);
        LaunchScript script(scriptTags);
        const TagFile instructions = instructionsFile(lines);
        InstructionInterpreter interpreter(instructions, testJvmSearch(), &script);
        return outcomeOf([&] { result = interpreter.run(); });
    }

    std::vector<std::string> calls_;
};

TEST_F(LaunchCommands, TheLastLaunchGivesTheResultAndTheFailureMessage) {
    const std::string first = jvmFileOnDisk("first.jvm", "3");
    const std::string second = jvmFileOnDisk("second.jvm", "5");
    int result = 0;
    EXPECT_EQ(run({"LAUNCH \"" + first + "\" 0", "SET S1 = \"" + second + "\"", "LAUNCH @S1@ 0"},
                  "--err @CODE@ --exit @CODE@", result),
              ok());
    EXPECT_EQ(result, 5);
    // The standard error of every run of the script so far.
    EXPECT_EQ(runState().failureMessage, "35");
}

TEST_F(LaunchCommands, TheWindowHidesAtOnceOrShowsTheRunningStatusFirst) {
    const std::string jvm = jvmFileOnDisk("jvm", "0");
    int result = 0;
    run({"LAUNCH " + jvm + " 0"}, "", result);
    EXPECT_EQ(calls_, std::vector<std::string>{"hide:0"});
    calls_.clear();
    run({"LAUNCH " + jvm + " 10"}, "", result);
    EXPECT_EQ(calls_, (std::vector<std::string>{"status:Running Wizard...", "hide:10"}));
}

TEST_F(LaunchCommands, ApplicationArgumentsAndTheJavaConsoleComeFromTheRun) {
    const std::string jvm = jvmFileOnDisk("jvm", "0");
    runState().applicationArguments = {"-silent", "a \"b\" c\\"};
    int result = 0;
    run({"LAUNCH " + jvm + " 0"}, "--err e --echo-args", result);
    EXPECT_EQ(runState().failureMessage, "e");
    EXPECT_NE(log().find("StdOut:\n<-silent>\n<a \"b\" c\\>\n"), std::string::npos) << log();

    runState().javaConsole = true;
    runState().failureMessage.clear();
    run({"LAUNCH " + jvm + " 0"}, "--err e", result);
    EXPECT_EQ(runState().failureMessage, "");
}

TEST_F(LaunchCommands, WithoutALaunchScriptLaunchGivesMinusOneSilently) {
    const TagFile instructions = instructionsFile({"LAUNCH no-such-file 5"});
    EXPECT_EQ(InstructionInterpreter(instructions, testJvmSearch()).run(), -1);
    EXPECT_TRUE(calls_.empty());
    EXPECT_EQ(log(), "");
}

TEST_F(LaunchCommands, ArgumentErrors) {
    const std::string jvm = jvmFileOnDisk("jvm", "0");
    const struct {
        std::string line;
        Outcome outcome;
    } cases[] = {
        {"LAUNCH",
         instructionsError("The second argument to LAUNCH should be the number of seconds to "
                           "display the UI during the launch.",
                           1)},
        {"LAUNCH " + jvm,
         instructionsError("The second argument to LAUNCH should be the number of seconds to "
                           "display the UI during the launch.",
                           1)},
        {"LAUNCH " + jvm + " soon", instructionsError(" Invalid numeric expression (soon)", 1)},
        {"LAUNCH \"" + jvm + " 0",
         launcherError("Expected ending quote in \"" + jvm +
                       " 0:  Invalid jvm file name specified in LAUNCH.")},
        {"ILAUNCH",
         instructionsError(
             "The first argument to ILAUNCH should be the file index number of the jvm file.", 1)},
        {"ILAUNCH 1",
         instructionsError("The second argument to ILAUNCH should be the number of seconds to "
                           "display the UI during the launch.",
                           1)},
        {"ILAUNCH one 0", instructionsError("Invalid numeric expression (one)", 1)},
        {"LAUNCH " + launcherDirectory_.file("missing") + " 0",
         launcherError("Unable to load input file: " + launcherDirectory_.file("missing"))},
    };
    for (const auto& c : cases) {
        int result = 0;
        EXPECT_EQ(run({c.line}, "", result), c.outcome) << c.line;
    }
}

class InternalLaunch : public LaunchCommands {
protected:
    void SetUp() override {
        LaunchCommands::SetUp();
        LauncherBuilder(launcherDirectory_)
            .add(kFileJvm, 4, "jvm.tag", jvmFileText("4"))
            .add(kFileArchive, 6, "a.jar", "PK")
            .build("setup.exe");
        launcherFile().load(true);
    }
};

TEST_F(InternalLaunch, RunsWithTheEmbeddedJvmFile) {
    int result = 0;
    EXPECT_EQ(run({"ILAUNCH 4 0"}, "--exit @CODE@", result), ok());
    EXPECT_EQ(result, 4);
}

TEST_F(InternalLaunch, AnIdOfNoJvmFileOnlyLogs) {
    for (const std::string line : {"ILAUNCH 5 0", "ILAUNCH 6 0"}) {
        int result = 0;
        EXPECT_EQ(run({"ILAUNCH 4 0", line}, "--exit @CODE@", result), ok()) << line;
        EXPECT_EQ(result, -1) << line;
    }
    EXPECT_TRUE(endsWith(log(),
                         "ERROR: Unable to launch the internal launch script with the internal JVM "
                         "file. Either the launch script or the JVM file is missing from the "
                         "launcher.\n"));
}

TEST_F(InternalLaunch, WithoutALaunchScriptOnlyLogs) {
    const TagFile instructions = instructionsFile({"ILAUNCH 4 0"});
    EXPECT_EQ(InstructionInterpreter(instructions, testJvmSearch()).run(), -1);
    EXPECT_NE(log().find("ERROR: Unable to launch the internal launch script"), std::string::npos);
}

}  // namespace
