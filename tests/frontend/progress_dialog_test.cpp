#include "frontend/window/progress_dialog.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(ProgressDialog, KindZeroShowsTheTallTemplateEveryOtherKindTheShortOne) {
    EXPECT_EQ(progressTemplateFor(0), kTallProgressTemplate);
    for (const int kind : {1, 2, 3, 255, -1}) {
        EXPECT_EQ(progressTemplateFor(kind), kShortProgressTemplate) << kind;
    }
}

TEST(ProgressDialog, BarPositionsAreSignedRemaindersOfAHundred) {
    const struct {
        int current;
        int steps;
        int position;
    } steps[] = {
        {0, 5, 5},         {95, 5, 0},   {99, 1, 0},
        {50, 1, 51},       {0, 250, 50}, {10, -15, -5},  // a negative sum keeps its sign
        {INT_MAX, 1, -48},  // the sum wraps like the control's 32-bit position
    };
    for (const auto& s : steps) {
        EXPECT_EQ(progressAfterSteps(s.current, s.steps), s.position)
            << s.current << "+" << s.steps;
    }
    const struct {
        int percent;
        int position;
    } percents[] = {{0, 0}, {42, 42}, {100, 0}, {101, 1}, {-7, -7}, {-100, 0}};
    for (const auto& p : percents) {
        EXPECT_EQ(progressForPercent(p.percent), p.position) << p.percent;
    }
}

TEST(ProgressDialog, TheHideTimerRunsForTheDelayInMilliseconds) {
    EXPECT_EQ(hideTimerPeriod(3), 3000u);
    EXPECT_EQ(hideTimerPeriod(32767), 32767000u);
    // A negative delay arms a period the system reads as nearly 50 days.
    EXPECT_EQ(hideTimerPeriod(-1), 4294966296u);
}

TEST(ProgressDialog, TheHideTimerHidesAndStopsTheProgressTimerMovesTheBar) {
    EXPECT_EQ(timerAction(kHideTimer), TimerAction::kHideAndStop);
    EXPECT_EQ(timerAction(kProgressTimer), TimerAction::kAdvanceProgress);
    EXPECT_EQ(timerAction(0), TimerAction::kNone);
    EXPECT_EQ(timerAction(3), TimerAction::kNone);
    // Twenty ticks of the progress timer take the bar once around.
    int position = 0;
    for (int tick = 0; tick < 100 / kProgressTimerSteps; ++tick) {
        position = progressAfterSteps(position, kProgressTimerSteps);
    }
    EXPECT_EQ(position, 0);
}

}  // namespace
