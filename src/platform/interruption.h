#pragma once

// Requests from outside to end the process: on POSIX the signals SIGTERM,
// SIGHUP and SIGINT; on Windows the console's Ctrl+C, Ctrl+Break and close
// events and the end of the user's session.
namespace platform {

// From now on such a request runs `cleanUp` on a thread of its own, never
// inside a signal handler (so it may lock and allocate), while the rest of
// the process goes on; then the process ends as the request would have
// ended it: on POSIX killed by the same signal, on Windows with the exit
// code STATUS_CONTROL_C_EXIT.  A request the process was started to ignore
// stays ignored.  On POSIX a write to a closed pipe no longer ends the
// process (SIGPIPE is ignored): the write fails instead, and children
// still start with the signal mask and handling of a fresh process.  Call
// it once, before the process starts any thread.
void endProcessCleanlyOnInterruption(void (*cleanUp)());

}  // namespace platform
