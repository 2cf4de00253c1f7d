#pragma once
#include <cstddef>
#include <string>

// Sink limits: no limit, and enough of an output that nobody reads to show
// how it ended.
constexpr std::size_t kWholeOutput = static_cast<std::size_t>(-1);
constexpr std::size_t kOutputTail = 64 * 1024;

// Starts a child program and, as asked, waits for it and collects its
// standard output and standard error.  Failures throw LauncherException.
class ProcessRunner {
public:
    // Each sink keeps at most the last `sinkLimit` bytes of what it holds;
    // the rest of the output is read and dropped, so that a child that
    // writes without end costs no more memory than that.
    explicit ProcessRunner(std::size_t sinkLimit = kWholeOutput) : sinkLimit_(sinkLimit) {}

    // With usePipes the runner always waits and collects the output into the
    // sinks (both present).  Returns the child's exit code (0 when not
    // waiting).  An empty working directory means the launcher's own.
    int run(const std::string& commandLine, const std::string& workingDirectory, bool showWindow,
            bool usePipes, bool wait, std::string* standardOutput, std::string* standardError,
            bool newConsole);

private:
    std::size_t sinkLimit_;
};

// Ends every child that a runner waits for, and lets no runner start
// another (run() throws LauncherException): for a launcher that is being
// ended from outside.  Callable from any thread.
void endChildrenForGood();

// The creation flags of a child: a new console gets CREATE_NEW_CONSOLE
// alone; otherwise a child without a window gets no console
// (CREATE_NO_WINDOW and DETACHED_PROCESS).
unsigned long processCreationFlags(bool showWindow, bool newConsole);
