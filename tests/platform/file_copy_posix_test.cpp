// How the POSIX copier moves down from the kernel's copy to plain reads and
// writes, and takes up short counts, with the system calls feigned around
// the real ones.
#ifndef _WIN32
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "platform/file_copy.h"
#include "platform/posix/copy_calls_posix.h"
#include "support/patterned_bytes.h"
#include "support/temp_dir.h"

namespace {

// What the feigned calls answer before they pass a call on to the real one.
struct Feigned {
    int copyFileRangeError = 0;  // an error number to answer with, or 0
    bool copyFileRangeMovesNothing = false;
    int sendFileError = 0;
    int writeError = 0;
    size_t writableBytes = SIZE_MAX;  // writes beyond fail with writeError
    size_t largest = SIZE_MAX;        // the most one call moves
    int interruptions = 0;            // EINTR answers still to give, one per call
    // Bytes each way moved.
    size_t byCopyFileRange = 0;
    size_t bySendFile = 0;
    size_t byWrite = 0;
};

Feigned& feigned() {
    static Feigned state;
    return state;
}

bool interrupted() {
    if (feigned().interruptions > 0) {
        --feigned().interruptions;
        errno = EINTR;
        return true;
    }
    return false;
}

ssize_t answer(int error) {
    errno = error;
    return -1;
}

ssize_t counted(ssize_t moved, size_t& total) {
    if (moved > 0) {
        total += static_cast<size_t>(moved);
    }
    return moved;
}

ssize_t feignedCopyFileRange(int in, off_t* inOffset, int out, size_t size) {
    if (interrupted()) {
        return -1;
    }
    if (feigned().copyFileRangeError != 0) {
        return answer(feigned().copyFileRangeError);
    }
    if (feigned().copyFileRangeMovesNothing) {
        return 0;
    }
    return counted(platform::realCopyCalls().copyFileRange(in, inOffset, out,
                                                           std::min(size, feigned().largest)),
                   feigned().byCopyFileRange);
}

ssize_t feignedSendFile(int out, int in, off_t* inOffset, size_t size) {
    if (interrupted()) {
        return -1;
    }
    if (feigned().sendFileError != 0) {
        return answer(feigned().sendFileError);
    }
    return counted(
        platform::realCopyCalls().sendFile(out, in, inOffset, std::min(size, feigned().largest)),
        feigned().bySendFile);
}

ssize_t feignedReadAt(int in, void* buffer, size_t size, off_t offset) {
    if (interrupted()) {
        return -1;
    }
    return platform::realCopyCalls().readAt(in, buffer, std::min(size, feigned().largest), offset);
}

ssize_t feignedWrite(int out, const void* buffer, size_t size) {
    if (interrupted()) {
        return -1;
    }
    if (feigned().byWrite >= feigned().writableBytes) {
        return feigned().writeError != 0 ? answer(feigned().writeError) : 0;
    }
    const size_t room = feigned().writableBytes - feigned().byWrite;
    return counted(
        platform::realCopyCalls().write(out, buffer, std::min({size, feigned().largest, room})),
        feigned().byWrite);
}

// A source of patterned bytes and a new target, copied between with the
// calls feigned as told; the real calls come back at the end.
class FeignedCopy {
public:
    explicit FeignedCopy(const Feigned& answers) {
        feigned() = answers;
        platform::copyCalls() = {feignedCopyFileRange, feignedSendFile, feignedReadAt,
                                 feignedWrite};
        writeFile(directory_.file("source"), bytes_);
        source_ = platform::RawFile::openForReading(directory_.file("source"));
        target_ = platform::RawFile::createNew(directory_.file("target"));
    }
    ~FeignedCopy() { platform::copyCalls() = platform::realCopyCalls(); }
    FeignedCopy(const FeignedCopy&) = delete;
    FeignedCopy& operator=(const FeignedCopy&) = delete;

    const std::string& bytes() const { return bytes_; }
    platform::CopyStep copy(int64_t offset, size_t size) {
        return copier_.copy(source_, offset, target_, size);
    }
    std::string copied() {
        EXPECT_EQ(target_.close(), 0);
        return readFile(directory_.file("target"));
    }

private:
    TempDir directory_;
    const std::string bytes_ = patternedBytes(300000);
    platform::RawFile source_;
    platform::RawFile target_;
    platform::FileCopier copier_;
};

enum class Way { kCopyFileRange, kSendFile, kWrite };

size_t movedBy(Way way) {
    switch (way) {
        case Way::kCopyFileRange:
            return feigned().byCopyFileRange;
        case Way::kSendFile:
            return feigned().bySendFile;
        case Way::kWrite:
            return feigned().byWrite;
    }
    return 0;
}

Feigned answers(int copyFileRangeError, int sendFileError, size_t largest) {
    Feigned answers;
    answers.copyFileRangeError = copyFileRangeError;
    answers.sendFileError = sendFileError;
    answers.largest = largest;
    return answers;
}

TEST(FileCopyPosix, EveryRefusalMovesDownAndShortCountsAreTakenUp) {
    Feigned movesNothing;
    movesNothing.copyFileRangeMovesNothing = true;
    Feigned interrupted;
    interrupted.interruptions = 3;
    Feigned interruptedReads = answers(EXDEV, EXDEV, 4096);
    interruptedReads.interruptions = 2;
    const struct {
        const char* what;
        Feigned answers;
        Way way;
    } cases[] = {
        {"the kernel's copy", answers(0, 0, SIZE_MAX), Way::kCopyFileRange},
        {"another file system", answers(EXDEV, 0, SIZE_MAX), Way::kSendFile},
        {"a file it cannot copy", answers(EINVAL, 0, SIZE_MAX), Way::kSendFile},
        {"an old kernel", answers(ENOSYS, 0, SIZE_MAX), Way::kSendFile},
        {"a file system without it", answers(EOPNOTSUPP, 0, SIZE_MAX), Way::kSendFile},
        {"a file system that copies nothing", movesNothing, Way::kSendFile},
        {"no sendfile either", answers(EXDEV, EINVAL, SIZE_MAX), Way::kWrite},
        {"short copies", answers(0, 0, 1000), Way::kCopyFileRange},
        {"short sends", answers(ENOSYS, 0, 999), Way::kSendFile},
        {"short reads and writes", answers(ENOSYS, ENOSYS, 1001), Way::kWrite},
        {"interrupted calls", interrupted, Way::kCopyFileRange},
        {"interrupted reads and writes", interruptedReads, Way::kWrite},
    };
    for (const auto& c : cases) {
        FeignedCopy copy(c.answers);
        const platform::CopyStep first = copy.copy(7, 200000);
        const platform::CopyStep second = copy.copy(0, 61439);
        const platform::CopyStep end = copy.copy(299990, 61439);  // the source ends first
        EXPECT_EQ(first.copied, 200000u) << c.what;
        EXPECT_EQ(second.copied, 61439u) << c.what;
        EXPECT_EQ(end.copied, 10u) << c.what;
        EXPECT_EQ(first.error + second.error + end.error, 0) << c.what;
        EXPECT_EQ(copy.copied(), copy.bytes().substr(7, 200000) + copy.bytes().substr(0, 61439) +
                                     copy.bytes().substr(299990))
            << c.what;
        EXPECT_EQ(movedBy(c.way), 200000u + 61439u + 10u) << c.what;
    }
}

TEST(FileCopyPosix, AFailureIsReportedWithTheBytesBeforeItAndNeverHandedOn) {
    const struct {
        const char* what;
        Feigned answers;
        int writeError;
        size_t writableBytes;
        Way failing;
        size_t copied;
        int error;
    } cases[] = {
        {"a full disk in the kernel's copy", answers(ENOSPC, 0, 4096), 0, SIZE_MAX,
         Way::kCopyFileRange, 0, ENOSPC},
        {"an I/O error in sendfile", answers(EXDEV, EIO, 4096), 0, SIZE_MAX, Way::kSendFile, 0,
         EIO},
        // The reads are as long as the writes, so the write stops inside one.
        {"a full disk in the middle of a write", answers(EXDEV, EXDEV, 4096), ENOSPC, 150000,
         Way::kWrite, 150000, ENOSPC},
        {"a write that moves nothing", answers(EXDEV, EXDEV, 4096), 0, 70000, Way::kWrite, 70000,
         EIO},
    };
    for (const auto& c : cases) {
        Feigned answers = c.answers;
        answers.writeError = c.writeError;
        answers.writableBytes = c.writableBytes;
        FeignedCopy copy(answers);
        const platform::CopyStep step = copy.copy(0, 200000);
        EXPECT_EQ(step.copied, c.copied) << c.what;
        EXPECT_EQ(step.error, c.error) << c.what;
        EXPECT_EQ(copy.copied(), copy.bytes().substr(0, c.copied)) << c.what;
        if (c.failing != Way::kWrite) {
            EXPECT_EQ(feigned().byWrite, 0u) << c.what << ": an error is no refusal";
        }
        if (c.failing == Way::kCopyFileRange) {
            EXPECT_EQ(feigned().bySendFile, 0u) << c.what << ": an error is no refusal";
        }
    }
}

// In a child of the test: copies twice the file size limit in the way the
// answers leave.  Whether the limit's bytes arrived and the rest was refused
// with EFBIG: a short write made by the system itself.
bool writeCutShortEndsWithItsError(const Feigned& way) {
    constexpr size_t kLimit = 100000;
    FeignedCopy copy(way);  // its source is larger than the limit
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit = {kLimit, kLimit};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) {
        return false;
    }
    const platform::CopyStep step = copy.copy(5, 2 * kLimit);
    return step.copied == kLimit && step.error == EFBIG &&
           copy.copied() == copy.bytes().substr(5, kLimit);
}

TEST(FileCopyPosix, AWriteTheSystemCutsShortEndsWithItsError) {
    for (const Feigned& way :
         {answers(0, 0, SIZE_MAX), answers(EXDEV, 0, SIZE_MAX), answers(EXDEV, EXDEV, SIZE_MAX)}) {
        EXPECT_EXIT(std::exit(writeCutShortEndsWithItsError(way) ? 0 : 1),
                    testing::ExitedWithCode(0), "");
    }
}

// Between two file systems the kernel may refuse its own copy; the bytes
// arrive all the same.
TEST(FileCopyPosix, CopiesBetweenFileSystems) {
    TempDir directory;
    struct stat memory;
    struct stat disk;
    if (stat("/dev/shm", &memory) != 0 || stat(directory.path().c_str(), &disk) != 0 ||
        memory.st_dev == disk.st_dev) {
        GTEST_SKIP() << "no second file system at /dev/shm";
    }
    const std::string sourcePath = "/dev/shm/file-copy-test-" + std::to_string(getpid());
    const std::string bytes = patternedBytes(500000, 11);
    writeFile(sourcePath, bytes);
    {
        const platform::RawFile source = platform::RawFile::openForReading(sourcePath);
        platform::RawFile target = platform::RawFile::createNew(directory.file("target"));
        platform::FileCopier copier;
        const platform::CopyStep step = copier.copy(source, 3, target, bytes.size());
        EXPECT_EQ(step.copied, bytes.size() - 3);
        EXPECT_EQ(step.error, 0);
        EXPECT_EQ(target.close(), 0);
    }
    std::remove(sourcePath.c_str());
    EXPECT_EQ(readFile(directory.file("target")), bytes.substr(3));
}

}  // namespace
#endif
