#include <windows.h>

#include "platform/interruption.h"

namespace platform {

namespace {

void (*&cleanUpOnInterruption())() {
    static void (*cleanUp)() = nullptr;
    return cleanUp;
}

// The system calls it on a thread of its own for each event.
BOOL WINAPI onConsoleEvent(DWORD event) {
    switch (event) {
        case CTRL_C_EVENT:
        case CTRL_BREAK_EVENT:
        case CTRL_CLOSE_EVENT:
        case CTRL_LOGOFF_EVENT:
        case CTRL_SHUTDOWN_EVENT:
            cleanUpOnInterruption()();
            // As the system's own handler ends a process.
            ExitProcess(STATUS_CONTROL_C_EXIT);
        default:
            return FALSE;
    }
}

}  // namespace

void endProcessCleanlyOnInterruption(void (*cleanUp)()) {
    cleanUpOnInterruption() = cleanUp;
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

}  // namespace platform
