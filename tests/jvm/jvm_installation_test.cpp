#include <gtest/gtest.h>

#include <filesystem>

#include "base/messages.h"
#include "base/path_text.h"
#include "base/variable_store.h"
#include "instructions/install_fixture.h"
#include "instructions/script_fixture.h"
#include "jvm/jvm_installation.h"
#include "tagfile/tag_file.h"
#include "tagfile/text_utils.h"

namespace {

namespace fs = std::filesystem;

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
        EXPECT_FALSE(pathExists(joinPath(directory, installerName_)));
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
    EXPECT_FALSE(pathExists(chosen.file(installerName_)));
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
    EXPECT_FALSE(pathExists(chosen.file("jvm")));
    EXPECT_FALSE(pathExists(chosen.file(installerName_)));
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
    EXPECT_FALSE(pathExists(chosen.file("jvm")));
    EXPECT_FALSE(pathExists(chosen.file(installerName_)));
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
    EXPECT_FALSE(pathExists(chosen.file(installerName_)));
    EXPECT_EQ(getNumber(1), 0);
}

// An installer stored under a name that is no plain file name, in a tree of
// the user's own files around the temp directory and the chosen directory:
// it is refused before anything is written, and nothing is touched, not even
// by the removal of the installer.  A plain name that exists in the chosen
// directory is refused likewise: neither replaced nor removed.
TEST_F(JvmInstallation, AnInstallerThatWouldWriteOutsideItsOwnFileTouchesNothing) {
    TempDir tree;
    const std::string chosen = tree.file("chosen");
    fs::create_directories(joinPath(chosen, "sub"));
    writeFile(tree.file("victim"), "victim");
    writeFile(joinPath(chosen, "user.txt"), "the user's own");
    writeFile(joinPath(joinPath(chosen, "sub"), "deep.txt"), "deep");
    writeFile(workspace_.file("mine.txt"), "in the temp directory");
    useFrontEnd(chosen);
    const std::string refused = "is not a plain file name";
    const std::string exists = ": a file of that name exists.";
    const struct {
        std::string name;
        std::vector<JvmInstallMode> modes;
        std::string error;
    } cases[] = {
        {"", {kInstallHidden, kInstallShown, kInstallIntoChosenDirectory}, refused},
        {".", {kInstallHidden, kInstallShown, kInstallIntoChosenDirectory}, refused},
        {"..", {kInstallHidden, kInstallShown, kInstallIntoChosenDirectory}, refused},
        {"../victim", {kInstallHidden, kInstallIntoChosenDirectory}, refused},
        {"..\\victim", {kInstallShown, kInstallIntoChosenDirectory}, refused},
        {"NUL", {kInstallHidden, kInstallIntoChosenDirectory}, refused},
        {"aux.txt", {kInstallShown, kInstallIntoChosenDirectory}, refused},
        {"COM1.bin", {kInstallIntoChosenDirectory}, refused},
        {"sub", {kInstallIntoChosenDirectory}, exists},
        {"user.txt", {kInstallIntoChosenDirectory}, exists},
    };
    const auto treeBefore = treeContents(tree.path());
    const auto tempBefore = treeContents(workspace_.path(), "LRE");
    for (const auto& c : cases) {
        LauncherBuilder builder(files_);
        const LauncherFile& launcher = load(builder.add(kFileJvmInstaller, 2, c.name, installer_),
                                            /*checked=*/false);
        for (const JvmInstallMode mode : c.modes) {
            const Outcome outcome = outcomeOf([&] { installJvm(launcher, mode); });
            EXPECT_EQ(outcome.kind, "launcher") << c.name << " " << mode;
            EXPECT_NE(outcome.text.find(c.error), std::string::npos) << outcome.text;
            EXPECT_EQ(getNumber(1), 0);
            EXPECT_EQ(treeContents(tree.path()), treeBefore) << c.name << " " << mode;
            EXPECT_EQ(treeContents(workspace_.path(), "LRE"), tempBefore) << c.name << " " << mode;
        }
    }
}

}  // namespace
