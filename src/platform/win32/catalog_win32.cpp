#include <windows.h>

#include "platform/catalog.h"

namespace platform {

std::string loadCatalogText(unsigned id) {
    // The buffer grows by 64 bytes until the text leaves more than one byte free.
    std::string buffer(64, '\0');
    while (true) {
        const int length =
            LoadStringA(GetModuleHandleA(nullptr), id, &buffer[0], static_cast<int>(buffer.size()));
        if (length <= 0) {
            return std::string();
        }
        if (static_cast<size_t>(length) + 1 < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.assign(buffer.size() + 64, '\0');
    }
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
