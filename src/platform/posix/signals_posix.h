#pragma once

namespace platform {

// In a child between fork and exec: gives the program to be executed the
// signal handling of a fresh process (no signal blocked, SIGPIPE handled as
// this process found it).  Only async-signal-safe calls.
void restoreSignalsForExec();

}  // namespace platform
