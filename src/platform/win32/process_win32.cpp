#include <windows.h>

#include "platform/process.h"

namespace platform {

static_assert(kCreateNoWindow == CREATE_NO_WINDOW, "creation flag values");
static_assert(kDetachedProcess == DETACHED_PROCESS, "creation flag values");
static_assert(kCreateNewConsole == CREATE_NEW_CONSOLE, "creation flag values");

namespace {

void closeHandle(HANDLE& handle) {
    if (handle != nullptr) {
        CloseHandle(handle);
        handle = nullptr;
    }
}

// A broken pipe means that the pipe is empty and every writer has gone.
PipeStatus pipeFailure() {
    return GetLastError() == ERROR_BROKEN_PIPE ? kPipeClosed : kPipeFailed;
}

}  // namespace

struct OutputPipe::Ends {
    HANDLE read = nullptr;
    HANDLE write = nullptr;
};

OutputPipe::OutputPipe() : ends_(new Ends) {}

OutputPipe::~OutputPipe() {
    closeHandle(ends_->read);
    closeHandle(ends_->write);
}

bool OutputPipe::create() {
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    return CreatePipe(&ends_->read, &ends_->write, &inheritable, 0) != 0;
}

void OutputPipe::closeWriteEnd() {
    closeHandle(ends_->write);
}

PipeStatus OutputPipe::peek(std::size_t& waiting) {
    DWORD available = 0;
    if (!PeekNamedPipe(ends_->read, nullptr, 0, nullptr, &available, nullptr)) {
        return pipeFailure();
    }
    waiting = available;
    return kPipeReady;
}

PipeStatus OutputPipe::read(char* buffer, std::size_t size, std::size_t& count) {
    DWORD bytesRead = 0;
    if (!ReadFile(ends_->read, buffer, static_cast<DWORD>(size), &bytesRead, nullptr)) {
        return pipeFailure();
    }
    count = bytesRead;
    return kPipeReady;
}

struct ChildProcess::State {
    PROCESS_INFORMATION info = {};
};

ChildProcess::ChildProcess() : state_(new State) {}

ChildProcess::~ChildProcess() {
    closeHandle(state_->info.hThread);
    closeHandle(state_->info.hProcess);
}

bool ChildProcess::start(const ChildStart& options) {
    // Without a command line there is nothing to start (and some systems
    // crash on the null pointer instead of failing).
    if (options.commandLine.empty()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    SECURITY_ATTRIBUTES* handleAttributes = nullptr;
    BOOL inheritHandles = FALSE;
    if (options.standardOutput != nullptr) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = options.standardOutput->ends_->write;
        startup.hStdError = options.standardError->ends_->write;
        handleAttributes = &inheritable;
        inheritHandles = TRUE;
    }
    // CreateProcessA may write into the command line it is given.
    std::string commandLine = options.commandLine;
    const char* directory =
        options.workingDirectory.empty() ? nullptr : options.workingDirectory.c_str();
    return CreateProcessA(nullptr, commandLine.data(), handleAttributes, handleAttributes,
                          inheritHandles, options.creationFlags, nullptr, directory, &startup,
                          &state_->info) != 0;
}

bool ChildProcess::wait() {
    return WaitForSingleObject(state_->info.hProcess, INFINITE) != WAIT_FAILED;
}

bool ChildProcess::terminate() {
    // The handle holds on to the process, so it names this child even after
    // its end.
    const HANDLE process = state_->info.hProcess;
    if (process == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    const bool ended = TerminateProcess(process, STATUS_CONTROL_C_EXIT) ||
                       WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    return ended && WaitForSingleObject(process, 2000) == WAIT_OBJECT_0;
}

bool ChildProcess::checkExit(bool& ended, int& exitCode) {
    // The exit code alone cannot tell a child that is still running from one
    // that ended with STILL_ACTIVE (259); the signalled handle can.
    const DWORD waited = WaitForSingleObject(state_->info.hProcess, 0);
    DWORD code = 0;
    if (waited == WAIT_FAILED || !GetExitCodeProcess(state_->info.hProcess, &code)) {
        return false;
    }
    ended = waited == WAIT_OBJECT_0;
    if (ended) {
        exitCode = static_cast<int>(code);
    }
    return true;
}

}  // namespace platform
