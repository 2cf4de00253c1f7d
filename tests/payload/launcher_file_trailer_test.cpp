#include <gtest/gtest.h>

#include <cstdio>

#include "base/launcher_exception.h"
#include "base/run_state.h"
#include "payload/big_endian.h"
#include "payload/launcher_file.h"
#include "payload/launcher_trailer.h"
#include "support/launcher_builder.h"
#include "support/temp_dir.h"

namespace {

const std::string kIdentification = "\xCA\x82\xCA\x82";

// Opens a file made of `bytes` for reading; closes it at the end of the scope.
class ReadStream {
public:
    ReadStream(const TempDir& directory, const std::string& bytes) {
        const std::string path = directory.file("stream");
        writeFile(path, bytes);
        stream_ = std::fopen(path.c_str(), "rb");
    }
    ~ReadStream() { std::fclose(stream_); }
    std::FILE* get() const { return stream_; }

private:
    std::FILE* stream_;
};

TEST(BigEndianReader, ReadsMostSignificantByteFirst) {
    TempDir directory;
    ReadStream stream(directory, std::string("\x80\x00\x00\x01\xFF\xFE\x12", 7));
    EXPECT_EQ(readBigEndian32(stream.get(), "first"), INT32_MIN + 1);
    EXPECT_EQ(readBigEndian16(stream.get(), "second"), 0xFFFE);
    try {
        readBigEndian16(stream.get(), "only one byte left");
        FAIL() << "a short read must throw";
    } catch (const LauncherException& e) {
        EXPECT_EQ(e.text(), "only one byte left");
    }
}

TEST(TrailerScan, FindsTheIdentificationNearestTheEnd) {
    TempDir directory;
    const std::string tail(100, 'x');
    const struct {
        std::string bytes;
        std::optional<int32_t> trailerEnd;
    } cases[] = {
        {"abcd" + kIdentification, 0},
        {kIdentification + "abcd" + kIdentification + tail, -100},
        {kIdentification + "\xCA\x82" + "zzz", -3},  // overlapping: the later one counts
        {"no value here", std::nullopt},
        {"\xCA\x82\xCA", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        ReadStream stream(directory, c.bytes);
        EXPECT_EQ(locateTrailerEnd(stream.get()), c.trailerEnd) << c.bytes;
    }
}

TEST(TrailerScan, SeesTheIdentificationAcrossEveryBlockBorder) {
    // The scan reads 64 KiB blocks from the end; values that straddle the
    // border between the last two blocks must be found like any other.
    TempDir directory;
    const long size = 3 * 64 * 1024;
    const long border = size - 64 * 1024;
    for (long start = border - 5; start <= border + 1; ++start) {
        std::string bytes(size, '\0');
        bytes.replace(start, 4, kIdentification);
        ReadStream stream(directory, bytes);
        EXPECT_EQ(locateTrailerEnd(stream.get()), start + 4 - size) << start;
    }
}

TEST(LauncherKind, IsTheByteBeforeTheTrailer) {
    TempDir directory;
    const std::string appended(300, 'z');
    const struct {
        std::string bytes;
        int kind;
    } cases[] = {
        {launcherFileBytes("stub", fileIndexBytes(0, {}), 0), 0},
        {launcherFileBytes("stub", fileIndexBytes(0, {}), 2), 2},
        {launcherFileBytes("stub", fileIndexBytes(0, {}), 255), 255},
        // A code signature after the trailer does not hide it.
        {launcherFileBytes("stub", fileIndexBytes(0, {}), 7) + appended, 7},
        // Without an identification value: 9 bytes before the end.
        {"a\x05"
         "bcdefghi",
         5},
        {"12345678", -1},
        {"", -1},
    };
    for (const auto& c : cases) {
        const std::string path = directory.file("other.exe");
        writeFile(path, c.bytes);
        EXPECT_EQ(readLauncherKind(path), c.kind) << c.bytes;
    }
    EXPECT_EQ(readLauncherKind(directory.file("missing.exe")), -1);
}

TEST(LauncherKind, IsCachedForTheRunningLauncherFileOnly) {
    // Relies on a fresh process (CTest runs each test case on its own): the
    // cache starts unknown.
    TempDir directory;
    const std::string running = directory.file("running.exe");
    runState().launcherFileName = running;
    EXPECT_EQ(readLauncherKind(running), -1);  // missing: not cached
    writeFile(running, launcherFileBytes("stub", fileIndexBytes(0, {}), 1) + "signature");
    EXPECT_EQ(readLauncherKind(running), 1);
    EXPECT_EQ(launcherTrailerEnd(), -9);

    writeFile(running, launcherFileBytes("stub", fileIndexBytes(0, {}), 2));
    EXPECT_EQ(readLauncherKind(running), 1);  // cached
    const std::string other = directory.file("other.exe");
    writeFile(other, launcherFileBytes("stub", fileIndexBytes(0, {}), 2) + "more");
    EXPECT_EQ(readLauncherKind(other), 2);
    EXPECT_EQ(launcherTrailerEnd(), -9);  // only scans of the running file change it
}

}  // namespace
