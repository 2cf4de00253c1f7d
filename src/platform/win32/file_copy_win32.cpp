#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "platform/file_copy.h"
#include "platform/win32/new_file_win32.h"
#include "platform/win32/wide_text.h"

// The bytes go through one buffer of the copier with ReadFile and WriteFile.
// Unbuffered I/O (FILE_FLAG_NO_BUFFERING) would need reads and writes on
// sector boundaries, which the places of embedded files and the block size
// of an extraction do not keep; the source is read with
// FILE_FLAG_SEQUENTIAL_SCAN (_O_SEQUENTIAL) instead.
namespace platform {

namespace {

constexpr DWORD kBufferSize = 1024 * 1024;

HANDLE handleOf(const RawFile& file) {
    return reinterpret_cast<HANDLE>(_get_osfhandle(file.descriptor()));
}

// The run-time library's error number for the system error of a read or a
// write, as its own _read and _write set it.
int errorNumberOf(DWORD code) {
    if (code >= ERROR_WRITE_PROTECT && code <= ERROR_SHARING_BUFFER_EXCEEDED) {
        return EACCES;
    }
    switch (code) {
        case ERROR_ACCESS_DENIED:
        case ERROR_INVALID_HANDLE:
            return EBADF;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_NOT_ENOUGH_QUOTA:
            return ENOMEM;
        case ERROR_BROKEN_PIPE:
            return EPIPE;
        case ERROR_DISK_FULL:
            return ENOSPC;
        default:
            return EINVAL;
    }
}

// Reads up to `size` bytes at `offset`: the count, 0 at the end, or -1 with
// errno.
long readAt(HANDLE in, int64_t offset, char* buffer, DWORD size) {
    OVERLAPPED place = {};
    place.Offset = static_cast<DWORD>(offset);
    place.OffsetHigh = static_cast<DWORD>(static_cast<uint64_t>(offset) >> 32);
    DWORD got = 0;
    if (ReadFile(in, buffer, size, &got, &place)) {
        return static_cast<long>(got);
    }
    const DWORD code = GetLastError();
    if (code == ERROR_HANDLE_EOF || code == ERROR_BROKEN_PIPE) {
        return 0;
    }
    errno = errorNumberOf(code);
    return -1;
}

// Writes all `size` bytes at the file's position: 0, or the error number,
// `written` telling how far it came.
int writeAll(HANDLE out, const char* buffer, DWORD size, DWORD& written) {
    written = 0;
    while (written < size) {
        DWORD put = 0;
        if (!WriteFile(out, buffer + written, size - written, &put, nullptr)) {
            return errorNumberOf(GetLastError());
        }
        if (put == 0) {
            return ENOSPC;  // as the run-time library reads a write of nothing
        }
        written += put;
    }
    return 0;
}

}  // namespace

RawFile RawFile::openForReading(const std::string& path) {
    return RawFile(
        _wopen(widePath(path).c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT | _O_SEQUENTIAL));
}

RawFile RawFile::createNew(const std::string& path) {
    return RawFile(openNewFile(path, NewFile::kData));
}

int64_t RawFile::size() const {
    LARGE_INTEGER size;
    return GetFileSizeEx(handleOf(*this), &size) ? static_cast<int64_t>(size.QuadPart) : -1;
}

int RawFile::close() {
    if (descriptor_ < 0) {
        return 0;
    }
    const int result = _close(descriptor_) == 0 ? 0 : errno;
    descriptor_ = -1;
    return result;
}

struct FileCopier::State {
    std::vector<char> buffer;
};

FileCopier::FileCopier() : state_(new State) {}

FileCopier::~FileCopier() = default;

CopyStep FileCopier::copy(const RawFile& source, int64_t offset, const RawFile& target,
                          size_t size) {
    std::vector<char>& buffer = state_->buffer;
    if (buffer.empty()) {
        buffer.resize(kBufferSize);
    }
    const HANDLE in = handleOf(source);
    const HANDLE out = handleOf(target);
    CopyStep step;
    while (step.copied < size) {
        const DWORD wanted = static_cast<DWORD>(std::min<size_t>(size - step.copied, kBufferSize));
        const long got =
            readAt(in, offset + static_cast<int64_t>(step.copied), buffer.data(), wanted);
        if (got <= 0) {
            step.error = got < 0 ? errno : 0;
            break;
        }
        DWORD written = 0;
        step.error = writeAll(out, buffer.data(), static_cast<DWORD>(got), written);
        step.copied += written;
        if (step.error != 0) {
            break;
        }
    }
    return step;
}

}  // namespace platform
