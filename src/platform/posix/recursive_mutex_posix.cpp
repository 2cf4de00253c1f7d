#include <pthread.h>

#include "platform/recursive_mutex.h"

namespace platform {

struct RecursiveMutex::State {
    pthread_mutex_t mutex;
};

RecursiveMutex::RecursiveMutex() : state_(new State) {
    pthread_mutexattr_t attributes;
    pthread_mutexattr_init(&attributes);
    pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_RECURSIVE);
    pthread_mutex_init(&state_->mutex, &attributes);
    pthread_mutexattr_destroy(&attributes);
}

RecursiveMutex::~RecursiveMutex() {
    pthread_mutex_destroy(&state_->mutex);
}

// Only misuse makes these fail (an unlock by a thread that does not hold
// the mutex), which lock_guard never does.
void RecursiveMutex::lock() {
    pthread_mutex_lock(&state_->mutex);
}

void RecursiveMutex::unlock() {
    pthread_mutex_unlock(&state_->mutex);
}

}  // namespace platform
