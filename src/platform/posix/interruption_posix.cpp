#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <system_error>
#include <thread>

#include "platform/interruption.h"
#include "platform/posix/signals_posix.h"

namespace platform {

namespace {

constexpr int kInterruptions[] = {SIGTERM, SIGHUP, SIGINT};

// How this process found SIGPIPE handled, for its children.  Plain data,
// so that reading it after fork takes no lock.
struct PipeSignal {
    bool changed;
    struct sigaction original;
};

PipeSignal& pipeSignal() {
    static PipeSignal signal;
    return signal;
}

// The interruptions that are not ignored; false when there is none.
bool awaitedSignals(sigset_t& signals) {
    sigemptyset(&signals);
    bool any = false;
    for (const int interruption : kInterruptions) {
        struct sigaction action;
        if (sigaction(interruption, nullptr, &action) == 0 && action.sa_handler != SIG_IGN) {
            sigaddset(&signals, interruption);
            any = true;
        }
    }
    return any;
}

// Ends the process by the signal's default action, which nothing blocks in
// this thread any more.
[[noreturn]] void endBy(int signal) {
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigaction(signal, &action, nullptr);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signal);
    pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
    raise(signal);
    _exit(128 + signal);
}

void awaitInterruption(sigset_t signals, void (*cleanUp)()) {
    int received = 0;
    if (sigwait(&signals, &received) == 0) {
        cleanUp();
        endBy(received);
    }
}

}  // namespace

void endProcessCleanlyOnInterruption(void (*cleanUp)()) {
    struct sigaction ignore = {};
    ignore.sa_handler = SIG_IGN;
    PipeSignal& pipe = pipeSignal();
    pipe.changed = sigaction(SIGPIPE, &ignore, &pipe.original) == 0;

    // Blocked here, the signals stay blocked in every thread started later,
    // so that only the waiting thread takes them.
    sigset_t signals;
    if (!awaitedSignals(signals)) {
        return;
    }
    sigset_t before;
    pthread_sigmask(SIG_BLOCK, &signals, &before);
    try {
        std::thread(awaitInterruption, signals, cleanUp).detach();
    } catch (const std::system_error&) {
        pthread_sigmask(SIG_SETMASK, &before, nullptr);  // the signals end the process as before
    }
}

void restoreSignalsForExec() {
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    const PipeSignal& pipe = pipeSignal();
    if (pipe.changed) {
        sigaction(SIGPIPE, &pipe.original, nullptr);
    }
}

}  // namespace platform
