// Running the launch command: the command line, the arguments as the
// program reads them, JAVA_HOME, SET_ENV_FOR_WIZARD, the working directory,
// the captured output and the exit code.  The program run is the test child
// (test_child.cpp) standing in for java.
#include <filesystem>

#include "base/path_text.h"
#include "launch/launch_fixture.h"
#include "launch/process_runner.h"
#include "payload/launcher_file.h"
#include "platform/environment.h"
#include "programs/numbered_lines.h"
#include "programs/test_programs.h"
#include "support/launcher_builder.h"
#include "tagfile/text_utils.h"

namespace fs = std::filesystem;

namespace {

class LaunchExecute : public LaunchTest {
protected:
    void SetUp() override {
        LaunchTest::SetUp();
        platform::setEnvironment("JAVA_HOME", "previous home");
        const std::string child = TEST_CHILD_PATH;
        jvm_.setValue("JVM_HOME", directoryPart(child));
        jvm_.setValue("JVM_EXE", namePart(child));
    }

    // A loaded launch script; `actions` follow the child program.
    static TagFile scriptTags(const std::string& actions, const TagValues& more = {}) {
        TagFile tags = jvmTags(more);
        tags.setValue("COMMAND", "\"@JVM_HOME@" + separator() + "@JVM_EXE@\" " + actions);
        return tags;
    }

    int execute(LaunchScript& script, const std::vector<std::string>* arguments = nullptr,
                bool forceConsole = false) {
        JvmFile jvmFile(jvm_);
        return script.execute(jvmFile, arguments, forceConsole);
    }

    // The command lines the log shows, in order.
    std::vector<std::string> loggedCommands() const {
        std::vector<std::string> commands;
        const std::string text = log();
        const std::string head = "Executing launch script command: ";
        for (size_t at = text.find(head); at != std::string::npos; at = text.find(head, at + 1)) {
            commands.push_back(
                text.substr(at + head.size(), text.find('\n', at) - at - head.size()));
        }
        return commands;
    }

    // The program as the template names it: the home, a separator, the name.
    std::string quotedChild() const {
        return "\"" + jvm_.getValue("JVM_HOME") + separator() + jvm_.getValue("JVM_EXE") + "\"";
    }

    TagFile jvm_;
};

TEST_F(LaunchExecute, ArgumentsReachTheProgramAsTheyWere) {
    const TagFile tags = scriptTags("--echo-args");
    LaunchScript script(tags);
    const std::vector<std::string> arguments = {
        "plain", "with blank", "say \"hi\"", "C:\\dir\\", "a\\\\\"b", "", "\\\\server\\share",
    };
    EXPECT_EQ(execute(script, &arguments), 0);
    std::string echoed;
    for (const std::string& argument : arguments) {
        echoed += "<" + argument + ">\n";
    }
    EXPECT_EQ(script.stdOut(), echoed);
}

TEST_F(LaunchExecute, OrdinaryArgumentsAreQuotedBehindTheTemplate) {
    const TagFile tags = scriptTags("--echo-args");
    LaunchScript script(tags);
    const std::vector<std::string> arguments = {"-silent", "two words"};
    execute(script, &arguments);
    EXPECT_EQ(loggedCommands(), std::vector<std::string>{quotedChild() +
                                                         " --echo-args \"-silent\" \"two words\""
                                                         " in working directory " +
                                                         launcherDirectory_.path()});
}

// The head of the template is dropped once; every run, and a template
// without that head, get the quote and the home in front all the same.
TEST_F(LaunchExecute, TheHomeGoesInFrontOnEveryRun) {
    const TagFile tags = scriptTags("--out x");
    LaunchScript script(tags);
    execute(script);
    execute(script);
    LaunchScript headless(separator() + "@JVM_EXE@\" --out x");
    execute(headless);
    const std::string command =
        quotedChild() + " --out x in working directory " + launcherDirectory_.path();
    EXPECT_EQ(loggedCommands(), std::vector<std::string>(3, command));
}

TEST_F(LaunchExecute, JavaHomeIsTheJvmsWhileItRunsAndPutBackAfter) {
    const TagFile tags = scriptTags("--env JAVA_HOME");
    LaunchScript script(tags);
    execute(script);
    EXPECT_EQ(script.stdOut(), jvm_.getValue("JVM_HOME") + "\n");
    EXPECT_EQ(platform::getEnvironment("JAVA_HOME"), "previous home");

    platform::unsetEnvironment("JAVA_HOME");
    execute(script);
    EXPECT_FALSE(platform::hasEnvironment("JAVA_HOME"));
}

// A program that cannot be started leaves JAVA_HOME as it was, so that a
// later run does not put back the failed JVM's home.
TEST_F(LaunchExecute, AFailedStartPutsJavaHomeBackToo) {
    jvm_.setValue("JVM_EXE", "no such program");
    const TagFile tags = scriptTags("");
    LaunchScript script(tags);
    try {
        execute(script);
        FAIL() << "the start must fail";
    } catch (const LauncherException& e) {
        EXPECT_EQ(e.text().rfind("CreateProcess failed  ==>  ", 0), 0u) << e.text();
    }
    EXPECT_EQ(platform::getEnvironment("JAVA_HOME"), "previous home");
}

TEST_F(LaunchExecute, AHomeWithADoubleQuoteIsRefused) {
    jvm_.setValue("JVM_HOME", "/jvm\" --touch injected \"");
    const TagFile tags = scriptTags("");
    LaunchScript script(tags);
    EXPECT_THROW(execute(script), LauncherException);
    EXPECT_TRUE(loggedCommands().empty());
}

// Each kind in a process of its own: the kind byte of the running launcher
// file is read once.
struct WizardCase {
    int kind;
    std::string printed;
};

class LaunchWizardEnvironment : public LaunchExecute,
                                public testing::WithParamInterface<WizardCase> {};

TEST_P(LaunchWizardEnvironment, FollowsTheLauncherKind) {
    LauncherBuilder(launcherDirectory_).kind(GetParam().kind).build("setup.exe");
    platform::setEnvironment("LAUNCH_WIZ_A", "unset");
    platform::setEnvironment("LAUNCH_WIZ_B", "unset");
    jvm_.setValue("SET_ENV_FOR_WIZARD", " LAUNCH_WIZ_A \t= one ");
    jvm_.addValue("SET_ENV_FOR_WIZARD", "LAUNCH_WIZ_B");
    jvm_.addValue("SET_ENV_FOR_WIZARD", "=no name");
    const TagFile tags = scriptTags("--env LAUNCH_WIZ_A --env LAUNCH_WIZ_B");
    LaunchScript script(tags);
    execute(script);
    EXPECT_EQ(script.stdOut(), GetParam().printed);
    // They stay set after the run.
    EXPECT_EQ(platform::getEnvironment("LAUNCH_WIZ_A") + "\n",
              GetParam().printed.substr(0, GetParam().printed.find('\n') + 1));
}

INSTANTIATE_TEST_SUITE_P(Kinds, LaunchWizardEnvironment,
                         testing::Values(WizardCase{0, "one\n\n"}, WizardCase{1, "unset\nunset\n"},
                                         WizardCase{2, "one\n\n"}),
                         [](const testing::TestParamInfo<WizardCase>& info) {
                             return "Kind" + std::to_string(info.param.kind);
                         });

TEST_F(LaunchExecute, TheWorkingDirectory) {
    const TempDir current;
    fs::current_path(current.path());
    const TagFile automatic = scriptTags("--touch marker");
    LaunchScript inLauncherDirectory(automatic);
    execute(inLauncherDirectory);
    EXPECT_TRUE(pathExists(launcherDirectory_.file("marker")));

    const TagFile notAutomatic = scriptTags("--touch marker", {{"AUTO_SET_WORKING_DIR", "0"}});
    LaunchScript inCurrentDirectory(notAutomatic);
    execute(inCurrentDirectory);
    EXPECT_TRUE(pathExists(current.file("marker")));
    EXPECT_EQ(loggedCommands().back(),
              quotedChild() + " --touch marker in current working directory");

    // A launcher in a root directory runs java there, not in the current one.
    runState().launcherFileName = separator() == "\\" ? "C:\\setup.exe" : "/setup";
    const TagFile quiet = scriptTags("--exit 0");
    LaunchScript inRoot(quiet);
    execute(inRoot);
    EXPECT_EQ(loggedCommands().back(), quotedChild() + " --exit 0 in working directory " +
                                           (separator() == "\\" ? "C:\\" : "/"));
    fs::current_path(launcherDirectory_.path());
}

TEST_F(LaunchExecute, OutputCollectsOverRunsAndIsLogged) {
    const TagFile tags = scriptTags("--out x --err y --exit 7");
    LaunchScript script(tags);
    EXPECT_EQ(execute(script), 7);
    EXPECT_EQ(execute(script), 7);
    EXPECT_EQ(script.stdOut(), "xx");
    EXPECT_EQ(script.errOut(), "yy");
    EXPECT_NE(log().find("Output from the launch script execution\nStdOut:\nxx\nErrOut:\nyy\n"),
              std::string::npos)
        << log();
}

// A program that writes more than anyone reads leaves the latest output.
TEST_F(LaunchExecute, CapturedOutputKeepsItsLatestFourMebibytes) {
    const size_t written = 5 * 1024 * 1024;
    const size_t kept = 4 * 1024 * 1024;
    const TagFile tags = scriptTags("--out-lines " + std::to_string(written));
    LaunchScript script(tags);
    setLogFile("");  // no copy of it all in the log
    EXPECT_EQ(execute(script), 0);
    EXPECT_EQ(script.stdOut(), numberedLines('o', kept, written - kept));
}

TEST_F(LaunchExecute, AConsoleCapturesNothing) {
    const TagFile shown = scriptTags("--err y", {{"DISPLAY_CONSOLE", "1"}});
    LaunchScript displayConsole(shown);
    EXPECT_EQ(execute(displayConsole), 0);
    const TagFile hidden = scriptTags("--err y");
    LaunchScript forced(hidden);
    EXPECT_EQ(execute(forced, nullptr, true), 0);
    EXPECT_EQ(displayConsole.errOut(), "");
    EXPECT_EQ(forced.errOut(), "");
    EXPECT_EQ(log().find("Output from the launch script execution"), std::string::npos);
}

}  // namespace
