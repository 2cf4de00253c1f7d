#include "launch/process_runner.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <mutex>
#include <vector>

#include "base/facade.h"
#include "base/launcher_exception.h"
#include "base/messages.h"
#include "platform/process.h"
#include "platform/recursive_mutex.h"
#include "platform/system.h"

namespace {

constexpr std::size_t kChunkSize = 4096;
// When the pipes run dry the runner pauses, at first briefly (the child may
// only be between two writes), then, while they stay dry, longer and longer
// up to the idle poll of 100 ms.
constexpr unsigned kFirstIdlePauseMilliseconds = 1;
constexpr unsigned kIdlePollMilliseconds = 100;
// The pause between the end of the capture and the closing of the pipes.
constexpr unsigned kSettleMilliseconds = 500;
// After the child has ended, a process it started may still hold the pipes
// and write to them, for ever; what arrives this long after the child's end
// is collected, unless the pipes close earlier.
constexpr std::chrono::milliseconds kLateOutputTime(2000);

[[noreturn]] void fail(const char* context) {
    const unsigned long code = platform::lastErrorCode();
    throw LauncherException(context + systemErrorText(code));
}

// The children that runners wait for, which a launcher that is being ended
// ends first; shared with the thread that takes the interruption.
struct WaitedChildren {
    platform::RecursiveMutex mutex;
    std::vector<platform::ChildProcess*> children;
    bool closed = false;  // the launcher is being ended: no more children
};

WaitedChildren& waitedChildren() {
    static WaitedChildren waited;
    return waited;
}

// Starts the child, unless the launcher is being ended, and, when it is to
// be waited for, keeps it among the waited children for the life of the
// object.
class StartedChild {
public:
    StartedChild(platform::ChildProcess& child, const platform::ChildStart& start) : child_(child) {
        WaitedChildren& waited = waitedChildren();
        std::lock_guard<platform::RecursiveMutex> lock(waited.mutex);
        if (waited.closed) {
            throw LauncherException("The launcher is being ended: it starts no more programs.");
        }
        if (!child.start(start)) {
            fail("CreateProcess failed  ==>  ");
        }
        if (!start.detached) {
            waited.children.push_back(&child);
        }
    }
    ~StartedChild() {
        WaitedChildren& waited = waitedChildren();
        std::lock_guard<platform::RecursiveMutex> lock(waited.mutex);
        waited.children.erase(std::remove(waited.children.begin(), waited.children.end(), &child_),
                              waited.children.end());
    }
    StartedChild(const StartedChild&) = delete;
    StartedChild& operator=(const StartedChild&) = delete;

private:
    platform::ChildProcess& child_;
};

// One of the child's output streams: the pipe it arrives in and the sink it
// goes to (none: the output is read and dropped, so the child never blocks),
// which keeps at most its last `limit` bytes.
struct CapturedStream {
    platform::OutputPipe pipe;
    std::string* sink = nullptr;
    std::size_t limit = kWholeOutput;
    std::size_t lastCount = 0;
    bool closed = false;
};

// Drops the oldest bytes of the sink beyond its limit once more than `slack`
// bytes are over: while output comes, a slack as large as the limit moves
// each byte about once; at the end no slack is left.
void trimToLimit(CapturedStream& stream, std::size_t slack) {
    std::string* sink = stream.sink;
    if (sink != nullptr && sink->size() > stream.limit && sink->size() - stream.limit > slack) {
        sink->erase(0, sink->size() - stream.limit);
    }
}

// Moves at most one chunk from the pipe to the sink, never blocking on an
// empty pipe; the count of bytes read goes to lastCount.  The chunk's text
// ends at its first NUL byte.
void drainOnce(CapturedStream& stream) {
    stream.lastCount = 0;
    std::size_t waiting = 0;
    const platform::PipeStatus peeked = stream.pipe.peek(waiting);
    if (peeked == platform::kPipeFailed) {
        fail("PeekNamedPipe failed  ==>  ");
    }
    if (peeked == platform::kPipeClosed) {
        stream.closed = true;
        return;
    }
    if (waiting == 0) {
        return;
    }
    char buffer[kChunkSize + 2] = {};
    std::size_t count = 0;
    const platform::PipeStatus read = stream.pipe.read(buffer, kChunkSize, count);
    if (read == platform::kPipeFailed) {
        fail("ReadFile failed  ==>  ");
    }
    advanceProgress(1);
    if (read == platform::kPipeClosed) {
        stream.closed = true;
        return;
    }
    if (stream.sink != nullptr) {
        stream.sink->append(buffer, strnlen(buffer, count));
        trimToLimit(stream, stream.limit);
    }
    stream.lastCount = count;
}

void idlePause(unsigned& pause) {
    platform::sleepMilliseconds(pause);
    pause = std::min(2 * pause, kIdlePollMilliseconds);
}

bool childHasEnded(platform::ChildProcess& child, int& exitCode) {
    bool ended = false;
    if (!child.checkExit(ended, exitCode)) {
        fail("CreateProcess unable to get exit code for process ==> ");
    }
    return ended;
}

int runWithPipes(const std::string& commandLine, const std::string& workingDirectory,
                 unsigned long flags, std::string* standardOutput, std::string* standardError,
                 std::size_t sinkLimit) {
    CapturedStream output;
    CapturedStream error;
    output.sink = standardOutput;
    error.sink = standardError;
    output.limit = sinkLimit;
    error.limit = sinkLimit;
    if (!output.pipe.create() || !error.pipe.create()) {
        throw LauncherException(systemErrorText(platform::lastErrorCode()));
    }
    platform::ChildStart start;
    start.commandLine = commandLine;
    start.workingDirectory = workingDirectory;
    start.creationFlags = flags;
    start.standardOutput = &output.pipe;
    start.standardError = &error.pipe;
    platform::ChildProcess child;
    const StartedChild started(child, start);
    output.pipe.closeWriteEnd();
    error.pipe.closeWriteEnd();

    // While output keeps coming the pipes are read without a pause; a pass
    // that brings nothing checks for the end of the child and pauses.  Once
    // the child has ended, reading goes on until the pipes close or the time
    // for late output is over.
    int exitCode = 0;
    bool ended = false;
    std::chrono::steady_clock::time_point endSeen;
    const auto lateOutputOver = [&] {
        return (output.closed && error.closed) ||
               std::chrono::steady_clock::now() - endSeen >= kLateOutputTime;
    };
    unsigned pause = kFirstIdlePauseMilliseconds;
    while (!ended || !lateOutputOver()) {
        if (output.lastCount != 0 || error.lastCount != 0) {
            pause = kFirstIdlePauseMilliseconds;
        } else {
            if (!ended) {
                ended = childHasEnded(child, exitCode);
                endSeen = std::chrono::steady_clock::now();
            }
            idlePause(pause);
        }
        drainOnce(output);
        drainOnce(error);
    }
    trimToLimit(output, 0);
    trimToLimit(error, 0);
    platform::sleepMilliseconds(kSettleMilliseconds);
    return exitCode;
}

int runPlainly(const std::string& commandLine, const std::string& workingDirectory,
               unsigned long flags, bool wait) {
    platform::ChildStart start;
    start.commandLine = commandLine;
    start.workingDirectory = workingDirectory;
    start.creationFlags = flags;
    start.detached = !wait;
    platform::ChildProcess child;
    const StartedChild started(child, start);
    if (!wait) {
        return 0;
    }
    if (!child.wait()) {
        fail("CreateProcess unable to wait for completion ==> ");
    }
    int exitCode = 0;
    childHasEnded(child, exitCode);
    return exitCode;
}

}  // namespace

void endChildrenForGood() {
    WaitedChildren& waited = waitedChildren();
    std::lock_guard<platform::RecursiveMutex> lock(waited.mutex);
    waited.closed = true;
    for (platform::ChildProcess* child : waited.children) {
        child->terminate();
    }
}

unsigned long processCreationFlags(bool showWindow, bool newConsole) {
    // A new console and no console at all exclude each other (CreateProcess
    // refuses both): the new console wins.
    if (newConsole) {
        return platform::kCreateNewConsole;
    }
    return showWindow ? 0 : platform::kCreateNoWindow | platform::kDetachedProcess;
}

int ProcessRunner::run(const std::string& commandLine, const std::string& workingDirectory,
                       bool showWindow, bool usePipes, bool wait, std::string* standardOutput,
                       std::string* standardError, bool newConsole) {
    const unsigned long flags = processCreationFlags(showWindow, newConsole);
    if (usePipes) {
        return runWithPipes(commandLine, workingDirectory, flags, standardOutput, standardError,
                            sinkLimit_);
    }
    return runPlainly(commandLine, workingDirectory, flags, wait);
}
