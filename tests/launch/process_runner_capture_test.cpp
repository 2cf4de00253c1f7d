#include <gtest/gtest.h>

#include <chrono>

#include "launch/process_runner.h"
#include "programs/numbered_lines.h"
#include "programs/test_programs.h"

namespace {

struct Captured {
    int exitCode = 0;
    std::string output;
    std::string error;
};

Captured capture(const std::string& actions) {
    Captured captured;
    captured.exitCode = ProcessRunner().run(childCommand(actions), "", false, true, true,
                                            &captured.output, &captured.error, false);
    return captured;
}

// Compares without printing megabytes: the sizes and the first difference.
testing::AssertionResult sameBytes(const std::string& actual, const std::string& expected) {
    if (actual == expected) {
        return testing::AssertionSuccess();
    }
    std::size_t first = 0;
    while (first < actual.size() && first < expected.size() && actual[first] == expected[first]) {
        ++first;
    }
    return testing::AssertionFailure()
           << "got " << actual.size() << " bytes, expected " << expected.size()
           << "; first difference at " << first << ": \"" << actual.substr(first, 40)
           << "\" instead of \"" << expected.substr(first, 40) << "\"";
}

struct CaptureCase {
    const char* name;
    std::string actions;
    std::string output;
    std::string error;
};

class CapturedOutput : public testing::TestWithParam<CaptureCase> {};

TEST_P(CapturedOutput, ReachesTheSinksCompletely) {
    const Captured captured = capture(GetParam().actions);
    EXPECT_EQ(captured.exitCode, 0);
    EXPECT_TRUE(sameBytes(captured.output, GetParam().output));
    EXPECT_TRUE(sameBytes(captured.error, GetParam().error));
}

INSTANTIATE_TEST_SUITE_P(
    Children, CapturedOutput,
    testing::Values(
        CaptureCase{"Nothing", "--exit 0", "", ""},
        CaptureCase{"TextOnBoth", "--out \"line one\\nline two\\n\" --err oops",
                    "line one\nline two\n", "oops"},
        // The text of a chunk ends at its first NUL byte.
        CaptureCase{"NulEndsTheChunk", "--out abc\\0def --err x\\0y", "abc", "x"},
        // More than a pipe holds, still waiting in the pipes when the child ends.
        CaptureCase{"LeftInThePipes", "--out-lines 300000 --err-lines 300000",
                    numberedLines('o', 300000), numberedLines('e', 300000)},
        CaptureCase{"AfterAQuietStart", "--sleep 300 --out late --err later", "late", "later"},
        // A process that the child started keeps writing after the child ended.
        CaptureCase{"FromAProcessThatOutlivesTheChild",
                    "--out early --background --sleep 200 --out-lines 300000 --err late",
                    "early" + numberedLines('o', 300000), "late"}),
    [](const testing::TestParamInfo<CaptureCase>& info) { return info.param.name; });

// A process that the child started and left behind writes for 20 s: the
// runner stops reading a short time after the child's end and keeps what
// came until then.
TEST(ProcessRunnerCapture, StopsReadingAProcessTheChildLeftWriting) {
    const auto start = std::chrono::steady_clock::now();
    const Captured captured = capture("--out early --background --ticks 20000");
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(std::chrono::duration_cast<std::chrono::seconds>(elapsed).count(), 10);
    EXPECT_EQ(captured.output.rfind("earlytick\n", 0), 0u) << captured.output;
}

TEST(ProcessRunnerCapture, TakesFiftyMebibytesFromBothPipesAtOnce) {
    constexpr std::size_t kSize = 50 * 1024 * 1024;
    const Captured captured = capture("--both-lines " + std::to_string(kSize));
    EXPECT_TRUE(sameBytes(captured.output, numberedLines('o', kSize)));
    EXPECT_TRUE(sameBytes(captured.error, numberedLines('e', kSize)));
}

// A JVM installer that prints gigabytes: a runner with a sink limit keeps
// only the end of each stream, and never more than a few times the limit.
TEST(ProcessRunnerCapture, SinksWithALimitKeepOnlyTheEndOfTheirStream) {
    constexpr std::size_t kSize = 20 * 1024 * 1024;
    constexpr std::size_t kLimit = 1000;
    std::string output;
    std::string error = "before";
    ProcessRunner(kLimit).run(childCommand("--both-lines " + std::to_string(kSize)), "", false,
                              true, true, &output, &error, false);
    EXPECT_TRUE(sameBytes(output, numberedLines('o', kLimit, kSize - kLimit)));
    EXPECT_TRUE(sameBytes(error, numberedLines('e', kLimit, kSize - kLimit)));
    EXPECT_LT(output.capacity(), 4 * kLimit + 8192) << "the sink grew on the way";
    EXPECT_LT(error.capacity(), 4 * kLimit + 8192) << "the sink grew on the way";
}

TEST(ProcessRunnerCapture, SinkLimitCountsWhatTheSinkHeldBefore) {
    std::string output = "before ";
    std::string error = "before ";
    ProcessRunner(10).run(childCommand("--out out --err error"), "", false, true, true, &output,
                          &error, false);
    EXPECT_EQ(output, "before out");
    EXPECT_EQ(error, "fore error");
}

TEST(ProcessRunnerCapture, ReadsAndDropsTheStreamWithoutSink) {
    std::string output;
    ProcessRunner().run(childCommand("--err-lines 1000000 --out done"), "", false, true, true,
                        &output, nullptr, false);
    EXPECT_EQ(output, "done");
}

TEST(ProcessRunnerCapture, AppendsToWhatTheSinksHold) {
    std::string output = "before ";
    std::string error = "before ";
    ProcessRunner().run(childCommand("--out out --err err"), "", false, true, true, &output, &error,
                        false);
    EXPECT_EQ(output, "before out");
    EXPECT_EQ(error, "before err");
}

}  // namespace
