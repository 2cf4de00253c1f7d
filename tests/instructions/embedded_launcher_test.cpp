#include <gtest/gtest.h>

#include <filesystem>

#include "base/launcher_exception.h"
#include "base/path_text.h"
#include "instructions/embedded_launcher.h"
#include "instructions/install_fixture.h"
#include "tagfile/text_utils.h"

namespace {

class EmbeddedLauncher : public EmbeddedProgramTest {
protected:
    // The directories made in the workspace.
    std::vector<std::string> madeDirectories() const {
        std::vector<std::string> made;
        for (const auto& entry : std::filesystem::directory_iterator(workspace_.path())) {
            made.push_back(joinPath(workspace_.path(), entry.path().filename().string()));
        }
        return made;
    }

    LauncherBuilder builder_{files_};
};

TEST_F(EmbeddedLauncher, StartsFromADirectoryLeftToIt) {
    const std::string name = programName("setup");
    const LauncherFile& launcher =
        load(builder_.add(kFileJvmInstaller, 1, "installer", "x")
                 .add(kFileEmbeddedLauncher, 2, name, readFile(TEST_CHILD_PATH)));
    executeEmbeddedLauncher(launcher, 1);

    // The one directory made in the workspace holds the started program and
    // is not removed at exit.
    const std::vector<std::string> made = madeDirectories();
    ASSERT_EQ(made.size(), 1u);
    EXPECT_TRUE(pathExists(joinPath(made[0], name)));
    EXPECT_FALSE(inCleanupList(made[0]));
}

TEST_F(EmbeddedLauncher, ADirectoryWhoseProgramCannotStartIsStillRemovedAtExit) {
    const LauncherFile& launcher =
        load(builder_.add(kFileEmbeddedLauncher, 1, programName("setup"), "not a program"));
    EXPECT_THROW(executeEmbeddedLauncher(launcher, 0), LauncherException);
    const std::vector<std::string> made = madeDirectories();
    ASSERT_EQ(made.size(), 1u);
    EXPECT_TRUE(inCleanupList(made[0]));
}

TEST_F(EmbeddedLauncher, AnotherTypeAtThePositionOnlyLogs) {
    executeEmbeddedLauncher(load(builder_.add(kFileJvmInstaller, 1, programName("setup"), "x")), 0);
    EXPECT_TRUE(endsWith(log(), "ERROR: Unable to execute the embedded launcher.\n"));
    EXPECT_TRUE(std::filesystem::is_empty(workspace_.path()));
}

}  // namespace
