#pragma once
#include <cstdio>
#include <string>

// Where the bytes of a tag file come from.  The parser (TagFile::parse) reads
// bytes in memory, so the same parser serves a file on disk, an embedded file
// of the launcher file and a fuzzer's bytes.

// The text of a tag file from its bytes, in the launcher's narrow strings:
// read as UTF-8 when the bytes are UTF-8 or start with a byte order mark
// (which is dropped), otherwise in the user's legacy ANSI code page, as
// older tools and Java before version 18 write (platform/text_encoding.h).  Both
// readers below pass what they read through it.
std::string tagFileText(const std::string& bytes);

// A tag file on disk: its bytes up to the first Ctrl-Z byte, which ends the
// file as it did when tag files were read as text (files of older tools end
// with one), as text (tagFileText).  False when the file cannot be opened or read (a directory
// cannot be read) or holds more than 64 MiB.
bool readTagFileText(const std::string& path, std::string& text);

// An embedded file: `length` bytes from `offset` of the stream, fewer where
// the stream ends, none for a negative length; no byte ends it early.  The
// bytes are checked and read as text (tagFileText) on their own, never with
// those around them.  False
// when the stream cannot be positioned at the offset, a read fails, or the
// region holds more than 64 MiB.
bool readStreamRegion(std::FILE* stream, long offset, long length, std::string& bytes);
