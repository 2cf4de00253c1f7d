#include "launcher/run_state.h"

#include "tagfile/text_utils.h"

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
