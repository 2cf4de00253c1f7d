#include <windows.h>

#include "platform/recursive_mutex.h"

namespace platform {

struct RecursiveMutex::State {
    CRITICAL_SECTION section;
};

RecursiveMutex::RecursiveMutex() : state_(new State) {
    InitializeCriticalSection(&state_->section);
}

RecursiveMutex::~RecursiveMutex() {
    DeleteCriticalSection(&state_->section);
}

void RecursiveMutex::lock() {
    EnterCriticalSection(&state_->section);
}

void RecursiveMutex::unlock() {
    LeaveCriticalSection(&state_->section);
}

}  // namespace platform
