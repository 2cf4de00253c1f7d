#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "platform/file_copy.h"
#include "platform/posix/copy_calls_posix.h"
#include "platform/posix/new_file_posix.h"

namespace platform {

namespace {

// The buffer of plain reads and writes, taken only when the kernel cannot
// copy by itself.
constexpr size_t kBufferSize = 1024 * 1024;

// From the fastest on; a copier moves down when the file systems refuse one.
enum class Method { kCopyFileRange, kSendFile, kReadWrite };

ssize_t systemCopyFileRange(int in, off_t* inOffset, int out, size_t size) {
    return copy_file_range(in, inOffset, out, nullptr, size, 0);
}

ssize_t systemSendFile(int out, int in, off_t* inOffset, size_t size) {
    return sendfile(out, in, inOffset, size);
}

ssize_t systemWrite(int out, const void* buffer, size_t size) {
    return ::write(out, buffer, size);
}

// What the file systems answer when they cannot copy this way at all
// (different file systems, a kind of file or a kernel without the call).
bool isRefusal(int error) {
    return error == EXDEV || error == EINVAL || error == ENOSYS || error == EOPNOTSUPP;
}

}  // namespace

CopyCalls realCopyCalls() {
    return {systemCopyFileRange, systemSendFile, pread, systemWrite};
}

CopyCalls& copyCalls() {
    static CopyCalls calls = realCopyCalls();
    return calls;
}

RawFile RawFile::openForReading(const std::string& path) {
    return RawFile(open(path.c_str(), O_RDONLY | O_CLOEXEC));
}

RawFile RawFile::createNew(const std::string& path) {
    return RawFile(openNewFile(path, NewFile::kData));
}

int64_t RawFile::size() const {
    struct stat status;
    return fstat(descriptor_, &status) == 0 ? static_cast<int64_t>(status.st_size) : -1;
}

int RawFile::close() {
    if (descriptor_ < 0) {
        return 0;
    }
    const int result = ::close(descriptor_) == 0 ? 0 : errno;
    descriptor_ = -1;
    return result;
}

struct FileCopier::State {
    Method method = Method::kCopyFileRange;
    std::vector<char> buffer;
};

FileCopier::FileCopier() : state_(new State) {}

FileCopier::~FileCopier() = default;

namespace {

// One read of up to `size` bytes at `offset`, all of it written: the bytes
// written, or -1 with errno (what was written before the failure is added to
// `copied`).  0 at the source's end.
ssize_t readAndWrite(std::vector<char>& buffer, int in, off_t offset, int out, size_t size,
                     size_t& copied) {
    if (buffer.empty()) {
        buffer.resize(kBufferSize);
    }
    const CopyCalls& calls = copyCalls();
    const ssize_t got = calls.readAt(in, buffer.data(), std::min(size, buffer.size()), offset);
    ssize_t written = 0;
    while (written < got) {
        const ssize_t put = calls.write(out, buffer.data() + written, got - written);
        if (put <= 0) {
            if (put < 0 && errno == EINTR) {
                continue;
            }
            if (put == 0) {
                errno = EIO;  // a write that moves nothing would never end
            }
            copied += written;
            return -1;
        }
        written += put;
    }
    return got;
}

}  // namespace

CopyStep FileCopier::copy(const RawFile& source, int64_t offset, const RawFile& target,
                          size_t size) {
    const int in = source.descriptor();
    const int out = target.descriptor();
    CopyStep step;
    while (step.copied < size) {
        const size_t wanted = size - step.copied;
        off_t at = static_cast<off_t>(offset + static_cast<int64_t>(step.copied));
        ssize_t moved = 0;
        switch (state_->method) {
            case Method::kCopyFileRange:
                moved = copyCalls().copyFileRange(in, &at, out, wanted);
                break;
            case Method::kSendFile:
                moved = copyCalls().sendFile(out, in, &at, wanted);
                break;
            case Method::kReadWrite:
                moved = readAndWrite(state_->buffer, in, at, out, wanted, step.copied);
                break;
        }
        if (moved > 0) {
            step.copied += static_cast<size_t>(moved);
            continue;
        }
        const int error = moved < 0 ? errno : 0;
        if (error == EINTR) {
            continue;
        }
        // Nothing moved: the end of the source, or a refusal.  Some file
        // systems refuse by copying nothing, so only a plain read tells the
        // end for sure.
        if (state_->method != Method::kReadWrite && (moved == 0 || isRefusal(error))) {
            state_->method = static_cast<Method>(static_cast<int>(state_->method) + 1);
            continue;
        }
        step.error = error;
        break;
    }
    return step;
}

}  // namespace platform
