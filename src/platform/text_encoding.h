#pragma once
#include <string>

// The encodings of the text files the launcher reads and writes, and the
// launcher's own narrow strings (the ANSI code page of the process, which
// the manifest makes UTF-8 where the system honours it).
namespace platform {

// How the bytes of a text file are encoded: UTF-8, or the user's legacy
// ANSI code page (the one the system gives programs without our manifest,
// in which older tools and Java before version 18 write their files).
enum class FileEncoding { kUtf8, kLegacy };

// A text file's bytes as the launcher's narrow text.  Windows: converted
// from the encoding to the process code page (nothing to do when they are
// the same); a character the process code page lacks becomes its default
// character.  POSIX: unchanged, because file names are bytes there and a
// text in the locale's own encoding names its files as the system holds
// them.
std::string narrowFromFile(const std::string& bytes, FileEncoding encoding);

// The launcher's narrow text as UTF-8, for the files it writes.  POSIX:
// unchanged.
std::string utf8FromNarrow(const std::string& text);

}  // namespace platform
