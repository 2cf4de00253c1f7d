#include <gtest/gtest.h>

#include "app/argument_list.h"
#include "base/messages.h"
#include "frontend/console/console_launcher.h"
#include "platform/paths.h"
#include "support/captured_file.h"

namespace {

class ConsoleOutput : public testing::Test {
protected:
    ArgumentList arguments_{{"launcher", "-console"}};
    CapturedFile out_;
    ConsoleLauncher console_{arguments_, out_.get()};
};

TEST_F(ConsoleOutput, SeventyStepsEndTheLineOfDots) {
    for (int i = 0; i < 71; ++i) {
        console_.stepProgress(1);
    }
    EXPECT_EQ(out_.contents(), std::string(69, '.') + ".\n.");
}

TEST_F(ConsoleOutput, MultiStepAdvanceCountsEveryStep) {
    console_.stepProgress(140);
    EXPECT_EQ(out_.contents(), std::string(69, '.') + ".\n" + std::string(69, '.') + ".\n");
}

TEST_F(ConsoleOutput, SetProgressPrintsALineEndOnlyWhenItGrowsOrWasFull) {
    console_.setProgress(0);
    EXPECT_EQ(out_.contents(), "");
    console_.stepProgress(3);
    console_.setProgress(100);
    console_.setProgress(100);
    console_.setProgress(50);
    EXPECT_EQ(out_.contents(), "...\n\n\n");
}

TEST_F(ConsoleOutput, StatusEndsAnOpenLineButAMessageFollowsTheDots) {
    console_.stepProgress(2);
    console_.setStatus("Working");
    console_.stepProgress(1);
    console_.showMessage("Done");
    console_.setStatusDetail("ignored", "Detail");
    console_.setStatus("Next");
    EXPECT_EQ(out_.contents(), "..\nWorking\n.Done\nDetail\nNext\n");
}

TEST_F(ConsoleOutput, FirstStatusStartsWithALineEnd) {
    console_.setStatus("First");
    EXPECT_EQ(out_.contents(), "\nFirst\n");
}

TEST_F(ConsoleOutput, WindowFlagAndTitleAreRemembered) {
    EXPECT_FALSE(console_.isWindowVisible());
    console_.showWindow();
    EXPECT_TRUE(console_.isWindowVisible());
    console_.hideWindow(3);
    EXPECT_FALSE(console_.isWindowVisible());
    console_.setTitle("Title");
    EXPECT_EQ(console_.getTitle(), "Title");
    EXPECT_EQ(out_.contents(), "");
}

// The answer to the directory prompt, given the input.
std::string answerTo(const std::string& input) {
    ArgumentList arguments({"launcher"});
    CapturedFile out;
    CapturedFile in(input);
    ConsoleLauncher console(arguments, out.get(), in.get());
    const std::string answer = console.browseForDirectory();
    EXPECT_EQ(out.contents(), loadMessage(30));
    return answer;
}

TEST(ConsolePrompt, ReadsOneLineTrimmed) {
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\Program Files\\Java\n", "C:\\Program Files\\Java"},
        {" \t C:\\JVM\\dest  \r\nnext line\n", "C:\\JVM\\dest"},
        {"/opt/java", "/opt/java"},
        {"\n/opt/java\n", ""},
        {"", ""},
    };
    for (const auto& [input, answer] : cases) {
        EXPECT_EQ(answerTo(input), answer) << input;
    }
}

TEST(ConsolePrompt, ALineLongerThanAnyPathIsNoAnswer) {
    const std::string longest(platform::maxPathLength(), 'x');
    EXPECT_EQ(answerTo("  " + longest + "  \n"), longest);
    EXPECT_EQ(answerTo(longest + "x\n"), "");
}

}  // namespace
