#include <windows.h>
// shellapi.h needs the types of windows.h.
#include <shellapi.h>

#include <cstdlib>

#include "platform/environment.h"
#include "platform/module.h"
#include "platform/system.h"

namespace platform {

bool isOldPlatformFamily() {
    // GetVersionEx is deprecated for version checks, but the platform id it
    // reports is exactly what this test needs.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    OSVERSIONINFOEXA extended = {};
    extended.dwOSVersionInfoSize = sizeof extended;
    if (GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&extended))) {
        return extended.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
    }
    OSVERSIONINFOA basic = {};
    basic.dwOSVersionInfoSize = sizeof basic;
    if (GetVersionExA(&basic)) {
        return basic.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
    }
#pragma GCC diagnostic pop
    return false;
}

void breakIntoDebugger() {
    if (IsDebuggerPresent()) {
        DebugBreak();
    }
}

void restrictDllSearchToSystemDirectory() {
    // Looked up at run time: systems without the function keep their default.
    using SetDirectories = BOOL(WINAPI*)(DWORD);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (kernel == nullptr) {
        return;
    }
    // Through void(*)(): the generic function pointer type converts without a warning.
    auto setDirectories = reinterpret_cast<SetDirectories>(
        reinterpret_cast<void (*)()>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (setDirectories != nullptr) {
        setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
}

namespace {

UINT g_originalConsoleCodePage = 0;

void restoreConsoleCodePage() {
    SetConsoleOutputCP(g_originalConsoleCodePage);
}

}  // namespace

void matchConsoleToCodePage() {
    const UINT console = GetConsoleOutputCP();  // 0 without a console
    if (console == 0 || console == GetACP()) {
        return;
    }
    if (SetConsoleOutputCP(GetACP())) {
        g_originalConsoleCodePage = console;
        std::atexit(restoreConsoleCodePage);
    }
}

std::vector<std::string> processArguments(int, char**) {
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) {
        return arguments;
    }
    for (int i = 0; i < count; ++i) {
        const int size = WideCharToMultiByte(CP_ACP, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string narrow(size > 0 ? size : 1, '\0');
        if (size > 0) {
            WideCharToMultiByte(CP_ACP, 0, wide[i], -1, &narrow[0], size, nullptr, nullptr);
        }
        narrow.resize(narrow.find('\0'));
        arguments.push_back(narrow);
    }
    LocalFree(wide);
    return arguments;
}

std::string narrowCommandLine() {
    return GetCommandLineA();
}

std::string runningProgramPath() {
    // Grown as needed: a path cut at 259 characters would name another file.
    std::string path(MAX_PATH, '\0');
    while (true) {
        const DWORD length = GetModuleFileNameA(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

char pathSeparator() {
    return '\\';
}

unsigned long lastErrorCode() {
    return GetLastError();
}

std::string systemErrorText(unsigned long code) {
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
        nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&buffer),
        0, nullptr);
    std::string text;
    if (length > 0 && buffer != nullptr) {
        text.assign(buffer, length);
    } else {
        text = "System error " + std::to_string(code) + ".";
    }
    LocalFree(buffer);
    return text;
}

void sleepMilliseconds(unsigned milliseconds) {
    Sleep(milliseconds);
}

std::string getEnvironment(const std::string& name) {
    const DWORD size = GetEnvironmentVariableA(name.c_str(), nullptr, 0);
    if (size == 0) {
        return std::string();
    }
    std::string value(size, '\0');
    const DWORD length = GetEnvironmentVariableA(name.c_str(), &value[0], size);
    value.resize(length < size ? length : 0);
    return value;
}

bool hasEnvironment(const std::string& name) {
    // A set variable needs room for its terminating NUL at least.
    return GetEnvironmentVariableA(name.c_str(), nullptr, 0) != 0;
}

void setEnvironment(const std::string& name, const std::string& value) {
    SetEnvironmentVariableA(name.c_str(), value.c_str());
}

void unsetEnvironment(const std::string& name) {
    SetEnvironmentVariableA(name.c_str(), nullptr);
}

void* programModule() {
    return GetModuleHandleA(nullptr);
}

}  // namespace platform
