#pragma once
#include <cstdio>
#include <string>

// Where the bytes of a tag file come from.  The parser (TagFile::parse) reads
// bytes in memory, so the same parser serves a file on disk, an embedded file
// of the launcher file and a fuzzer's bytes.

// A tag file on disk: its bytes up to the first Ctrl-Z byte, which ends the
// file as it did when tag files were read as text (files of older tools end
// with one).  False when the file cannot be opened or read (a directory
// cannot be read) or holds more than 64 MiB.
bool readTagFileText(const std::string& path, std::string& text);

// An embedded file: `length` bytes from `offset` of the stream, fewer where
// the stream ends, none for a negative length; no byte ends it early.  False
// when the stream cannot be positioned at the offset, a read fails, or the
// region holds more than 64 MiB.
bool readStreamRegion(std::FILE* stream, long offset, long length, std::string& bytes);
