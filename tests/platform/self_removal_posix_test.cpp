// The start of the POSIX self-removal script, which runs from a grandchild.
#ifndef _WIN32
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include "platform/self_removal.h"

namespace {

// A user id that owns no process here, so that its process limit counts
// the test's own processes alone.
constexpr uid_t kUnusedUser = 54321;

// In a child of the test: takes the unused user's id with room for one
// more process, and tries to start the script.  0 when the start is
// reported as failed, 1 when it is reported as started, 2 when the limit
// could not be set.
int startWithRoomForOneMoreProcess() {
    const rlimit limit = {2, 2};  // this process and one more
    if (setgid(kUnusedUser) != 0 || setuid(kUnusedUser) != 0 ||
        setrlimit(RLIMIT_NPROC, &limit) != 0) {
        return 2;
    }
    platform::SelfRemovalPlan plan;
    plan.script = "/nonexistent/script.sh";
    return platform::startSelfRemovalScript(plan) ? 1 : 0;
}

// The intermediate child starts, but the script's own process cannot be
// made: that is a failure, not a start.
TEST(SelfRemovalPosix, ReportsAFailureWhenTheScriptsProcessCannotBeMade) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "only root can take another user's id to be held to a process limit";
    }
    EXPECT_EXIT(_exit(startWithRoomForOneMoreProcess()), testing::ExitedWithCode(0), "");
}

}  // namespace
#endif
