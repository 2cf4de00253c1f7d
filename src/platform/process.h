#pragma once
#include <cstddef>
#include <memory>
#include <string>

// Child processes and the anonymous pipes that carry their standard output
// and standard error back.  An operation that fails returns false (or
// kPipeFailed); lastErrorCode() then tells why.
namespace platform {

// Creation flags of a child, with the values the Windows API gives them.  The
// POSIX backend, which has no console windows, starts a child that gets no
// console or a new one in a session of its own; a child without a console
// also gets the null device for every standard stream it is not given.
constexpr unsigned long kCreateNoWindow = 0x08000000;
constexpr unsigned long kDetachedProcess = 0x00000008;
constexpr unsigned long kCreateNewConsole = 0x00000010;

enum PipeStatus {
    kPipeReady,   // the call did its work
    kPipeClosed,  // empty, and every writer has closed its end
    kPipeFailed
};

// A pipe whose writing end a child gets as one of its standard streams while
// this process reads the other end.  Both ends close with the object.
class OutputPipe {
public:
    OutputPipe();
    ~OutputPipe();
    OutputPipe(const OutputPipe&) = delete;
    OutputPipe& operator=(const OutputPipe&) = delete;

    bool create();
    // Closes this process's copy of the writing end once the child has its own.
    void closeWriteEnd();
    // How many bytes are waiting, without removing them and without blocking.
    PipeStatus peek(std::size_t& waiting);
    // Reads at most `size` bytes; call it only when peek reported some.
    PipeStatus read(char* buffer, std::size_t size, std::size_t& count);

private:
    friend class ChildProcess;
    struct Ends;
    std::unique_ptr<Ends> ends_;
};

struct ChildStart {
    // The program path first, quoted by the rules of the Windows C runtime
    // (the POSIX backend splits it by the same rules, and lets them apply
    // to the program path too: a POSIX file name may hold a double quote).  A relative program
    // path is taken from this process's current directory.
    std::string commandLine;
    std::string workingDirectory;  // empty: this process's own
    unsigned long creationFlags = 0;
    // Both or neither.  With pipes the child's standard input is this
    // process's own.
    OutputPipe* standardOutput = nullptr;
    OutputPipe* standardError = nullptr;
    // Nobody will wait for the child; the POSIX backend then leaves no
    // zombie behind.
    bool detached = false;
};

// A started child.  Destroying the object releases its handles; the child
// itself runs on (on POSIX a thread then waits for it, so that it leaves no
// zombie).
class ChildProcess {
public:
    ChildProcess();
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool start(const ChildStart& options);
    // Blocks until the child has ended.
    bool wait();
    // Tells, without blocking, whether the child has ended and, once it has,
    // its exit code (on POSIX 128 plus the signal number for a child that a
    // signal ended).
    bool checkExit(bool& ended, int& exitCode);
    // Ends the child at once (POSIX: SIGKILL; Windows: exit code
    // STATUS_CONTROL_C_EXIT) and waits up to 2 s for its end, so that the
    // files it held are free.  Safe from another thread while one waits for
    // the child or checks it; true also when it had ended already.
    bool terminate();

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace platform
