#include "base/run_state.h"

#include "base/path_text.h"

RunState& runState() {
    static RunState state;
    return state;
}

const std::string& launcherFileName() {
    return runState().launcherFileName;
}

const std::string& originalLauncherFileName() {
    return runState().originalLauncherFileName;
}

std::string launcherDir() {
    return directoryPart(originalLauncherFileName());
}
