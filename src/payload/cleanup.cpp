#include "payload/cleanup.h"

#include <string>
#include <vector>

#include "base/launcher_exception.h"
#include "base/log.h"
#include "base/run_state.h"
#include "payload/self_removal.h"
#include "payload/tree_deleter.h"
#include "payload/workspace.h"
#include "platform/file_system.h"
#include "platform/system.h"

namespace {

// A path still there is tried again 50 ms later, up to this many times, for
// a program that has only just let go of its files.
constexpr int kDeleteAttempts = 20;
constexpr unsigned kDeleteRetryDelay = 50;

bool stillThere(const std::string& path) {
    platform::FileAttributes attributes;
    return platform::readFileAttributes(path, attributes);
}

// Removes the paths of the list, last first.
void removeAll(std::vector<std::string>& list, const char* debugLabel) {
    while (!list.empty()) {
        const std::string path = list.back();
        for (int attempt = 1;; ++attempt) {
            if (debugLogOn()) {
                writeDebugLog(debugLabel + path, true);
            }
            try {
                deleteFileOrTree(path);
            } catch (const LauncherException& e) {
                writeLog(e.text(), kLogWarning);  // a listing failed part way
            }
            if (!stillThere(path) || attempt == kDeleteAttempts) {
                break;
            }
            platform::sleepMilliseconds(kDeleteRetryDelay);
        }
        list.pop_back();
    }
}

}  // namespace

void cleanUp() {
    std::lock_guard<platform::RecursiveMutex> lock(cleanupListsMutex());
    removeAll(directoryCleanupList(), "Launcher: Deleting dir: ");
    removeAll(fileCleanupList(), "Launcher: Deleting file: ");
    RunState& run = runState();
    if (run.selfRemoval) {
        // Once: a second cleanup (the session ending, then the run's end)
        // must not start a second script.
        run.selfRemoval = false;
        try {
            arrangeSelfRemoval();
        } catch (const LauncherException& e) {
            writeLog(e.text(), kLogWarning);
        }
    }
}

void cleanUpForTheEnd() {
    std::lock_guard<platform::RecursiveMutex> lock(cleanupListsMutex());
    try {
        cleanUp();
    } catch (...) {
        // Whatever failed, the process ends now; nothing may stop that.
    }
    closeWorkspace();
}
