// What only POSIX children do: they stay zombies until someone waits for them.
#ifndef _WIN32
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "platform/process.h"
#include "programs/test_programs.h"

namespace {

// Whether this process has a child that ended and was not waited for, as
// far as the deadline tells: the check leaves such a child waitable.
bool zombieChildWithin(std::chrono::seconds deadline) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (std::chrono::steady_clock::now() < end) {
        siginfo_t info = {};
        if (waitid(P_ALL, 0, &info, WEXITED | WNOHANG | WNOWAIT) != 0) {
            return false;  // no child at all
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

// As when an exception leaves the runner's pipe loop: the object goes, the
// child runs on and ends later.
TEST(ChildProcessPosix, ChildLeftWithoutWaitingIsNoZombieOnceItEnds) {
    {
        platform::ChildProcess child;
        platform::ChildStart start;
        start.commandLine = childCommand("--sleep 200");
        ASSERT_TRUE(child.start(start));
    }
    EXPECT_FALSE(zombieChildWithin(std::chrono::seconds(10)));
}

}  // namespace
#endif
