#pragma once

// The parts of the progress dialog that need no window: its resource and
// control ids, which template a launcher kind shows, where the bar goes, and
// what its two timers do.

// Dialog templates: the tall one with the explanatory text, the short one.
constexpr int kTallProgressTemplate = 101;
constexpr int kShortProgressTemplate = 103;
constexpr int kProgressIcon = 102;

// Controls of both templates.
constexpr int kStatusControl = 1000;
constexpr int kProgressBarControl = 1001;
constexpr int kCancelControl = 1003;
constexpr int kExplanationControl = 1004;

// Timers of the dialog.
constexpr unsigned kHideTimer = 1;
constexpr unsigned kProgressTimer = 2;
constexpr unsigned kProgressTimerPeriod = 100;  // milliseconds
constexpr int kProgressTimerSteps = 5;

// Launcher kind 0 shows the tall template, every other kind the short one.
int progressTemplateFor(int launcherKind);

// The bar's position after `steps` more steps from `current`, and the
// position that shows `percent`: the signed remainder of a division by 100,
// so 100 shows as an empty bar and negative values stay negative.
int progressAfterSteps(int current, int steps);
int progressForPercent(int percent);

// The hide timer's period for a delay in seconds: delay × 1000 milliseconds
// as the system takes it, so a negative delay gives a very long period.
unsigned hideTimerPeriod(short delaySeconds);

// What a timer does when it fires.
enum class TimerAction {
    kNone,            // not one of the dialog's timers
    kHideAndStop,     // hide the dialog, then stop both timers
    kAdvanceProgress  // move the bar kProgressTimerSteps further
};
TimerAction timerAction(unsigned timerId);
