#include "frontend/window/progress_dialog.h"

int progressTemplateFor(int launcherKind) {
    return launcherKind == 0 ? kTallProgressTemplate : kShortProgressTemplate;
}

int progressAfterSteps(int current, int steps) {
    // Summed as unsigned numbers, as the control's 32-bit position wraps.
    const int sum = static_cast<int>(static_cast<unsigned>(current) + static_cast<unsigned>(steps));
    return sum % 100;
}

int progressForPercent(int percent) {
    return percent % 100;
}

unsigned hideTimerPeriod(short delaySeconds) {
    return static_cast<unsigned>(delaySeconds * 1000);
}

TimerAction timerAction(unsigned timerId) {
    switch (timerId) {
        case kHideTimer:
            return TimerAction::kHideAndStop;
        case kProgressTimer:
            return TimerAction::kAdvanceProgress;
        default:
            return TimerAction::kNone;
    }
}
