#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/file_system.h"
#include "platform/posix/command_line_posix.h"
#include "platform/posix/signals_posix.h"
#include "platform/process.h"

namespace platform {

struct OutputPipe::Ends {
    int read = -1;
    int write = -1;
};

namespace {

// How long terminate() waits for the end of the child it killed: up to 2 s.
constexpr int kEndChecks = 200;
constexpr useconds_t kEndCheckMicroseconds = 10000;

void closeDescriptor(int& descriptor) {
    if (descriptor >= 0) {
        close(descriptor);
        descriptor = -1;
    }
}

// Sets errno, which lastErrorCode() reports, and returns false.
bool fail(int error) {
    errno = error;
    return false;
}

int exitCodeOf(int status) {
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

pid_t waitForChild(pid_t pid, int& status, int options) {
    pid_t result;
    do {
        result = waitpid(pid, &status, options);
    } while (result < 0 && errno == EINTR);
    return result;
}

bool isExecutableFile(const std::string& path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
           access(path.c_str(), X_OK) == 0;
}

// The file to execute: a path with a slash is taken from this process's
// current directory (the child changes its own before it executes), a bare
// name is looked up in PATH.
bool resolveProgram(const std::string& name, std::string& program) {
    if (name.empty()) {
        return fail(ENOENT);
    }
    if (name.find('/') != std::string::npos) {
        if (name[0] == '/') {
            program = name;
            return true;
        }
        const std::string directory = currentDirectory();
        if (directory.empty()) {
            return false;
        }
        program = directory + "/" + name;
        return true;
    }
    const char* path = std::getenv("PATH");
    std::string directories = path == nullptr ? std::string() : path;
    for (std::size_t start = 0; start <= directories.size();) {
        std::size_t end = directories.find(':', start);
        if (end == std::string::npos) {
            end = directories.size();
        }
        if (end > start) {
            const std::string candidate = directories.substr(start, end - start) + "/" + name;
            if (isExecutableFile(candidate)) {
                program = candidate;
                return true;
            }
        }
        start = end + 1;
    }
    return fail(ENOENT);
}

// Everything the child needs after fork, prepared before it, so that the
// child calls nothing but async-signal-safe functions.
struct Launch {
    std::string program;
    std::vector<std::string> arguments;
    std::vector<char*> argv;
    const char* directory = nullptr;
    bool newSession = false;
    int standardOutput = -1;  // writing ends of the pipes, or -1
    int standardError = -1;
    int nullDevice = -1;  // for every stream of a child without console or pipes, or -1
    int report = -1;      // the child writes its errno here when it cannot execute
};

// Puts a descriptor at a standard stream's number; the copy survives exec.
bool redirect(int descriptor, int target) {
    const int high = fcntl(descriptor, F_DUPFD_CLOEXEC, 3);
    return high >= 0 && dup2(high, target) == target;
}

[[noreturn]] void reportFailure(int report) {
    const int error = errno;
    ssize_t ignored = write(report, &error, sizeof error);
    (void)ignored;
    _exit(127);
}

[[noreturn]] void execute(const Launch& launch) {
    restoreSignalsForExec();
    if (launch.newSession) {
        setsid();
    }
    const bool redirected =
        launch.nullDevice >= 0
            ? redirect(launch.nullDevice, STDIN_FILENO) &&
                  redirect(launch.nullDevice, STDOUT_FILENO) &&
                  redirect(launch.nullDevice, STDERR_FILENO)
            : launch.standardOutput < 0 || (redirect(launch.standardOutput, STDOUT_FILENO) &&
                                            redirect(launch.standardError, STDERR_FILENO));
    if (!redirected) {
        reportFailure(launch.report);
    }
    if (launch.directory != nullptr && chdir(launch.directory) != 0) {
        reportFailure(launch.report);
    }
    execv(launch.program.c_str(), launch.argv.data());
    reportFailure(launch.report);
}

bool prepare(const ChildStart& options, Launch& launch) {
    launch.arguments = splitCommandLine(options.commandLine);
    if (launch.arguments.empty()) {
        return fail(EINVAL);
    }
    if (!resolveProgram(launch.arguments[0], launch.program)) {
        return false;
    }
    for (std::string& argument : launch.arguments) {
        launch.argv.push_back(argument.data());
    }
    launch.argv.push_back(nullptr);
    if (!options.workingDirectory.empty()) {
        launch.directory = options.workingDirectory.c_str();
    }
    const bool noConsole = (options.creationFlags & kDetachedProcess) != 0;
    launch.newSession = noConsole || (options.creationFlags & kCreateNewConsole) != 0;
    // Without a console and without pipes every standard stream is the null device.
    return !(noConsole && options.standardOutput == nullptr &&
             (launch.nullDevice = open("/dev/null", O_RDWR | O_CLOEXEC)) < 0);
}

// Forks the child; returns its process id, or -1 with errno set.  A detached
// child is started by an intermediate process that ends at once, so that the
// child is no zombie of ours when it ends; the id is then the intermediate's.
pid_t spawn(const Launch& launch, bool detached) {
    const pid_t pid = fork();
    if (pid != 0) {
        return pid;
    }
    if (detached) {
        const pid_t grandchild = fork();
        if (grandchild < 0) {
            reportFailure(launch.report);
        }
        if (grandchild > 0) {
            _exit(0);
        }
    }
    execute(launch);
}

// Reads the errno that a child reports; false when it executed (the report
// pipe closed empty on exec).
bool childFailed(int report, int& error) {
    std::size_t got = 0;
    char* bytes = reinterpret_cast<char*>(&error);
    while (got < sizeof error) {
        const ssize_t count = read(report, bytes + got, sizeof error - got);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            break;
        }
        got += static_cast<std::size_t>(count);
    }
    return got == sizeof error;
}

}  // namespace

OutputPipe::OutputPipe() : ends_(new Ends) {}

OutputPipe::~OutputPipe() {
    closeDescriptor(ends_->read);
    closeDescriptor(ends_->write);
}

bool OutputPipe::create() {
    int descriptors[2];
    if (pipe2(descriptors, O_CLOEXEC) != 0) {
        return false;
    }
    ends_->read = descriptors[0];
    ends_->write = descriptors[1];
    return true;
}

void OutputPipe::closeWriteEnd() {
    closeDescriptor(ends_->write);
}

PipeStatus OutputPipe::peek(std::size_t& waiting) {
    pollfd readiness = {ends_->read, POLLIN, 0};
    if (poll(&readiness, 1, 0) < 0 && errno != EINTR) {
        return kPipeFailed;
    }
    int available = 0;
    if (ioctl(ends_->read, FIONREAD, &available) != 0) {
        return kPipeFailed;
    }
    // A hang-up seen before the count means no writer is left to add more.
    if (available == 0 && (readiness.revents & POLLHUP) != 0) {
        return kPipeClosed;
    }
    waiting = static_cast<std::size_t>(available);
    return kPipeReady;
}

PipeStatus OutputPipe::read(char* buffer, std::size_t size, std::size_t& count) {
    ssize_t bytesRead;
    do {
        bytesRead = ::read(ends_->read, buffer, size);
    } while (bytesRead < 0 && errno == EINTR);
    if (bytesRead < 0) {
        return kPipeFailed;
    }
    if (bytesRead == 0) {
        return kPipeClosed;
    }
    count = static_cast<std::size_t>(bytesRead);
    return kPipeReady;
}

struct ChildProcess::State {
    std::mutex mutex;    // terminate() comes from another thread
    pid_t pid = -1;      // -1 for a detached child, which is nobody's to wait for
    bool ended = false;  // collected: its process id may name another process now
    int exitCode = 0;

    // Collects the child's end if it has ended (waiting for it unless
    // WNOHANG), under the lock, so that terminate() never signals a process
    // id that has been handed on.
    bool collect(int options) {
        std::lock_guard<std::mutex> lock(mutex);
        if (ended) {
            return true;
        }
        int status = 0;
        const pid_t result = waitForChild(pid, status, options);
        if (result < 0) {
            return false;
        }
        if (result == pid) {
            ended = true;
            exitCode = exitCodeOf(status);
        }
        return true;
    }
};

namespace {

// Whether the child has ended, without collecting its end.
bool hasEnded(pid_t pid) {
    siginfo_t info = {};
    return waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
           info.si_pid == pid;
}

}  // namespace

ChildProcess::ChildProcess() : state_(new State) {}

ChildProcess::~ChildProcess() {
    // A child nobody waited for (an exception left the caller's loop) is
    // waited for by a thread of its own, so that it is no zombie once it
    // ends; the child itself runs on.
    const pid_t pid = state_->pid;
    int status = 0;
    if (pid < 0 || state_->ended || waitForChild(pid, status, WNOHANG) != 0) {
        return;
    }
    try {
        std::thread([pid] {
            int ended = 0;
            waitForChild(pid, ended, 0);
        }).detach();
    } catch (const std::system_error&) {
        // Without a thread the child stays a zombie until the launcher ends.
    }
}

bool ChildProcess::start(const ChildStart& options) {
    Launch launch;
    if (!prepare(options, launch)) {
        return false;
    }
    if (options.standardOutput != nullptr) {
        launch.standardOutput = options.standardOutput->ends_->write;
        launch.standardError = options.standardError->ends_->write;
    }
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) {
        const int error = errno;
        closeDescriptor(launch.nullDevice);
        return fail(error);
    }
    launch.report = report[1];
    const pid_t pid = spawn(launch, options.detached);
    const int forkError = errno;
    closeDescriptor(report[1]);
    closeDescriptor(launch.nullDevice);
    if (pid < 0) {
        closeDescriptor(report[0]);
        return fail(forkError);
    }
    int error = 0;
    const bool failed = childFailed(report[0], error);
    closeDescriptor(report[0]);
    int status = 0;
    if (options.detached || failed) {
        waitForChild(pid, status, 0);
    }
    if (failed) {
        return fail(error);
    }
    if (!options.detached) {
        state_->pid = pid;
    }
    return true;
}

bool ChildProcess::wait() {
    State& state = *state_;
    if (state.pid < 0) {
        return state.ended || fail(ECHILD);
    }
    // The end is awaited without collecting it, so that the lock is not held
    // while blocking.
    siginfo_t info = {};
    while (!state.ended &&
           waitid(P_PID, static_cast<id_t>(state.pid), &info, WEXITED | WNOWAIT) != 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    return state.collect(0);
}

bool ChildProcess::checkExit(bool& ended, int& exitCode) {
    State& state = *state_;
    if (state.pid < 0 && !state.ended) {
        return fail(ECHILD);
    }
    if (!state.collect(WNOHANG)) {
        return false;
    }
    ended = state.ended;
    if (ended) {
        exitCode = state.exitCode;
    }
    return true;
}

bool ChildProcess::terminate() {
    State& state = *state_;
    std::lock_guard<std::mutex> lock(state.mutex);
    if (state.pid < 0) {
        return fail(ECHILD);
    }
    if (state.ended) {
        return true;
    }
    if (kill(state.pid, SIGKILL) != 0) {
        return false;
    }
    for (int i = 0; i < kEndChecks && !hasEnded(state.pid); ++i) {
        usleep(kEndCheckMicroseconds);
    }
    return true;
}

}  // namespace platform
