#include <windows.h>

#include "platform/catalog.h"
#include "platform/win32/wide_text.h"

namespace platform {

std::string loadCatalogText(unsigned id) {
    // The wide text straight from the resource, converted whole to the ANSI
    // code page: a narrow load into a fixed buffer cuts multi-byte texts at
    // a character boundary without saying so.
    const wchar_t* text = nullptr;
    const int length =
        LoadStringW(GetModuleHandleA(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr) {
        return std::string();
    }
    return narrowed(std::wstring(text, static_cast<size_t>(length)));
}

bool formatWithInserts(const std::string& format, const std::vector<std::string>& inserts,
                       std::string& result) {
    result.clear();
    if (format.empty()) {
        return true;
    }
    // Inserts the text names but the caller did not give read as empty
    // texts, never as memory beyond the array.
    constexpr size_t kMaxInserts = 99;
    std::vector<DWORD_PTR> arguments(kMaxInserts, reinterpret_cast<DWORD_PTR>(""));
    for (size_t i = 0; i < inserts.size() && i < kMaxInserts; ++i) {
        arguments[i] = reinterpret_cast<DWORD_PTR>(inserts[i].c_str());
    }
    char* buffer = nullptr;
    SetLastError(ERROR_SUCCESS);
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_ARGUMENT_ARRAY,
        format.c_str(), 0, 0, reinterpret_cast<LPSTR>(&buffer), 0,
        reinterpret_cast<va_list*>(arguments.data()));
    if (length == 0 && GetLastError() != ERROR_SUCCESS) {
        LocalFree(buffer);
        return false;
    }
    if (buffer != nullptr) {
        result.assign(buffer, length);
    }
    LocalFree(buffer);
    return true;
}

}  // namespace platform
