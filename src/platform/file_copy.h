#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// Moving bytes from one file into another with the system's own file calls,
// without a buffer of the run-time library in between.  Errors are the
// run-time library's error numbers (errno values), as its streams report
// them.
namespace platform {

// An open file, closed when it goes out of scope.
class RawFile {
public:
    RawFile() = default;
    ~RawFile() { close(); }
    RawFile(RawFile&& other) noexcept : descriptor_(other.descriptor_) { other.descriptor_ = -1; }
    RawFile& operator=(RawFile&& other) noexcept {
        if (this != &other) {
            close();
            descriptor_ = other.descriptor_;
            other.descriptor_ = -1;
        }
        return *this;
    }
    RawFile(const RawFile&) = delete;
    RawFile& operator=(const RawFile&) = delete;

    // An existing file, for reading from front to back; others may read and
    // write it meanwhile.  Not open when it cannot be opened, errno telling
    // why.
    static RawFile openForReading(const std::string& path);
    // A new binary file for writing, made exactly as createNewFile makes one
    // for NewFile::kData (file_system.h): nothing of that name is replaced.
    // Not open when it cannot be made, errno telling why (EEXIST when
    // something of that name exists).
    static RawFile createNew(const std::string& path);

    bool isOpen() const { return descriptor_ >= 0; }
    // The size in bytes; -1 when the system cannot tell.
    int64_t size() const;
    // 0, or the error number of a failed close.  Closing a closed file
    // does nothing.
    int close();

    // The run-time library's file descriptor, for the backend.
    int descriptor() const { return descriptor_; }

private:
    explicit RawFile(int descriptor) : descriptor_(descriptor) {}
    int descriptor_ = -1;
};

struct CopyStep {
    size_t copied = 0;  // the bytes that reached the target
    int error = 0;      // 0, or the error number of the call that failed
};

// Copies between files by the fastest means that the system and the two file
// systems allow: on Linux inside the kernel (copy_file_range, or sendfile
// where the file systems refuse it, or reads and writes where both are
// refused), on Windows ReadFile and WriteFile.  It remembers what the file
// systems refused, so use one copier for one pair of files.
class FileCopier {
public:
    FileCopier();
    ~FileCopier();
    FileCopier(const FileCopier&) = delete;
    FileCopier& operator=(const FileCopier&) = delete;

    // Copies `size` bytes of the source, from `offset` on, to the target's
    // current end.  Fewer bytes are copied only when the source ends first
    // (error 0) or a call fails (error set); short reads and writes are
    // taken up again.
    CopyStep copy(const RawFile& source, int64_t offset, const RawFile& target, size_t size);

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace platform
