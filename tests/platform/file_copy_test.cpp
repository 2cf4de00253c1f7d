#include "platform/file_copy.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>

#include "support/patterned_bytes.h"
#include "support/temp_dir.h"

namespace {

TEST(FileCopy, StepsAppendTheSourcesBytesFromAnyOffsetUpToItsEnd) {
    TempDir directory;
    const std::string bytes = patternedBytes(3 * 1024 * 1024 + 17);
    writeFile(directory.file("source"), bytes);
    const platform::RawFile source = platform::RawFile::openForReading(directory.file("source"));
    platform::RawFile target = platform::RawFile::createNew(directory.file("target"));
    ASSERT_TRUE(source.isOpen());
    ASSERT_TRUE(target.isOpen());
    EXPECT_EQ(source.size(), static_cast<int64_t>(bytes.size()));

    const struct {
        int64_t offset;
        size_t size;
        size_t copied;  // what reaches the target
    } steps[] = {
        {5, 100, 100},
        {0, 0, 0},
        {1, 61439, 61439},
        {0, bytes.size(), bytes.size()},  // more than the copier's buffer, to the last byte
        {static_cast<int64_t>(bytes.size()) - 10, 10, 10},
        {static_cast<int64_t>(bytes.size()) - 10, 11, 10},  // the source ends first
        {static_cast<int64_t>(bytes.size()), 1, 0},
        {static_cast<int64_t>(bytes.size()) + 1000, 1, 0},
    };
    platform::FileCopier copier;
    std::string expected;
    for (const auto& step : steps) {
        const platform::CopyStep result = copier.copy(source, step.offset, target, step.size);
        EXPECT_EQ(result.error, 0) << step.offset << "+" << step.size;
        EXPECT_EQ(result.copied, step.copied) << step.offset << "+" << step.size;
        if (step.copied > 0) {
            expected += bytes.substr(static_cast<size_t>(step.offset), step.copied);
        }
    }
    EXPECT_EQ(target.close(), 0);
    EXPECT_EQ(readFile(directory.file("target")), expected);
}

TEST(FileCopy, ReadsBeyondFourGibibytes) {
    TempDir directory;
    const std::string path = directory.file("sparse");
    const int64_t offset = (int64_t{1} << 32) + 12345;
    const std::string bytes = patternedBytes(200000, 3);
    {
        std::ofstream file(path, std::ios::binary);
        file.seekp(offset);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        ASSERT_TRUE(file.good());
    }
    const platform::RawFile source = platform::RawFile::openForReading(path);
    platform::RawFile target = platform::RawFile::createNew(directory.file("target"));
    EXPECT_EQ(source.size(), offset + static_cast<int64_t>(bytes.size()));

    platform::FileCopier copier;
    const platform::CopyStep hole = copier.copy(source, offset - 5, target, 5);
    const platform::CopyStep data = copier.copy(source, offset, target, bytes.size() + 1);
    EXPECT_EQ(hole.copied, 5u);
    EXPECT_EQ(data.copied, bytes.size());
    EXPECT_EQ(data.error, 0);
    EXPECT_EQ(target.close(), 0);
    EXPECT_EQ(readFile(directory.file("target")), std::string(5, '\0') + bytes);
}

TEST(FileCopy, NewFileNeverReplacesOneAndAMissingFileDoesNotOpen) {
    TempDir directory;
    writeFile(directory.file("mine"), "my own bytes");
    errno = 0;
    EXPECT_FALSE(platform::RawFile::createNew(directory.file("mine")).isOpen());
    EXPECT_EQ(errno, EEXIST);
    EXPECT_EQ(readFile(directory.file("mine")), "my own bytes");
    EXPECT_FALSE(platform::RawFile::openForReading(directory.file("gone")).isOpen());
}

}  // namespace
