#include <windows.h>

#include "platform/self_removal.h"

namespace platform {

namespace {

std::string quoted(const std::string& path) {
    return "\"" + path + "\"";
}

}  // namespace

std::string selfRemovalScriptExtension() {
    return ".bat";
}

std::vector<std::string> selfRemovalScriptLines(const SelfRemovalPlan& plan) {
    const bool reporting = !plan.debugLog.empty();
    std::vector<std::string> lines;
    lines.push_back(":Repeat");
    if (reporting) {
        lines.push_back("@echo Deleting " + plan.launcher + " from within batch file. >> " +
                        plan.debugLog);
    }
    // The delete fails while the launcher still runs from the file.
    lines.push_back("del " + quoted(plan.launcher));
    lines.push_back("if exist " + quoted(plan.launcher) + " goto Repeat");
    if (!plan.directory.empty()) {
        lines.push_back("rmdir /q " + quoted(plan.directory));
    }
    lines.push_back("del " + quoted(plan.script));
    if (reporting) {
        lines.push_back("@echo Deleted batch file " + plan.script + " from within batch file. >> " +
                        plan.debugLog);
    }
    return lines;
}

bool startSelfRemovalScript(const std::string& script) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process = {};
    std::string commandLine = quoted(script);
    // Started suspended, so that its priority is idle before it runs; its
    // current directory is the drive root, which keeps the launcher's
    // directory free for removal.
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE,
                        CREATE_SUSPENDED | CREATE_NEW_CONSOLE | IDLE_PRIORITY_CLASS, nullptr, "\\",
                        &startup, &process)) {
        return false;
    }
    SetThreadPriority(process.hThread, THREAD_PRIORITY_IDLE);
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
    SetPriorityClass(GetCurrentProcess(), HIGH_PRIORITY_CLASS);
    CloseHandle(process.hProcess);
    ResumeThread(process.hThread);
    CloseHandle(process.hThread);
    return true;
}

}  // namespace platform
