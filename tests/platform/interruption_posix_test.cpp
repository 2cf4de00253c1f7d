// The POSIX side of the interruption seam that the end-to-end tests cannot
// see: signals the launcher was started to ignore, and its children.
#ifndef _WIN32
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#include "platform/interruption.h"
#include "platform/process.h"
#include "programs/test_programs.h"

namespace {

std::atomic<bool> g_cleanedUp{false};

void markCleanedUp() {
    g_cleanedUp = true;
}

// The hexadecimal signal mask of a field of /proc/<pid>/status.
unsigned long long statusMask(const std::string& pid, const std::string& field) {
    std::ifstream status("/proc/" + pid + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, field.size() + 1, field + ":") == 0) {
            return std::stoull(line.substr(field.size() + 1), nullptr, 16);
        }
    }
    return ~0ull;
}

unsigned long long bit(int signal) {
    return 1ull << (signal - 1);
}

// In a child of the test: 0 when a hang-up that was ignored at the start
// is still ignored, 1 when it ran the cleanup.
int hangUpWhileIgnored() {
    signal(SIGHUP, SIG_IGN);
    platform::endProcessCleanlyOnInterruption(markCleanedUp);
    kill(getpid(), SIGHUP);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    return g_cleanedUp ? 1 : 0;
}

TEST(InterruptionPosix, SignalIgnoredAtTheStartStaysIgnored) {
    EXPECT_EXIT(_exit(hangUpWhileIgnored()), testing::ExitedWithCode(0), "");
}

// In a child of the test: 0 when a child started after the seam was set up
// blocks no signal and lets SIGPIPE end it, 1 when it blocks some, 2 when
// it ignores SIGPIPE, 3 when it could not be looked at.
int childSignalState() {
    platform::endProcessCleanlyOnInterruption(markCleanedUp);
    platform::ChildProcess child;
    platform::ChildStart start;
    start.commandLine = childCommand("--sleep 2000");
    if (!child.start(start)) {
        return 3;
    }
    const std::string self = std::to_string(getpid());
    std::ifstream children("/proc/" + self + "/task/" + self + "/children");
    std::string pid;
    if (!(children >> pid)) {
        return 3;
    }
    if (statusMask(pid, "SigBlk") != 0) {
        return 1;
    }
    return (statusMask(pid, "SigIgn") & bit(SIGPIPE)) != 0 ? 2 : 0;
}

TEST(InterruptionPosix, ChildrenStartWithTheSignalsOfAFreshProcess) {
    EXPECT_EXIT(_exit(childSignalState()), testing::ExitedWithCode(0), "");
}

}  // namespace
#endif
