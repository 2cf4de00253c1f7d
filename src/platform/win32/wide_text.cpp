#include "platform/win32/wide_text.h"

#include <windows.h>

#include <cwchar>

namespace platform {

namespace {

// Room for the 8.3 name that a directory created by CreateDirectoryW must
// leave in a plain path.
constexpr std::size_t kPlainPathLimit = MAX_PATH - 12;

bool startsWith(const std::wstring& text, const wchar_t* prefix) {
    return text.compare(0, std::wcslen(prefix), prefix) == 0;
}

}  // namespace

std::wstring widened(const std::string& text) {
    if (text.empty()) {
        return std::wstring();
    }
    const int size =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    if (size > 0) {
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], size);
    }
    return wide;
}

std::wstring fullPath(const std::wstring& path) {
    DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    while (size > 0) {
        std::wstring full(size, L'\0');
        const DWORD length = GetFullPathNameW(path.c_str(), size, &full[0], nullptr);
        if (length < size) {
            full.resize(length);
            return full;
        }
        size = length + 1;
    }
    return path;  // the call then reports what is wrong with the path
}

std::string narrowed(const std::wstring& text, bool* lossy) {
    BOOL usedDefault = FALSE;
    // UTF-8 has no default character, and the call refuses to be asked.
    BOOL* askDefault = GetACP() == CP_UTF8 ? nullptr : &usedDefault;
    std::string narrow;
    if (!text.empty()) {
        const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                             nullptr, 0, nullptr, askDefault);
        narrow.resize(static_cast<std::size_t>(size));
        if (size > 0) {
            WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &narrow[0],
                                size, nullptr, askDefault);
        }
    }
    if (lossy != nullptr) {
        *lossy = usedDefault != FALSE;
    }
    return narrow;
}

std::wstring widePath(const std::string& path) {
    const std::wstring wide = widened(path);
    if (wide.size() < kPlainPathLimit || startsWith(wide, L"\\\\?\\") ||
        startsWith(wide, L"\\\\.\\")) {
        return wide;
    }
    const std::wstring full = fullPath(wide);
    if (startsWith(full, L"\\\\?\\") || startsWith(full, L"\\\\.\\")) {
        return full;
    }
    if (startsWith(full, L"\\\\")) {
        return L"\\\\?\\UNC\\" + full.substr(2);
    }
    return L"\\\\?\\" + full;
}

}  // namespace platform
