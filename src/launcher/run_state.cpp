#include "launcher/run_state.h"

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
    const std::string& path = originalLauncherFileName();
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}
