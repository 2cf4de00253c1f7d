#include <fcntl.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/signals_posix.h"
#include "platform/self_removal.h"

namespace platform {

namespace {

// The script reads this descriptor until its end: the launcher holds the
// only writing end, which closes when the launcher process ends.
constexpr int kLauncherAliveDescriptor = 3;

// The path as one shell word: in single quotes, each quote written as '\''.
std::string quoted(const std::string& path) {
    std::string word = "'";
    for (const char c : path) {
        word += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return word + "'";
}

// In the detached grandchild, between fork and exec: only calls that are
// safe there.
[[noreturn]] void runScript(const char* script, int aliveDescriptor) {
    restoreSignalsForExec();
    setsid();
    sched_param parameters = {};
    if (sched_setscheduler(0, SCHED_IDLE, &parameters) != 0) {
        setpriority(PRIO_PROCESS, 0, 19);
    }
    if (aliveDescriptor == kLauncherAliveDescriptor) {
        fcntl(aliveDescriptor, F_SETFD, 0);  // keep it open across exec
    } else {
        dup2(aliveDescriptor, kLauncherAliveDescriptor);
    }
    const int null = open("/dev/null", O_RDWR);
    dup2(null, 0);
    dup2(null, 1);
    dup2(null, 2);
    if (chdir("/") == 0) {
        execl("/bin/sh", "sh", script, static_cast<char*>(nullptr));
    }
    _exit(127);
}

}  // namespace

std::string selfRemovalScriptExtension() {
    return ".sh";
}

std::vector<std::string> selfRemovalScriptLines(const SelfRemovalPlan& plan) {
    const bool reporting = !plan.debugLog.empty();
    std::vector<std::string> lines;
    lines.push_back("#!/bin/sh");
    lines.push_back("cat <&" + std::to_string(kLauncherAliveDescriptor) + " >/dev/null");
    if (reporting) {
        lines.push_back("echo " + quoted("Deleting " + plan.launcher + " from within script.") +
                        " >> " + quoted(plan.debugLog));
    }
    lines.push_back("rm -f " + quoted(plan.launcher));
    if (!plan.directory.empty()) {
        lines.push_back("rmdir " + quoted(plan.directory) + " 2>/dev/null");
    }
    lines.push_back("rm -f " + quoted(plan.script));
    if (reporting) {
        lines.push_back("echo " + quoted("Deleted script " + plan.script + " from within script.") +
                        " >> " + quoted(plan.debugLog));
    }
    return lines;
}

bool startSelfRemovalScript(const SelfRemovalPlan& plan) {
    int alive[2];
    if (pipe2(alive, O_CLOEXEC) != 0) {
        return false;
    }
    const char* path = plan.script.c_str();
    const pid_t child = fork();
    if (child == 0) {
        // The intermediate child ends at once, so that the script belongs to
        // no process of the launcher's and never waits for one; its exit
        // status tells whether the script's process was made.
        const pid_t scriptProcess = fork();
        if (scriptProcess == 0) {
            runScript(path, alive[0]);
        }
        _exit(scriptProcess > 0 ? 0 : 1);
    }
    close(alive[0]);
    if (child < 0) {
        close(alive[1]);
        return false;
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    // alive[1] stays open until the launcher process ends; raising the
    // launcher's own priority, as Windows does, would need privileges here.
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace platform
