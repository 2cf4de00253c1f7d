// A write that the system refuses part of the way through an extraction.
#ifndef _WIN32
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/facade.h"
#include "base/launcher_exception.h"
#include "base/messages.h"
#include "base/path_text.h"
#include "base/run_state.h"
#include "payload/launcher_file.h"
#include "payload/workspace.h"
#include "support/patterned_bytes.h"
#include "support/recording_launcher.h"
#include "support/temp_dir.h"

namespace {

constexpr int32_t kBlock = 61439;

// In a child of the test: extracts four blocks where the file size limit
// refuses the third after a part of it, as a full disk would.  Whether the
// error number went into the usual text, two blocks showed and the part
// written went with its file.
bool refusedWriteIsReportedAndCleanedUp() {
    TempDir directory;
    runState().launcherFileName = directory.file("launcher.exe");
    writeFile(runState().launcherFileName, patternedBytes(4 * kBlock + 100));
    std::vector<std::string> calls;
    setCurrentLauncher(std::make_unique<RecordingLauncher>(&calls));
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit = {2 * kBlock + 1000, 2 * kBlock + 1000};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) {
        return false;
    }
    FileIndexEntry entry;
    entry.fileType = kFileArchive;
    entry.name = "big.bin";
    entry.offset = 7;
    entry.length = 4 * kBlock;
    std::string text;
    try {
        extract(entry, directory.path());
    } catch (const LauncherException& error) {
        text = error.text();
    }
    setCurrentLauncher(nullptr);
    return text == loadMessage(33) + std::to_string(EFBIG) + loadMessage(34) &&
           calls == std::vector<std::string>(2, "step:1") &&
           !pathExists(joinPath(directory.path(), "big.bin"));
}

TEST(ExtractionPosix, WriteRefusedInTheMiddleGivesItsErrorNumberAndLeavesNoFile) {
    EXPECT_EXIT(std::exit(refusedWriteIsReportedAndCleanedUp() ? 0 : 1), testing::ExitedWithCode(0),
                "");
}

}  // namespace
#endif
