#pragma once

#include <memory>

namespace platform {

// A lock that one thread at a time holds, and the thread that holds it may
// take again (it is free once every lock has its unlock), made of the
// system's own lock: a critical section on Windows, a recursive POSIX mutex
// elsewhere.  For std::lock_guard; unlike std::recursive_mutex it never
// throws, so no exception machinery comes with it.
class RecursiveMutex {
public:
    RecursiveMutex();
    ~RecursiveMutex();
    RecursiveMutex(const RecursiveMutex&) = delete;
    RecursiveMutex& operator=(const RecursiveMutex&) = delete;

    void lock();
    void unlock();

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace platform
