#include <gtest/gtest.h>

#include "instructions/install_fixture.h"
#include "instructions/jvm_installation.h"
#include "instructions/script_fixture.h"
#include "instructions/variable_store.h"
#include "launcher/messages.h"
#include "platform/platform_queries.h"
#include "tagfile/tag_file.h"
#include "tagfile/text_utils.h"

namespace {

class JvmInstallation : public EmbeddedProgramTest {
protected:
    void SetUp() override {
        EmbeddedProgramTest::SetUp();
        setNumber(1, 7);
        setText(1, "earlier");
    }

    LauncherBuilder builder_{files_};
    const std::string installerName_ = programName("jvm_installer");
    const std::string installer_ = readFile(TEST_JVM_INSTALLER_PATH);
    const std::string emptyInstaller_ = readFile(TEST_EMPTY_JVM_INSTALLER_PATH);
};

// The "jvm" file the stand-in installer wrote, completed with the tags that
// tell where it is.
void expectCompletedJvmFile(const std::string& directory) {
    const std::string jvmFile = joinPath(directory, "jvm");
    EXPECT_EQ(getNumber(1), 1);
    EXPECT_EQ(getText(1), jvmFile);
    const TagFile tags(jvmFile);
    EXPECT_EQ(tags.getValue("DESC"), "Stand-in JVM");
    EXPECT_EQ(tags.getValue("JVM_HOME"), directory);
    EXPECT_EQ(tags.getValue("JVM_FILE"), jvmFile);
    EXPECT_EQ(tags.getValue("JVM_TEMP"), "1");
}

TEST_F(JvmInstallation, IntoAWorkspaceDirectory) {
    const struct {
        JvmInstallMode mode;
        std::vector<std::string> firstCalls;
    } cases[] = {
        {kInstallHidden, {"hide:0"}},
        {kInstallShown, {"show", "status:" + formatMessage(4, {"Wizard"})}},
    };
    const LauncherFile& launcher = load(builder_.add(kFileEmbeddedLauncher, 1, "other", "x")
                                            .add(kFileJvmInstaller, 2, installerName_, installer_));
    for (const auto& c : cases) {
        calls_.clear();
        installJvm(launcher, c.mode);
        ASSERT_GE(calls_.size(), c.firstCalls.size());
        EXPECT_EQ(std::vector<std::string>(calls_.begin(), calls_.begin() + c.firstCalls.size()),
                  c.firstCalls);
        const std::string directory = getText(1).substr(0, getText(1).size() - 4);
        EXPECT_TRUE(inCleanupList(directory));
        EXPECT_EQ(directory.rfind(ensureTrailingSeparator(workspace_.path()), 0), 0u);
        expectCompletedJvmFile(directory);
        EXPECT_FALSE(fileExists(joinPath(directory, installerName_)));
    }
}

TEST_F(JvmInstallation, IntoTheChosenDirectoryWhichStays) {
    TempDir chosen;
    useFrontEnd(chosen.path());
    const LauncherFile& launcher =
        load(builder_.add(kFileJvmInstaller, 2, installerName_, installer_));
    installJvm(launcher, kInstallIntoChosenDirectory);
    expectCompletedJvmFile(chosen.path());
    EXPECT_FALSE(inCleanupList(chosen.path()));
    EXPECT_FALSE(fileExists(chosen.file(installerName_)));
}

TEST_F(JvmInstallation, NoDirectoryChosenInstallsNothing) {
    TempDir chosen;
    useFrontEnd(chosen.path());
    setSilent(true);  // no prompt while silent
    installJvm(load(builder_.add(kFileJvmInstaller, 2, installerName_, installer_)),
               kInstallIntoChosenDirectory);
    EXPECT_EQ(calls_, std::vector<std::string>{"hide:0"});
    EXPECT_EQ(getNumber(1), 0);
    EXPECT_EQ(getText(1), "");
    EXPECT_FALSE(fileExists(chosen.file("jvm")));
    EXPECT_FALSE(fileExists(chosen.file(installerName_)));
}

TEST_F(JvmInstallation, TheFirstInstallerRunsAndMustLeaveAJvmFile) {
    TempDir chosen;
    useFrontEnd(chosen.path());
    const LauncherFile& launcher =
        load(builder_.add(kFileJvmInstaller, 2, installerName_, emptyInstaller_)
                 .add(kFileJvmInstaller, 3, programName("second"), installer_));
    installJvm(launcher, kInstallIntoChosenDirectory);
    EXPECT_EQ(getNumber(1), 0);
    EXPECT_EQ(getText(1), "");
    EXPECT_FALSE(fileExists(chosen.file("jvm")));
    EXPECT_FALSE(fileExists(chosen.file(installerName_)));
    EXPECT_TRUE(endsWith(log(), "ERROR: Invalid bundled JVM. Missing 'jvm' file.\n"));
}

TEST_F(JvmInstallation, AnInstallerThatCannotStartIsRemovedAgain) {
    TempDir chosen;
    useFrontEnd(chosen.path());
    const LauncherFile& launcher =
        load(builder_.add(kFileJvmInstaller, 2, installerName_, "not a program"));
    const Outcome outcome = outcomeOf([&] { installJvm(launcher, kInstallIntoChosenDirectory); });
    EXPECT_EQ(outcome.kind, "launcher");
    EXPECT_EQ(outcome.text.rfind("CreateProcess failed  ==>  ", 0), 0u) << outcome.text;
    EXPECT_FALSE(fileExists(chosen.file(installerName_)));
    EXPECT_EQ(getNumber(1), 0);
}

}  // namespace
