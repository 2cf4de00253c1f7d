#include "app/run.h"

#include <vector>

#include "app/argument_list.h"
#include "app/run_launcher.h"
#include "base/run_state.h"
#include "payload/cleanup.h"
#include "payload/launcher_file.h"
#include "platform/system.h"

namespace {

// Removes the workspace when the run ends, however it ends.
class CleanupGuard {
public:
    CleanupGuard() = default;
    CleanupGuard(const CleanupGuard&) = delete;
    CleanupGuard& operator=(const CleanupGuard&) = delete;
    ~CleanupGuard() {
        try {
            cleanUp();
        } catch (...) {
            // The cleanup reports its own problems to the log; nothing may
            // escape from the end of a run.
        }
    }
};

}  // namespace

bool runFailed(int result, int launcherKind) {
    return result != 0 && ((launcherKind != 0 && launcherKind != 2) || result != 1000);
}

int runFrontEnd(const ArgumentList& arguments,
                const std::function<void(const std::string&)>& showFailureMessage,
                const std::function<void()>& runEnded) {
    if (arguments.count() == 0) {
        return -1;
    }
    const std::string fileName = platform::runningProgramPath();
    std::vector<std::string> options;
    for (int i = 1; i < arguments.count(); ++i) {
        options.push_back(*arguments.argument(i));
    }
    CleanupGuard guard;
    const int result = runLauncher(options, fileName);
    if (runEnded) {
        runEnded();
    }
    const std::string& failure = runState().failureMessage;
    if (runFailed(result, readLauncherKind(fileName)) && !failure.empty()) {
        showFailureMessage(failure);
    }
    return result;
}
