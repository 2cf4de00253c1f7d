#pragma once
#include <cerrno>

// The run-time library's error number of the call that just failed, or EIO
// when the library set none (a stream can fail a write without setting it).
inline int errorNumber() {
    return errno != 0 ? errno : EIO;
}
