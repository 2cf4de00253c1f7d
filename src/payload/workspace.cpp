#include "payload/workspace.h"

#include <algorithm>

#include "base/launcher_exception.h"
#include "base/messages.h"
#include "base/path_compare.h"
#include "base/path_text.h"
#include "platform/file_system.h"
#include "platform/system.h"
#include "tagfile/text_utils.h"

namespace {

constexpr int kTempDirMissingMessage = 36;
const char* const kWorkspacePrefix = "LRE";
// A unique name refused with access denied is asked for again this often,
// 200 ms apart.
constexpr int kNameAttempts = 10;
constexpr unsigned kNameRetryDelay = 200;
// Fresh names tried when another process takes the name of a new directory.
constexpr int kDirectoryAttempts = 10;

struct WorkspaceState {
    platform::RecursiveMutex mutex;
    std::string tempDirectory;  // "-vd:tempdir", else the system's, once asked
    std::vector<std::string> directories;
    std::vector<std::string> files;
    bool closed = false;  // the process is being ended
};

WorkspaceState& state() {
    static WorkspaceState s;
    return s;
}

void refuseWhenClosed() {
    if (state().closed) {
        throw LauncherException("The launcher is being ended: it creates no more temporary files.");
    }
}

// A new empty file with a unique "LRE" name in the temp directory.
std::string uniqueWorkspaceName(const std::string& directory) {
    std::string path;
    unsigned long error = platform::createUniqueTempFile(directory, kWorkspacePrefix, path);
    for (int attempt = 1; attempt < kNameAttempts && platform::isTransientAccessDenial(error);
         ++attempt) {
        platform::sleepMilliseconds(kNameRetryDelay);
        error = platform::createUniqueTempFile(directory, kWorkspacePrefix, path);
    }
    if (error != 0) {
        throw LauncherException("GetTempFileName failed  ==>  " + systemErrorText(error));
    }
    return path;
}

void forget(std::vector<std::string>& list, const std::string& path) {
    std::lock_guard<platform::RecursiveMutex> lock(state().mutex);
    const auto found = std::find_if(list.begin(), list.end(), [&path](const std::string& entry) {
        return equalsIgnoringCase(entry, path);
    });
    if (found != list.end()) {
        list.erase(found);
    }
}

}  // namespace

void setTempDirectory(const std::string& directory) {
    std::lock_guard<platform::RecursiveMutex> lock(state().mutex);
    state().tempDirectory = directory;
}

std::string tempDirectory() {
    std::string path;
    {
        std::lock_guard<platform::RecursiveMutex> lock(state().mutex);
        if (state().tempDirectory.empty()) {
            state().tempDirectory = platform::tempPath();
        }
        path = state().tempDirectory;
    }
    // With a separator at the end a link to a directory counts as one.
    platform::FileAttributes attributes;
    if (!platform::readFileAttributes(ensureTrailingSeparator(path), attributes) ||
        !attributes.directory) {
        throw LauncherException(formatMessage(kTempDirMissingMessage, {path}));
    }
    return path;
}

// Each path is made and registered under the lock that the cleanup holds,
// so that the cleanup never meets an unregistered one.
std::string createWorkspaceDirectory() {
    const std::string temp = tempDirectory();
    std::lock_guard<platform::RecursiveMutex> lock(state().mutex);
    unsigned long error = 0;
    for (int attempt = 0; attempt < kDirectoryAttempts; ++attempt) {
        refuseWhenClosed();
        const std::string path = uniqueWorkspaceName(temp);
        if (!platform::deleteFile(path)) {
            // The name service's file stays; it goes with the other files.
            state().files.push_back(path);
        }
        // Only a directory made here is used: when another process took the
        // name in between, a fresh one is tried.
        if (platform::createDirectory(path)) {
            state().directories.push_back(path);
            return path;
        }
        error = platform::lastErrorCode();
    }
    throw LauncherException("Cannot create a workspace directory in " + temp + "  ==>  " +
                            systemErrorText(error));
}

std::string createWorkspaceFile() {
    const std::string temp = tempDirectory();
    std::lock_guard<platform::RecursiveMutex> lock(state().mutex);
    refuseWhenClosed();
    const std::string path = uniqueWorkspaceName(temp);
    state().files.push_back(path);
    return path;
}

void closeWorkspace() {
    std::lock_guard<platform::RecursiveMutex> lock(state().mutex);
    state().closed = true;
}

platform::RecursiveMutex& cleanupListsMutex() {
    return state().mutex;
}

std::vector<std::string>& directoryCleanupList() {
    return state().directories;
}

std::vector<std::string>& fileCleanupList() {
    return state().files;
}

void forgetWorkspaceDirectory(const std::string& path) {
    forget(state().directories, path);
}

void forgetWorkspaceFile(const std::string& path) {
    forget(state().files, path);
}
