#include <windows.h>
// After windows.h, which they need:
#include <commdlg.h>

#include "platform/file_prompt.h"
#include "platform/win32/wide_text.h"

namespace platform {

std::string promptForProgramFile() {
    constexpr DWORD kPathAndFileMustExist = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    static_assert(kPathAndFileMustExist == 0x1800, "file prompt flags");
    wchar_t file[MAX_PATH] = {};
    OPENFILENAMEW prompt = {};
    prompt.lStructSize = sizeof prompt;
    prompt.lpstrFilter = L"*.exe\0*.exe\0";
    prompt.nFilterIndex = 1;
    prompt.lpstrFile = file;
    prompt.nMaxFile = MAX_PATH;
    prompt.Flags = kPathAndFileMustExist;
    if (!GetOpenFileNameW(&prompt)) {
        return std::string();
    }
    return narrowed(file);
}

}  // namespace platform
