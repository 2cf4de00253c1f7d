#pragma once
#include <string>

// The edge between the launcher's narrow strings, which are in the ANSI code
// page, and the wide calls of the Windows API.
namespace platform {

// Characters the code page cannot show become its default character; a
// caller that must know passes `lossy`.
std::wstring widened(const std::string& text);
std::string narrowed(const std::wstring& text, bool* lossy = nullptr);

// The absolute form of a path as the system resolves it, unchanged when it
// cannot.
std::wstring fullPath(const std::wstring& path);

// A path for a wide file call.  One too long for the plain form (whose limit
// is MAX_PATH, and 12 characters less for a directory to be created) is made
// absolute and given the "\\?\" prefix ("\\?\UNC\" for a network path), which
// the file calls accept up to 32,767 characters.
std::wstring widePath(const std::string& path);

}  // namespace platform
