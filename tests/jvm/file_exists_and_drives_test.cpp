#include <gtest/gtest.h>

#include "base/file_exists.h"
#include "base/log.h"
#include "base/path_text.h"
#include "jvm/drive_file_finder.h"
#include "platform/file_system.h"
#include "platform/system.h"
#include "support/temp_dir.h"
#include "tagfile/text_utils.h"

namespace {

// Collects what the queries log.
class QueryLog : public testing::Test {
protected:
    void SetUp() override { setLogFile(directory_.file("launcher.log")); }
    void TearDown() override { setLogFile(""); }
    std::string logged() const { return readFile(directory_.file("launcher.log")); }

    TempDir directory_;
};

using FileExistsTest = QueryLog;

TEST_F(FileExistsTest, AnswersForFilesOnly) {
    writeFile(directory_.file("file"), "x");
    EXPECT_TRUE(fileExists(directory_.file("file")));
    EXPECT_FALSE(fileExists(directory_.file("missing")));
    EXPECT_FALSE(fileExists(joinPath(directory_.file("none"), "file")));
    EXPECT_EQ(logged(), "") << "a missing file is no failure";
}

TEST_F(FileExistsTest, DirectoryIsNoFileAndTheReasonIsLogged) {
    EXPECT_FALSE(fileExists(directory_.path()));
    const std::string log = logged();
    EXPECT_NE(log, "");
    EXPECT_EQ(log.find("WARNING"), std::string::npos) << "a plain entry: " << log;
}

TEST(LogicalDrives, AreNamedWithoutTheirSeparator) {
    const std::vector<std::string> drives = logicalDrives();
    ASSERT_FALSE(drives.empty());
    if (platform::pathSeparator() == '/') {
        EXPECT_EQ(drives, std::vector<std::string>{""}) << "the root file system";
        return;
    }
    for (const std::string& drive : drives) {
        ASSERT_EQ(drive.size(), 2u) << drive;
        EXPECT_EQ(drive[1], ':') << drive;
        EXPECT_NE(platform::driveType(drive + "\\"), platform::DriveType::kOther) << drive;
    }
}

}  // namespace
