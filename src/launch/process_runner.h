#pragma once
#include <string>

// Starts a child program and, as asked, waits for it and collects its
// standard output and standard error.  Failures throw LauncherException.
class ProcessRunner {
public:
    // With usePipes the runner always waits and collects the output into the
    // sinks (both present).  Returns the child's exit code (0 when not
    // waiting).  An empty working directory means the launcher's own.
    int run(const std::string& commandLine, const std::string& workingDirectory, bool showWindow,
            bool usePipes, bool wait, std::string* standardOutput, std::string* standardError,
            bool newConsole);
};

// The creation flags of a child: without a window it gets no console
// (CREATE_NO_WINDOW and DETACHED_PROCESS), and a new console adds
// CREATE_NEW_CONSOLE.
unsigned long processCreationFlags(bool showWindow, bool newConsole);
