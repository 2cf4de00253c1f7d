#include <gtest/gtest.h>

#include <filesystem>

#include "base/facade.h"
#include "base/launcher_exception.h"
#include "base/messages.h"
#include "base/path_text.h"
#include "base/run_state.h"
#include "payload/cleanup.h"
#include "payload/launcher_file.h"
#include "payload/workspace.h"
#include "support/patterned_bytes.h"
#include "support/recording_launcher.h"
#include "support/temp_dir.h"
#include "tagfile/text_utils.h"

namespace {

namespace fs = std::filesystem;

constexpr int32_t kBlock = 61439;

FileIndexEntry entry(const std::string& name, int32_t offset, int32_t length) {
    FileIndexEntry e;
    e.fileType = kFileArchive;
    e.name = name;
    e.offset = offset;
    e.length = length;
    return e;
}

// A launcher file of patterned bytes, and a directory to extract into.
class ExtractionTest : public testing::Test {
protected:
    void SetUp() override {
        launcherBytes_ = patternedBytes(4 * kBlock + 100);
        runState().launcherFileName = directory_.file("launcher.exe");
        writeFile(runState().launcherFileName, launcherBytes_);
        fs::create_directory(target());
        setTempDirectory(directory_.path());
    }
    void TearDown() override {
        setCurrentLauncher(nullptr);
        cleanUp();
        setTempDirectory("");
    }

    std::string target() const { return directory_.file("out"); }
    std::vector<std::string> targetFiles() const {
        std::vector<std::string> names;
        for (const auto& file : fs::directory_iterator(target())) {
            names.push_back(file.path().filename().string());
        }
        return names;
    }
    std::string failureOf(const FileIndexEntry& e, const std::string& directory) {
        try {
            extract(e, directory);
        } catch (const LauncherException& error) {
            return error.text();
        }
        ADD_FAILURE() << "extracting " << e.name << " must fail";
        return std::string();
    }

    TempDir directory_;
    std::string launcherBytes_;
};

TEST_F(ExtractionTest, WritesTheEntrysBytesAdvancingOncePerBlock) {
    const struct {
        int32_t offset, length;
        size_t steps;
    } cases[] = {
        {0, 0, 0},
        {5, 1, 1},
        {17, kBlock, 1},
        {17, kBlock + 1, 2},
        {3, 3 * kBlock + 5, 4},
        {4 * kBlock + 99, 1, 1},   // the launcher file's last byte
        {100, 4 * kBlock, 4},      // the last block ends with the launcher file
        {4 * kBlock + 100, 0, 0},  // nothing, at the launcher file's end
    };
    for (const auto& c : cases) {
        std::vector<std::string> calls;
        setCurrentLauncher(std::make_unique<RecordingLauncher>(&calls));
        const std::string name =
            "entry-" + std::to_string(c.offset) + "-" + std::to_string(c.length);
        const std::string path = extract(entry(name, c.offset, c.length), target());
        EXPECT_EQ(path, joinPath(target(), name));
        EXPECT_EQ(readFile(path), launcherBytes_.substr(c.offset, c.length)) << name;
        EXPECT_EQ(calls, std::vector<std::string>(c.steps, "step:1")) << name;
    }
}

TEST_F(ExtractionTest, EmptyDirectoryMeansTheCurrentOne) {
    const fs::path previous = fs::current_path();
    fs::current_path(target());
    const std::string path = extract(entry("here.bin", 10, 20), "");
    fs::current_path(previous);
    EXPECT_EQ(path, "here.bin");
    EXPECT_EQ(readFile(joinPath(target(), "here.bin")), launcherBytes_.substr(10, 20));
}

TEST_F(ExtractionTest, NameThatIsNoPlainFileNameIsRefusedBeforeWriting) {
    for (const std::string name :
         {"", ".", "..", "../up.jar", "sub/a.jar", "sub\\a.jar", "/abs.jar", "\\abs.jar", "C:a.jar",
          "C:\\a.jar", "a.jar:s", "NUL", "con", "aux.txt", "COM1.bin", "LPT9", "CONOUT$", "a?b",
          "a.jar."}) {
        const std::string text = failureOf(entry(name, 0, 10), target());
        EXPECT_EQ(
            text.rfind("The embedded file name \"" + name + "\" is not a plain file name (", 0), 0u)
            << text;
        EXPECT_TRUE(endsWith(text, "); nothing was extracted.")) << text;
    }
    EXPECT_TRUE(targetFiles().empty());
    EXPECT_FALSE(pathExists(directory_.file("up.jar")));
}

TEST_F(ExtractionTest, EntryOutsideTheLauncherFileIsRefusedBeforeWriting) {
    const int32_t size = static_cast<int32_t>(launcherBytes_.size());
    const std::string incomplete =
        " is incomplete: the launcher file does not hold all of its bytes.";
    const struct {
        FileIndexEntry entry;
        std::string text;
    } cases[] = {
        {entry("short.exe", size - 10, 11), "The embedded file short.exe" + incomplete},
        {entry("after.exe", size + 5, 1), "The embedded file after.exe" + incomplete},
        {entry("far.exe", INT32_MAX, 1), "The embedded file far.exe" + incomplete},
        {entry("wide.exe", 1, INT32_MAX), "The embedded file wide.exe" + incomplete},
        // A length of 0xFFFFFFFF read as a signed number.
        {entry("forged.exe", 0, -1),
         "The embedded file forged.exe has an invalid place in the file index (offset 0, length "
         "-1)."},
        {entry("negative.exe", -1, 1),
         "The embedded file negative.exe has an invalid place in the file index (offset -1, "
         "length 1)."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(failureOf(c.entry, target()), c.text);
    }
    EXPECT_TRUE(targetFiles().empty());
}

TEST_F(ExtractionTest, AFileOfTheNameIsLeftAsItIs) {
    writeFile(joinPath(target(), "mine.txt"), "my own bytes");
    fs::create_directory(joinPath(target(), "mine"));
    writeFile(joinPath(joinPath(target(), "mine"), "deep.txt"), "deep");
    for (const std::string name : {"mine.txt", "mine"}) {
        EXPECT_EQ(failureOf(entry(name, 0, 10), target()), "Cannot write the embedded file " +
                                                               joinPath(target(), name) +
                                                               ": a file of that name exists.");
    }
    EXPECT_EQ(readFile(joinPath(target(), "mine.txt")), "my own bytes");
    EXPECT_EQ(readFile(joinPath(joinPath(target(), "mine"), "deep.txt")), "deep");
}

TEST_F(ExtractionTest, TargetThatCannotBeCreatedGivesTheErrorNumber) {
    // Longer than any file system takes a name.
    const std::string text = failureOf(entry(std::string(300, 'n'), 0, 10), target());
    const std::string before = loadMessage(33);
    const std::string after = loadMessage(34);
    ASSERT_GT(text.size(), before.size() + after.size()) << text;
    EXPECT_EQ(text.substr(0, before.size()), before) << text;
    EXPECT_EQ(text.substr(text.size() - after.size()), after) << text;
    const std::string number =
        text.substr(before.size(), text.size() - before.size() - after.size());
    EXPECT_GT(std::stoi(number), 0) << "the run-time library's error number: " << text;
}

TEST_F(ExtractionTest, MissingLauncherFileIsAFailure) {
    runState().launcherFileName = directory_.file("gone.exe");
    EXPECT_EQ(failureOf(entry("a.jar", 0, 10), target()), "Cannot open launcher file.");
}

// Cuts the launcher file short at the first progress step, as when it is
// replaced while the launcher runs.
class TruncatingLauncher : public RecordingLauncher {
public:
    TruncatingLauncher(std::vector<std::string>* calls, std::string launcher, uintmax_t size)
        : RecordingLauncher(calls), launcher_(std::move(launcher)), size_(size) {}
    void stepProgress(int steps) override {
        RecordingLauncher::stepProgress(steps);
        if (fs::file_size(launcher_) > size_) {
            fs::resize_file(launcher_, size_);
        }
    }

private:
    std::string launcher_;
    uintmax_t size_;
};

TEST_F(ExtractionTest, LauncherFileThatEndsEarlyIsAnIncompleteEntryAndLeavesNoFile) {
    // Long enough that the bytes do not all move at once.
    runState().launcherFileName = directory_.file("long.exe");
    const struct {
        uintmax_t size;  // after the first step
        size_t steps;
    } cases[] = {
        {10 + 30 * kBlock + 500, 31},  // within a block
        {10 + 30 * kBlock, 31},        // where a block ends: the next one is empty
    };
    for (const auto& c : cases) {
        writeFile(runState().launcherFileName, patternedBytes(40 * kBlock));
        std::vector<std::string> calls;
        setCurrentLauncher(
            std::make_unique<TruncatingLauncher>(&calls, runState().launcherFileName, c.size));
        EXPECT_EQ(failureOf(entry("cut.bin", 10, 35 * kBlock), target()),
                  "The embedded file cut.bin is incomplete: the launcher file does not hold all "
                  "of its bytes.");
        EXPECT_EQ(calls.size(), c.steps) << "the whole blocks and the one that came short";
        EXPECT_TRUE(targetFiles().empty());
    }
}

// Asks to cancel at the given progress step.
class CancellingLauncher : public RecordingLauncher {
public:
    CancellingLauncher(std::vector<std::string>* calls, size_t step)
        : RecordingLauncher(calls), calls_(calls), step_(step) {}
    void stepProgress(int steps) override {
        RecordingLauncher::stepProgress(steps);
        if (calls_->size() == step_) {
            requestCancel();
        }
    }

private:
    std::vector<std::string>* calls_;
    size_t step_;
};

TEST_F(ExtractionTest, CancelStopsAfterTheCurrentBlockAndRemovesTheFile) {
    // The first block, and one past the bytes that move in one call.
    for (const size_t step : {1, 20}) {
        EXPECT_EXIT(
            {
                writeFile(runState().launcherFileName, patternedBytes(30 * kBlock));
                std::vector<std::string> calls;
                setCurrentLauncher(std::make_unique<CancellingLauncher>(&calls, step));
                const std::string text = failureOf(entry("big.bin", 0, 25 * kBlock), target());
                // The blocks written are removed again with their file.
                const bool removed = !pathExists(joinPath(target(), "big.bin"));
                std::exit(text == loadMessage(35) && removed && calls.size() == step ? 0 : 1);
            },
            testing::ExitedWithCode(0), "")
            << "cancelled at step " << step;
    }
}

}  // namespace
