// Windows only: sends a console control event to a program it starts.
//   console_event EVENT GO_FILE COMMAND_LINE
// Makes a console of its own and tries the event on itself: "c" is Ctrl+C
// and "break" is Ctrl+Break, both sent to every process on the console,
// which this program lets pass.  Then it starts COMMAND_LINE on that
// console with this program's standard streams, waits until the file
// GO_FILE exists, sends the event again and waits for the child's end.  It
// writes the child's exit code in hexadecimal and a line feed.  Ends with
// 0; 1 when it has no console or the child could not be started; 2 when
// the system does not send the event.
#include <windows.h>

#include <cstdio>
#include <string>

#include "program_support.h"

namespace {

BOOL WINAPI letPass(DWORD event) {
    return event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT;
}

bool exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        return 1;
    }
    const DWORD event = std::string(argv[1]) == "c" ? CTRL_C_EVENT : CTRL_BREAK_EVENT;
    const std::string goFile = argv[2];
    std::string commandLine = argv[3];

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    FreeConsole();
    if (!AllocConsole()) {
        writeStream(2, "no console: " + std::to_string(GetLastError()) + "\n");
        return 1;
    }
    SetStdHandle(STD_OUTPUT_HANDLE, startup.hStdOutput);
    SetStdHandle(STD_ERROR_HANDLE, startup.hStdError);
    SetConsoleCtrlHandler(letPass, TRUE);
    if (!GenerateConsoleCtrlEvent(event, 0)) {
        writeStream(2, "cannot send: " + std::to_string(GetLastError()) + "\n");
        return 2;
    }
    PROCESS_INFORMATION child = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &child)) {
        writeStream(2, "cannot start: " + std::to_string(GetLastError()) + "\n");
        return 1;
    }
    while (!exists(goFile) && WaitForSingleObject(child.hProcess, 50) == WAIT_TIMEOUT) {
    }
    GenerateConsoleCtrlEvent(event, 0);
    WaitForSingleObject(child.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(child.hProcess, &code);
    char text[16];
    std::snprintf(text, sizeof text, "%lX\n", static_cast<unsigned long>(code));
    writeStream(1, text);
    return 0;
}
