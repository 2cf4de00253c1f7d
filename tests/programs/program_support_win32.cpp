#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "program_support.h"

namespace {

// Quotes an argument by the C runtime's rules: backslashes are doubled only
// where a double quote follows them.
std::string quoted(const std::string& argument) {
    std::string text = "\"";
    std::size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        text.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        text += c;
    }
    text.append(2 * backslashes, '\\');
    return text + "\"";
}

}  // namespace

std::string ownPath() {
    char path[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    return std::string(path, length);
}

std::filesystem::path ownFile() {
    wchar_t path[32768];
    const DWORD length = GetModuleFileNameW(nullptr, path, sizeof path / sizeof path[0]);
    return std::wstring(path, length);
}

bool writeStream(int stream, const std::string& bytes) {
    const HANDLE handle = GetStdHandle(stream == 2 ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    std::size_t written = 0;
    while (written < bytes.size()) {
        DWORD count = 0;
        if (!WriteFile(handle, bytes.data() + written, static_cast<DWORD>(bytes.size() - written),
                       &count, nullptr) ||
            count == 0) {
            return false;
        }
        written += count;
    }
    return true;
}

void sleepFor(unsigned milliseconds) {
    Sleep(milliseconds);
}

bool startCopy(const std::vector<std::string>& arguments) {
    std::string commandLine = quoted(ownPath());
    for (const std::string& argument : arguments) {
        commandLine += " " + quoted(argument);
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &info)) {
        return false;
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return true;
}

int pipesBesideStandardStreams() {
    const HANDLE standard[] = {GetStdHandle(STD_INPUT_HANDLE), GetStdHandle(STD_OUTPUT_HANDLE),
                               GetStdHandle(STD_ERROR_HANDLE)};
    // Handle values are multiples of four, handed out from the bottom.
    int count = 0;
    for (std::uintptr_t value = 4; value < 0x10000; value += 4) {
        const HANDLE handle = reinterpret_cast<HANDLE>(value);
        DWORD flags = 0;
        if (std::find(std::begin(standard), std::end(standard), handle) == std::end(standard) &&
            GetHandleInformation(handle, &flags) && GetFileType(handle) == FILE_TYPE_PIPE) {
            ++count;
        }
    }
    return count;
}
