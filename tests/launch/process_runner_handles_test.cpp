#include <gtest/gtest.h>

#include <string>

#include "launch/process_runner.h"
#include "programs/test_programs.h"
#include "support/temp_dir.h"

namespace {

// How many pipe ends a child started by the runner holds besides its
// standard streams.
int pipesHeldByChild(bool usePipes) {
    const TempDir directory;
    const std::string report = directory.file("pipes");
    std::string output;
    std::string error;
    ProcessRunner().run(childCommand("--count-pipes " + quotedProgram(report)), "", false, usePipes,
                        true, &output, &error, false);
    return std::stoi(readFile(report));
}

// The reading ends stay with the launcher: a child (or a process it leaves
// behind) holding one would keep the pipe open for ever.
TEST(ProcessRunnerHandles, ChildGetsNoPipeEndBesideItsStandardStreams) {
    EXPECT_EQ(pipesHeldByChild(true), pipesHeldByChild(false));
}

TEST(ProcessRunnerHandles, ChildWithoutWindowInANewConsoleStarts) {
    EXPECT_EQ(ProcessRunner().run(childCommand("--exit 5"), "", false, false, true, nullptr,
                                  nullptr, true),
              5);
}

}  // namespace
