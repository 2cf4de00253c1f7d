#include "platform/text_encoding.h"

#include <windows.h>

namespace platform {

namespace {

// The ANSI code page of the system locale: what GetACP gives a program
// without an active-code-page manifest.  A locale without one (0, a
// Unicode-only locale) or a failed call reads as Windows-1252, which gives
// every byte a character, so no byte of a file is dropped.
UINT legacyCodePage() {
    WCHAR locale[LOCALE_NAME_MAX_LENGTH];
    DWORD codePage = 0;
    const bool known =
        GetSystemDefaultLocaleName(locale, LOCALE_NAME_MAX_LENGTH) > 0 &&
        GetLocaleInfoEx(locale, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                        reinterpret_cast<LPWSTR>(&codePage), sizeof(codePage) / sizeof(WCHAR)) > 0;
    return known && codePage != 0 ? codePage : 1252;
}

// The text from one code page to another through UTF-16.  Bytes that are
// no character of `from` become U+FFFD; characters that `to` lacks become
// its default character.
std::string converted(const std::string& text, UINT from, UINT to) {
    if (text.empty() || from == to) {
        return text;
    }
    const int length = static_cast<int>(text.size());
    const int wideSize = MultiByteToWideChar(from, 0, text.data(), length, nullptr, 0);
    if (wideSize <= 0) {
        return text;
    }
    std::wstring wide(static_cast<std::size_t>(wideSize), L'\0');
    MultiByteToWideChar(from, 0, text.data(), length, &wide[0], wideSize);
    const int size =
        WideCharToMultiByte(to, 0, wide.data(), wideSize, nullptr, 0, nullptr, nullptr);
    if (size <= 0) {
        return text;
    }
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(to, 0, wide.data(), wideSize, &result[0], size, nullptr, nullptr);
    return result;
}

}  // namespace

std::string narrowFromFile(const std::string& bytes, FileEncoding encoding) {
    const UINT from = encoding == FileEncoding::kUtf8 ? CP_UTF8 : legacyCodePage();
    return converted(bytes, from, GetACP());
}

std::string utf8FromNarrow(const std::string& text) {
    return converted(text, GetACP(), CP_UTF8);
}

}  // namespace platform
