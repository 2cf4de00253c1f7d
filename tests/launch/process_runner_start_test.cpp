#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "base/launcher_exception.h"
#include "base/messages.h"
#include "launch/process_runner.h"
#include "launch/quoted_argument.h"
#include "platform/environment.h"
#include "platform/process.h"
#include "platform/system.h"
#include "programs/test_programs.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

// Runs and waits, with or without pipes; the output is dropped.
int runChild(const std::string& commandLine, const std::string& workingDirectory, bool usePipes) {
    std::string output;
    std::string error;
    return ProcessRunner().run(commandLine, workingDirectory, false, usePipes, true, &output,
                               &error, false);
}

std::string captureOutput(const std::string& commandLine) {
    std::string output;
    std::string error;
    ProcessRunner().run(commandLine, "", false, true, true, &output, &error, false);
    return output;
}

// Changes the current directory for the life of the object.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::string& directory) : saved_(fs::current_path()) {
        fs::current_path(directory);
    }
    ~CurrentDirectory() { fs::current_path(saved_); }

private:
    fs::path saved_;
};

class WithAndWithoutPipes : public testing::TestWithParam<bool> {};

INSTANTIATE_TEST_SUITE_P(Runner, WithAndWithoutPipes, testing::Values(true, false),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? "Pipes" : "NoPipes";
                         });

TEST_P(WithAndWithoutPipes, ReturnsTheExitCode) {
    for (const int code : {0, 7, 255}) {
        EXPECT_EQ(runChild(childCommand("--exit " + std::to_string(code)), "", GetParam()), code);
    }
}

// A launcher that is being ended ends the child it waits for, which may run
// from its workspace, and starts no other.
TEST_P(WithAndWithoutPipes, EndingForGoodEndsTheWaitedChildAndStartsNoMore) {
    const TempDir directory;
    const std::string started = directory.file("started");
    int exitCode = 0;
    std::thread run([&] {
        exitCode = runChild(childCommand("--touch " + quotedProgram(started) + " --sleep 60000"),
                            "", GetParam());
    });
    while (!pathExists(started)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    endChildrenForGood();
    run.join();
    const bool windows = platform::pathSeparator() == '\\';
    EXPECT_EQ(exitCode, windows ? static_cast<int>(0xC000013A) : 128 + 9);
    EXPECT_THROW(runChild(childCommand("--exit 0"), "", GetParam()), LauncherException);
}

// 259 is what Windows reports for a child that is still running; a child
// that really ends with it must not keep the runner waiting.
TEST(ProcessRunnerStart, ChildEndingWithTheStillActiveCodeEnds) {
    const std::string command = childCommand("--sleep 100 --exit 259");
    const int plain = runChild(command, "", false);
    EXPECT_EQ(runChild(command, "", true), plain);
    EXPECT_EQ(plain & 0xff, 3);  // POSIX keeps the low byte only
}

TEST_P(WithAndWithoutPipes, StartsTheChildInTheWorkingDirectory) {
    const TempDir directory;
    runChild(childCommand("--touch marker"), directory.path(), GetParam());
    EXPECT_TRUE(pathExists(directory.file("marker")));
}

TEST_P(WithAndWithoutPipes, EmptyWorkingDirectoryMeansTheLaunchersOwn) {
    const TempDir directory;
    const CurrentDirectory current(directory.path());
    runChild(childCommand("--touch marker"), "", GetParam());
    EXPECT_TRUE(pathExists(directory.file("marker")));
}

TEST_P(WithAndWithoutPipes, MissingProgramFailsWithTheSystemText) {
    const TempDir directory;
    constexpr unsigned long kFileNotFound = 2;  // ERROR_FILE_NOT_FOUND and ENOENT
    try {
        runChild(quotedProgram(directory.file("missing-program")) + " --exit 0", "", GetParam());
        FAIL() << "no exception";
    } catch (const LauncherException& failure) {
        EXPECT_EQ(failure.text(), "CreateProcess failed  ==>  " + systemErrorText(kFileNotFound));
    }
}

TEST_P(WithAndWithoutPipes, FailsToStartWhereItCannotRun) {
    const TempDir directory;
    const std::string missingDirectory = directory.file("missing");
    for (const auto& [commandLine, workingDirectory] :
         {std::pair<std::string, std::string>{"", ""},
          {childCommand("--touch marker"), missingDirectory}}) {
        try {
            runChild(commandLine, workingDirectory, GetParam());
            ADD_FAILURE() << "no exception for \"" << commandLine << "\"";
        } catch (const LauncherException& failure) {
            const std::string prefix = "CreateProcess failed  ==>  ";
            EXPECT_EQ(failure.text().compare(0, prefix.size(), prefix), 0) << failure.text();
            EXPECT_GT(failure.text().size(), prefix.size());
        }
    }
    EXPECT_FALSE(pathExists(missingDirectory));
}

TEST(ProcessRunnerStart, WithoutWaitingReturnsZeroAtOnce) {
    const TempDir directory;
    const std::string marker = directory.file("marker");
    // The window and new-console options are those of a started embedded launcher.
    EXPECT_EQ(ProcessRunner().run(childCommand("--sleep 300 --touch \"" + marker + "\" --exit 7"),
                                  "", true, false, false, nullptr, nullptr, true),
              0);
    EXPECT_EQ(ProcessRunner().run(childCommand("--exit 9"), "", false, false, false, nullptr,
                                  nullptr, false),
              0);
    // The child still runs to its end on its own.
    for (int wait = 0; wait < 200 && !pathExists(marker); ++wait) {
        platform::sleepMilliseconds(50);
    }
    EXPECT_TRUE(pathExists(marker));
}

TEST(ProcessRunnerStart, ChildGetsTheLaunchersEnvironment) {
    platform::setEnvironment("PROCESS_RUNNER_TEST_VALUE", "a value with blanks");
    EXPECT_EQ(captureOutput(childCommand("--env PROCESS_RUNNER_TEST_VALUE")),
              "a value with blanks\n");
}

TEST(ProcessRunnerStart, FindsAProgramWhosePathHasBlanks) {
    const TempDir directory;
    const std::string folder = directory.file("folder with blanks");
    fs::create_directory(folder);
    const std::string copy = (fs::path(folder) / fs::path(TEST_CHILD_PATH).filename()).string();
    fs::copy_file(TEST_CHILD_PATH, copy);
    EXPECT_EQ(captureOutput(quotedProgram(copy) + " --out found"), "found");
}

// Windows forbids a double quote in a file name; POSIX allows it, and a
// program path quoted as every argument is (quotedArgument) names the file.
TEST(ProcessRunnerStart, FindsAProgramWhosePathHoldsDoubleQuotesAndBackslashes) {
    if (platform::pathSeparator() == '\\') {
        GTEST_SKIP() << "no Windows file name holds a double quote";
    }
    const TempDir directory;
    for (const char* name : {"say \"hi\"", "back\\", "x\\\"y"}) {
        const std::string folder = directory.file(name);
        fs::create_directory(folder);
        const std::string copy = (fs::path(folder) / "test_child").string();
        fs::copy_file(TEST_CHILD_PATH, copy);
        EXPECT_EQ(captureOutput(quotedArgument(copy) + " --out found"), "found") << copy;
    }
}

TEST(ProcessRunnerStart, RelativeProgramPathIsTakenFromTheLaunchersDirectory) {
    const TempDir elsewhere;
    const CurrentDirectory current(fs::path(TEST_CHILD_PATH).parent_path().string());
    const std::string program = std::string(".") + platform::pathSeparator() + "test_child";
    runChild(program + " --touch marker", elsewhere.path(), true);
    EXPECT_TRUE(pathExists(elsewhere.file("marker")));
}

struct ArgumentsCase {
    const char* arguments;
    const char* received;  // each argument as <argument> on a line
};

class CommandLineArguments : public testing::TestWithParam<ArgumentsCase> {};

TEST_P(CommandLineArguments, ReachTheChildAsWindowsProgramsSplitThem) {
    EXPECT_EQ(captureOutput(childCommand(std::string("--echo-args ") + GetParam().arguments)),
              GetParam().received);
}

INSTANTIATE_TEST_SUITE_P(
    Runner, CommandLineArguments,
    testing::Values(ArgumentsCase{"a b  c", "<a>\n<b>\n<c>\n"}, ArgumentsCase{"a\tb", "<a>\n<b>\n"},
                    ArgumentsCase{R"("a b" c)", "<a b>\n<c>\n"},
                    ArgumentsCase{R"(a"b c"d)", "<ab cd>\n"},
                    ArgumentsCase{R"(a\\b c\d)", "<a\\\\b>\n<c\\d>\n"},
                    ArgumentsCase{R"(a\"b)", "<a\"b>\n"}, ArgumentsCase{R"(a\\\"b)", "<a\\\"b>\n"},
                    ArgumentsCase{R"("a\\" b)", "<a\\>\n<b>\n"},
                    ArgumentsCase{R"("a\\\\")", "<a\\\\>\n"},
                    ArgumentsCase{R"("\"quoted\"")", "<\"quoted\">\n"},
                    ArgumentsCase{R"(end\)", "<end\\>\n"}, ArgumentsCase{R"("" x)", "<>\n<x>\n"},
                    ArgumentsCase{R"("open to the end)", "<open to the end>\n"}));

struct FlagsCase {
    bool showWindow;
    bool newConsole;
    unsigned long flags;
};

TEST(ProcessRunnerStart, CreationFlagsFollowWindowAndConsole) {
    for (const FlagsCase& c :
         {FlagsCase{false, false, 0x08000008}, FlagsCase{false, true, 0x00000010},
          FlagsCase{true, false, 0}, FlagsCase{true, true, 0x00000010}}) {
        EXPECT_EQ(processCreationFlags(c.showWindow, c.newConsole), c.flags)
            << c.showWindow << c.newConsole;
    }
}

}  // namespace
