#include <set>

#include "app/launcher_objects.h"
#include "app/run_launcher.h"
#include "base/launcher_exception.h"
#include "base/messages.h"
#include "base/path_text.h"
#include "jvm/search_fixture.h"
#include "payload/launcher_file.h"
#include "support/launcher_builder.h"

namespace {

using Strings = std::vector<std::string>;

// A JVM whose java cannot be started.
class UnstartableJava : public VerificationRunner {
public:
    std::string run(JvmFile&, const std::string&) override {
        throw LauncherException("CreateProcess failed");
    }
};

// The input-file actions run by the launcher with "-vd:in", with the fake
// verification runner in the launcher file's search.
class SearchActionsTest : public SearchTest {
protected:
    void SetUp() override {
        SearchTest::SetUp();
        const std::string jvm = "DESC: Java 5\nJVM_EXE: " + joinPath("bin", "java.exe") +
                                "\nPATH_HINT: jre\nJVM_PROPERTIES:\n  java.vendor=Good\n/:\n";
        writeFile(directory_.file("java5.jvm"), jvm);
        launcher_ = LauncherBuilder(directory_).add(kFileJvm, 1, "java5.jvm", jvm).build();
        launcherObjects().jvmSearch().setVerificationRunner(runner_);
    }

    // Runs the launcher with an input file of these lines; returns what it
    // printed.
    std::string runAction(const std::string& input) {
        writeFile(directory_.file("input.tag"),
                  input + "LOGFILE: \"" + directory_.file("launcher.log") + "\"\n");
        testing::internal::CaptureStdout();
        exitCode_ = runLauncher({"-vd:in", directory_.file("input.tag")}, launcher_);
        return testing::internal::GetCapturedStdout();
    }

    std::string launcher_;
    int exitCode_ = 0;
};

TEST_F(SearchActionsTest, SearchPrintsTheHomeAndAJvmFileThatOutlivesTheRun) {
    const std::string home = makeHome("jre");
    const std::string printed = runAction("ACTION: SEARCH\n");
    EXPECT_EQ(exitCode_, 0);
    const std::string prefix = "1\n" + home + "\n";
    ASSERT_EQ(printed.substr(0, prefix.size()), prefix) << printed;
    const std::string jvmFile = printed.substr(prefix.size(), printed.size() - prefix.size() - 1);
    cleanUp();
    EXPECT_EQ(TagFile(jvmFile).getValue("JVM_HOME"), home);
    EXPECT_EQ(TagFile(jvmFile).getValue("JVM_TEMP"), "1");
}

TEST_F(SearchActionsTest, SearchWithoutJvmPrintsZero) {
    EXPECT_EQ(runAction("ACTION: SEARCH\n"), "0\n");
    EXPECT_EQ(exitCode_, 0);
}

// The failure ends the search; the caller still reads a result.
TEST_F(SearchActionsTest, SearchThatFailsPrintsZero) {
    makeHome("jre");
    static UnstartableJava unstartable;
    launcherObjects().jvmSearch().setVerificationRunner(unstartable);
    EXPECT_EQ(runAction("ACTION: SEARCH\n"), "0\n");
    EXPECT_EQ(exitCode_, 0);
    const int noSuitableJvm = 23;
    EXPECT_TRUE(loggedLine("ERROR: " + loadMessage(noSuitableJvm) + " CreateProcess failed"))
        << logged();
}

TEST_F(SearchActionsTest, SearchAllPrintsEveryJvmWithItsFile) {
    const std::string a = makeHome(joinPath("drive", "a"));
    const std::string b = makeHome(joinPath("drive", "b"));
    makeHome(joinPath("drive", "c"), kOtherOutput);
    const std::string drive = directory_.file("drive");
    launcherObjects().jvmSearch().setDriveScan(
        [drive](const Strings& names, FileFoundHandler& handler) {
            return DriveFileFinder(names, handler).walk(drive);
        });
    const std::string printed = runAction("ACTION: SEARCH_ALL\n");
    cleanUp();
    size_t position = 0;
    Strings lines;
    for (std::string line; readLine(printed, position, line); line.clear()) {
        lines.push_back(line);
    }
    ASSERT_EQ(lines.size(), 5u) << printed;
    EXPECT_EQ(lines[0], "2");
    EXPECT_EQ((std::set<std::string>{lines[1], lines[3]}), (std::set<std::string>{a, b}));
    EXPECT_EQ(TagFile(lines[2]).getValue("JVM_HOME"), lines[1]);
    EXPECT_EQ(TagFile(lines[4]).getValue("JVM_HOME"), lines[3]);
    EXPECT_EQ(TagFile(lines[4]).getValue("JVM_TEMP"), "0");
    EXPECT_TRUE(loggedLine("Finding all matching JVMs")) << logged();
}

TEST_F(SearchActionsTest, SearchAllFailurePrintsOnlyZero) {
    makeHome(joinPath("drive", "a"));
    launcherObjects().jvmSearch().setDriveScan(
        [](const Strings&, FileFoundHandler& handler) -> bool {
            handler.onFileFound("x");
            throw LauncherException("Listing failed.");
        });
    EXPECT_EQ(runAction("ACTION: SEARCH_ALL\nSHOW_FAIL_MSG: 1\n"), "0\n");
    const std::string text = messageForCode(kErrSearchAll) + "Listing failed.";
    EXPECT_TRUE(loggedLine("ERROR: " + text)) << logged();
    EXPECT_NE(std::find(calls_.begin(), calls_.end(), "message:" + text), calls_.end());
    EXPECT_EQ(exitCode_, 0);
}

// The JVM files are written before anything is printed: a failure part way
// prints its 0 and nothing before it.
TEST_F(SearchActionsTest, SearchAllFailureWhileWritingPrintsOnlyZero) {
    makeHome(joinPath("drive", "a"));
    makeHome(joinPath("drive", "b"));
    const std::string drive = directory_.file("drive");
    launcherObjects().jvmSearch().setDriveScan(
        [drive](const Strings& names, FileFoundHandler& handler) {
            const bool stopped = DriveFileFinder(names, handler).walk(drive);
            closeWorkspace();  // no JVM file can be written from now on
            return stopped;
        });
    EXPECT_EQ(runAction("ACTION: SEARCH_ALL\n"), "0\n");
    EXPECT_EQ(runner_.runs.size(), 2u);
}

TEST_F(SearchActionsTest, VerifyJvmPrintsTheResult) {
    const std::string home = makeHome("jre");
    const std::string input = "ACTION: VERIFY_JVM\nVERIFY_JVM_FILE: \"" +
                              directory_.file("java5.jvm") + "\"\nVERIFY_JVM_HOME: \"";
    EXPECT_EQ(runAction(input + home + "\"\n"), "1\n");
    EXPECT_EQ(exitCode_, 0);
    EXPECT_EQ(runAction(input + directory_.file("none") + "\"\n"), "0\n");
    EXPECT_EQ(exitCode_, 0);
}

TEST_F(SearchActionsTest, VerifyJvmWithoutFileOrHomeFails) {
    const std::string file = "VERIFY_JVM_FILE: \"" + directory_.file("java5.jvm") + "\"\n";
    for (const std::string& input :
         {"ACTION: VERIFY_JVM\n" + file, std::string("ACTION: VERIFY_JVM\nVERIFY_JVM_HOME: x\n")}) {
        EXPECT_EQ(runAction(input), "");
        EXPECT_EQ(exitCode_, -1);
    }
    EXPECT_TRUE(
        loggedLine("ERROR: TO execute the VERIFY_JVM action, you must also provide values "
                   "in the input file for VERIFY_JVM_FILE and VERIFY_JVM_HOME."))
        << logged();
    EXPECT_TRUE(runner_.runs.empty());
}

TEST_F(SearchActionsTest, VerifyClassOfTheInputFileNeedsBothTags) {
    const std::string home = makeHome("jre");
    const std::string input = "ACTION: VERIFY_JVM\nVERIFY_JVM_FILE: \"" +
                              directory_.file("java5.jvm") + "\"\nVERIFY_JVM_HOME: \"" + home +
                              "\"\n";
    runAction(input + "VERIFY_CLASSPATH: only.jar\n");
    ASSERT_EQ(runner_.commands.size(), 1u);
    EXPECT_EQ(runner_.commands[0].find("only.jar"), std::string::npos) << runner_.commands[0];
    runAction(input + "VERIFY_CLASSPATH: \"\"\"my.jar\"\"\"\nVERIFY_CLASS_NAME: My\n");
    ASSERT_EQ(runner_.commands.size(), 2u);
    EXPECT_NE(runner_.commands[1].find("%CP%(\"\"\"my.jar\"\"\")  @REQ_JAVA_ARGS@ My java.vendor"),
              std::string::npos)
        << runner_.commands[1];
}

}  // namespace
