#include <windows.h>

#include <cstdint>
#include <vector>

#include "platform/process.h"
#include "platform/win32/wide_text.h"

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

// The program path at the start of a command line: up to the closing quote,
// or up to the first blank or tab.
std::size_t programPathLength(const std::wstring& commandLine) {
    if (!commandLine.empty() && commandLine[0] == L'"') {
        const std::size_t end = commandLine.find(L'"', 1);
        return (end == std::wstring::npos ? commandLine.size() : end) - 1;
    }
    const std::size_t end = commandLine.find_first_of(L" \t");
    return end == std::wstring::npos ? commandLine.size() : end;
}

// CreateProcess looks for the program, and keeps the child's current
// directory with its trailing backslash, in buffers of MAX_PATH characters:
// a longer path cannot start a child, however long the paths the file calls
// accept.
bool withinStartLimits(const std::wstring& commandLine, const std::wstring& directory) {
    if (programPathLength(commandLine) >= MAX_PATH) {
        return false;
    }
    if (directory.empty()) {
        return true;
    }
    const std::wstring full = fullPath(directory);
    const std::size_t withSeparator = full.size() + (full.back() == L'\\' ? 0 : 1);
    return withSeparator < MAX_PATH;
}

// Before Windows 8 a console handle is no kernel handle (its low two bits are
// set): the list cannot name it, and a child of the console gets it anyway.
bool isOldConsoleHandle(HANDLE handle) {
    return (reinterpret_cast<std::uintptr_t>(handle) & 3) == 3;
}

// The handles a child started with pipes gets, and no other: the writing
// ends of the pipes and an inheritable copy of this process's standard
// input.  The start-up record lists exactly these, so that no other handle
// this process made inheritable goes to the child.
class InheritedHandles {
public:
    InheritedHandles(HANDLE output, HANDLE error) {
        handles_.push_back(output);
        handles_.push_back(error);
        const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
        if (input != nullptr && input != INVALID_HANDLE_VALUE &&
            DuplicateHandle(GetCurrentProcess(), input, GetCurrentProcess(), &input_, 0, TRUE,
                            DUPLICATE_SAME_ACCESS) &&
            !isOldConsoleHandle(input_)) {
            handles_.push_back(input_);
        }
        SIZE_T size = 0;
        InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
        buffer_.resize(size);
        list_ = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(buffer_.data());
        if (!InitializeProcThreadAttributeList(list_, 1, 0, &size)) {
            list_ = nullptr;
        } else if (!UpdateProcThreadAttribute(list_, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST,
                                              handles_.data(), handles_.size() * sizeof(HANDLE),
                                              nullptr, nullptr)) {
            DeleteProcThreadAttributeList(list_);
            list_ = nullptr;
        }
    }
    ~InheritedHandles() {
        if (list_ != nullptr) {
            DeleteProcThreadAttributeList(list_);
        }
        closeHandle(input_);
    }
    InheritedHandles(const InheritedHandles&) = delete;
    InheritedHandles& operator=(const InheritedHandles&) = delete;

    HANDLE input() const { return input_; }
    // Null when the system could not make the list; the child then gets
    // every inheritable handle, which are only the ones above.
    LPPROC_THREAD_ATTRIBUTE_LIST list() const { return list_; }

private:
    HANDLE input_ = nullptr;
    std::vector<HANDLE> handles_;
    std::vector<char> buffer_;
    LPPROC_THREAD_ATTRIBUTE_LIST list_ = nullptr;
};

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
    // Only the writing end goes to a child; the reading end stays here.
    return CreatePipe(&ends_->read, &ends_->write, nullptr, 0) != 0 &&
           SetHandleInformation(ends_->write, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT) != 0;
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
    // CreateProcessW may write into the command line it is given.
    std::wstring commandLine = widened(options.commandLine);
    const std::wstring directory = widened(options.workingDirectory);
    if (!withinStartLimits(commandLine, directory)) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
    STARTUPINFOEXW startup = {};
    startup.StartupInfo.cb = sizeof startup.StartupInfo;
    DWORD flags = options.creationFlags;
    BOOL inheritHandles = FALSE;
    std::unique_ptr<InheritedHandles> inherited;
    if (options.standardOutput != nullptr) {
        inherited.reset(new InheritedHandles(options.standardOutput->ends_->write,
                                             options.standardError->ends_->write));
        startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
        startup.StartupInfo.hStdInput = inherited->input();
        startup.StartupInfo.hStdOutput = options.standardOutput->ends_->write;
        startup.StartupInfo.hStdError = options.standardError->ends_->write;
        if (inherited->list() != nullptr) {
            startup.StartupInfo.cb = sizeof startup;
            startup.lpAttributeList = inherited->list();
            flags |= EXTENDED_STARTUPINFO_PRESENT;
        }
        inheritHandles = TRUE;
    }
    return CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, inheritHandles, flags,
                          nullptr, directory.empty() ? nullptr : directory.c_str(),
                          &startup.StartupInfo, &state_->info) != 0;
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
