#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <utility>

#include "platform/self_removal.h"
#include "platform/win32/wide_text.h"

namespace platform {

// The batch file names no path itself: it reads each from a variable of its
// environment by delayed expansion, which the command interpreter does in
// Unicode, whatever code page it reads the file in, and after it has parsed
// the line, so that a "&" or ">" in a value is no operator and a "%" in it
// is not expanded.  The batch file deletes itself by its plain name in its
// current directory, its own, and pings the loopback address to pause about
// a second between two attempts.

namespace {

const char* const kLauncherVariable = "VD_LAUNCHER";
const char* const kDirectoryVariable = "VD_LAUNCHER_DIRECTORY";
const char* const kScriptVariable = "VD_SCRIPT";
const char* const kDebugLogVariable = "VD_DEBUG_LOG";
const char* const kPingVariable = "VD_PING";
// A lone "!": Wine's interpreter, unlike Windows', expands the value of a
// variable once more and drops it, and would read a path with a "!" wrongly.
const char* const kProbeVariable = "VD_PROBE";

std::string expanded(const char* variable) {
    return std::string("\"!") + variable + "!\"";
}

std::string fileName(const std::string& path) {
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string directoryName(const std::string& path) {
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

bool anyHolds(const SelfRemovalPlan& plan, char c) {
    for (const std::string* path :
         {&plan.launcher, &plan.directory, &plan.script, &plan.debugLog}) {
        if (path->find(c) != std::string::npos) {
            return true;
        }
    }
    return false;
}

std::wstring systemProgram(const wchar_t* name) {
    wchar_t directory[MAX_PATH];
    const UINT length = GetSystemDirectoryW(directory, MAX_PATH);
    return std::wstring(directory, length < MAX_PATH ? length : 0) + L"\\" + name;
}

std::wstring upper(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towupper(c)); });
    return text;
}

// The name of a "NAME=value" entry; entries for drive directories start
// with "=" ("=C:=C:\dir"), which belongs to the name.
std::wstring entryName(const std::wstring& entry) {
    return entry.substr(0, entry.find(L'=', 1));
}

// This process's environment with the variables set, in the sorted order
// that the system keeps, as a block of NUL-ended entries ended by a NUL.
std::wstring environmentBlock(const std::vector<std::pair<std::string, std::string>>& variables) {
    std::vector<std::wstring> entries;
    std::vector<std::wstring> names;
    for (const auto& variable : variables) {
        if (variable.second.empty()) {
            continue;
        }
        names.push_back(upper(widened(variable.first)));
        entries.push_back(widened(variable.first) + L"=" + widened(variable.second));
    }
    if (wchar_t* inherited = GetEnvironmentStringsW()) {
        for (const wchar_t* entry = inherited; *entry != L'\0'; entry += std::wcslen(entry) + 1) {
            if (std::find(names.begin(), names.end(), upper(entryName(entry))) == names.end()) {
                entries.push_back(entry);
            }
        }
        FreeEnvironmentStringsW(inherited);
    }
    std::sort(entries.begin(), entries.end(), [](const std::wstring& a, const std::wstring& b) {
        return upper(entryName(a)) < upper(entryName(b));
    });
    std::wstring block;
    for (const std::wstring& entry : entries) {
        block += entry;
        block += L'\0';
    }
    block += L'\0';
    return block;
}

}  // namespace

std::string selfRemovalScriptExtension() {
    return ".bat";
}

std::vector<std::string> selfRemovalScriptLines(const SelfRemovalPlan& plan) {
    const bool reporting = !plan.debugLog.empty();
    const std::string debugLog = expanded(kDebugLogVariable);
    const std::string launcher = expanded(kLauncherVariable);
    std::vector<std::string> lines;
    lines.push_back("setlocal EnableDelayedExpansion");
    if (anyHolds(plan, '!')) {
        // An interpreter that would read such a path wrongly removes nothing
        // but the batch file.
        lines.push_back("if " + expanded(kProbeVariable) + "==\"\" goto Removed");
    }
    lines.push_back("set VD_ATTEMPTS=0");
    lines.push_back(":Repeat");
    if (reporting) {
        lines.push_back("@echo Deleting " + launcher + " from within batch file. >> " + debugLog);
    }
    // The delete fails while the launcher still runs from the file.
    lines.push_back("del " + launcher);
    lines.push_back("if not exist " + launcher + " goto Deleted");
    lines.push_back("set /a VD_ATTEMPTS+=1");
    lines.push_back("if !VD_ATTEMPTS! geq " + std::to_string(plan.attempts) + " goto Deleted");
    lines.push_back(expanded(kPingVariable) + " -n 2 127.0.0.1 > nul");
    lines.push_back("goto Repeat");
    lines.push_back(":Deleted");
    if (!plan.directory.empty()) {
        lines.push_back("rmdir /q " + expanded(kDirectoryVariable));
    }
    lines.push_back(":Removed");
    lines.push_back("del \"" + fileName(plan.script) + "\"");
    if (reporting) {
        lines.push_back("@echo Deleted batch file " + expanded(kScriptVariable) +
                        " from within batch file. >> " + debugLog);
    }
    return lines;
}

bool startSelfRemovalScript(const SelfRemovalPlan& plan) {
    std::wstring environment =
        environmentBlock({{kLauncherVariable, plan.launcher},
                          {kDirectoryVariable, plan.directory},
                          {kScriptVariable, plan.script},
                          {kDebugLogVariable, plan.debugLog},
                          {kPingVariable, narrowed(systemProgram(L"ping.exe"))},
                          {kProbeVariable, "!"}});
    const std::wstring interpreter = systemProgram(L"cmd.exe");
    std::wstring commandLine = L"cmd.exe /d /c .\\" + widened(fileName(plan.script));
    const std::string directory = directoryName(plan.script);
    const std::wstring wideDirectory = fullPath(widened(directory));
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process = {};
    // Started suspended, so that its priority is idle before it runs.
    if (!CreateProcessW(interpreter.c_str(), &commandLine[0], nullptr, nullptr, FALSE,
                        CREATE_SUSPENDED | CREATE_NEW_CONSOLE | IDLE_PRIORITY_CLASS |
                            CREATE_UNICODE_ENVIRONMENT,
                        &environment[0], directory.empty() ? nullptr : wideDirectory.c_str(),
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
