// The text of files the launcher reads and writes, against the launcher's
// narrow strings.  The test programs carry no manifest, so on Windows their
// code page is the legacy one of the system locale.
#include "platform/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

#ifdef _WIN32
#include <windows.h>

#include "platform/win32/wide_text.h"
#endif

namespace {

using platform::FileEncoding;

const char* const kUtf8Name = "l\xC3\xBC.txt";
const char* const kLegacyName = "l\xFC.txt";  // Windows-1252

#ifdef _WIN32

UINT systemLocaleCodePage() {
    DWORD codePage = 0;
    GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                   reinterpret_cast<LPWSTR>(&codePage), sizeof(codePage) / sizeof(WCHAR));
    return codePage;
}

class TextEncodingTest : public testing::Test {
protected:
    void SetUp() override {
        if (systemLocaleCodePage() != 1252 || GetACP() != 1252) {
            GTEST_SKIP() << "the cases are written for a Western European system locale";
        }
    }
};

TEST_F(TextEncodingTest, BothEncodingsGiveTheSameCharacters) {
    EXPECT_EQ(platform::widened(platform::narrowFromFile(kUtf8Name, FileEncoding::kUtf8)),
              L"l\u00FC.txt");
    EXPECT_EQ(platform::widened(platform::narrowFromFile(kLegacyName, FileEncoding::kLegacy)),
              L"l\u00FC.txt");
}

TEST_F(TextEncodingTest, AUtf8ByteThatIsNoCharacterIsNotKeptAsItWas) {
    const std::wstring wide =
        platform::widened(platform::narrowFromFile("a\xFF"
                                                   "b",
                                                   FileEncoding::kUtf8));
    EXPECT_EQ(wide.front(), L'a');
    EXPECT_EQ(wide.back(), L'b');
    EXPECT_EQ(wide.find(L'\u00FF'), std::wstring::npos);
}

TEST_F(TextEncodingTest, WrittenTextIsUtf8) {
    EXPECT_EQ(platform::utf8FromNarrow(kLegacyName), kUtf8Name);
    EXPECT_EQ(platform::utf8FromNarrow(platform::narrowed(L"\u0436 \u20AC")),
              "? \xE2\x82\xAC");  // the code page has no Cyrillic letter
}

#else

// File names are bytes on POSIX: a text names its files as written.
TEST(TextEncodingTest, PosixKeepsTheBytes) {
    for (const FileEncoding encoding : {FileEncoding::kUtf8, FileEncoding::kLegacy}) {
        EXPECT_EQ(platform::narrowFromFile(kLegacyName, encoding), kLegacyName);
        EXPECT_EQ(platform::narrowFromFile(kUtf8Name, encoding), kUtf8Name);
    }
    EXPECT_EQ(platform::utf8FromNarrow(kLegacyName), kLegacyName);
}

#endif

}  // namespace
