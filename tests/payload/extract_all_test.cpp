#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "base/facade.h"
#include "base/launcher_exception.h"
#include "base/messages.h"
#include "base/path_text.h"
#include "base/run_state.h"
#include "payload/launcher_file.h"
#include "payload/workspace.h"
#include "support/launcher_builder.h"
#include "support/recording_launcher.h"
#include "support/temp_dir.h"
#include "tagfile/tag_file.h"
#include "tagfile/text_utils.h"

namespace {

namespace fs = std::filesystem;
using testing::HasSubstr;

// Goes back to a directory however the scope ends.
struct Restore {
    fs::path directory;
    ~Restore() { fs::current_path(directory); }
};

// Runs the extraction in a directory of its own as the current directory.
class ExtractAllTest : public testing::Test {
protected:
    void SetUp() override {
        output_ = directory_.file("out");
        fs::create_directory(output_);
        previous_ = fs::current_path();
    }
    void TearDown() override { fs::current_path(previous_); }

    void extractFrom(const LauncherBuilder& builder) { extractFrom(builder.build()); }
    void extractFrom(const std::string& launcher) {
        runState().launcherFileName = launcher;
        LauncherFile file;
        file.load(false);
        fs::current_path(output_);
        const Restore restore{previous_};
        extractAll(file);
    }
    // The text of the failure that extracting the launcher file ends with.
    std::string failureOf(const std::string& launcher) {
        try {
            extractFrom(launcher);
        } catch (const LauncherException& e) {
            return e.text();
        }
        ADD_FAILURE() << "the extraction must fail";
        return std::string();
    }

    TempDir directory_;
    std::string output_;
    fs::path previous_;
};

TEST_F(ExtractAllTest, WritesEveryFileAndAnInputFileThatNamesThem) {
    const struct {
        int32_t type;
        const char* name;
        const char* content;
    } files[] = {
        {kFileInstructions, "instructions.tag", "INSTRUCTIONS: GOTO END\n"},
        {kFileJvm, "jvm1.tag", "JVM_EXE: java\n"},
        {kFileLaunchScript, "launch.tag", "COMMAND: x\n"},
        {kFileJvm, "jvm2.tag", "JVM_EXE: javaw\n"},
        {kFileJvmMessage, "message.tag", "TEXT: none\n"},
        {kFileArchive, "lib.jar", "archive bytes"},
        {kFileJvmInstaller, "jre.exe", "installer bytes"},
    };
    LauncherBuilder builder(directory_);
    for (const auto& f : files) {
        builder.add(f.type, 1, f.name, f.content);
    }
    extractFrom(builder);
    for (const auto& f : files) {
        EXPECT_EQ(readFile(joinPath(output_, f.name)), f.content) << f.name;
    }
    const TagFile input(joinPath(output_, "input.tag"));
    EXPECT_EQ(input.getValue("ACTION"), "RUN_INSTRUCTIONS");
    EXPECT_EQ(input.getValue("INSTRUCTIONS"), "instructions.tag");
    EXPECT_EQ(input.getValue("LAUNCHSCRIPT"), "launch.tag");
    EXPECT_EQ(input.getValue("JVMMESSAGE"), "message.tag");
    ASSERT_EQ(input.count("JVM"), 2);
    EXPECT_EQ(input.getValue("JVM", 0), "jvm1.tag");
    EXPECT_EQ(input.getValue("JVM", 1), "jvm2.tag");
}

// Hostile launcher files, extracted where files of the user's own lie, in
// the current directory and around it: each is refused before anything is
// written, and nothing is touched.
TEST_F(ExtractAllTest, AHostileLauncherFileIsRefusedAndTouchesNothing) {
    writeFile(joinPath(output_, "mine.txt"), "my own bytes");
    writeFile(joinPath(output_, "Library.JAR"), "my own library");
    writeFile(directory_.file("victim.txt"), "victim bytes");
    const std::string unplain = "The embedded file name ";
    const std::string nothing = "; nothing was extracted.";
    const struct {
        std::vector<std::pair<int32_t, std::string>> entries;  // type and name
        std::string error;
    } cases[] = {
        {{{kFileInstructions, "instructions.tag"}, {kFileArchive, "../victim.txt"}},
         unplain + "\"../victim.txt\" is not a plain file name"},
        {{{kFileArchive, ".."}}, unplain + "\"..\" is not a plain file name"},
        {{{kFileArchive, "NUL"}}, unplain + "\"NUL\" is not a plain file name"},
        {{{kFileArchive, "aux.txt"}}, unplain + "\"aux.txt\" is not a plain file name"},
        {{{kFileInstructions, "instructions.tag"}, {kFileArchive, "input.tag"}},
         "\"input.tag\" is the name of the input file written beside the extracted files" +
             nothing},
        {{{kFileJvm, "jvm.tag"}, {kFileJvm, "JVM.tag"}},
         "\"jvm.tag\" and \"JVM.tag\" name the same file" + nothing},
        {{{kFileInstructions, "instructions.tag"}, {kFileArchive, "mine.txt"}},
         "The current directory holds a file named \"mine.txt\"" + nothing},
    };
    for (const auto& c : cases) {
        LauncherBuilder builder(directory_);
        for (const auto& entry : c.entries) {
            builder.add(entry.first, 1, entry.second, "embedded bytes\n");
        }
        const std::string launcher = builder.buildUnchecked();
        const auto before = treeContents(directory_.path());
        EXPECT_THAT(failureOf(launcher), HasSubstr(c.error));
        EXPECT_EQ(treeContents(directory_.path()), before) << c.error;
    }
}

TEST_F(ExtractAllTest, AFileInTheCurrentDirectoryIsNeverReplaced) {
    // Also "input.tag", and on Windows a name that differs only in case.
    writeFile(joinPath(output_, "input.tag"), "ACTION: MINE\n");
    const auto before = treeContents(output_);
    EXPECT_THAT(failureOf(LauncherBuilder(directory_)
                              .add(kFileInstructions, 1, "instructions.tag", "INSTRUCTIONS: x\n")
                              .buildUnchecked()),
                HasSubstr("The current directory holds a file named \"input.tag\""));
    EXPECT_EQ(treeContents(output_), before);
}

// Entries whose bytes the launcher file does not hold: a length of
// 0xFFFFFFFF, or bytes beyond its end.
TEST_F(ExtractAllTest, AForgedEntryIsRefusedBeforeAnyFile) {
    const std::string body = "MZ stub then the bytes of a.jar";
    const struct {
        int32_t offset, length;
        std::string error;
    } cases[] = {
        {2, -1, "The embedded file b.jar has an invalid place in the file index"},
        {2, 1000, "The embedded file b.jar is incomplete"},
    };
    for (const auto& c : cases) {
        IndexRecord first;
        first.fileType = kFileArchive;
        first.offset = 2;
        first.length = 4;
        first.name = "a.jar";
        IndexRecord forged = first;
        forged.offset = c.offset;
        forged.length = c.length;
        forged.name = "b.jar";
        const std::string path = directory_.file("forged.exe");
        writeFile(path, launcherFileBytes(body, fileIndexBytes(2, {first, forged})));
        EXPECT_THAT(failureOf(path), HasSubstr(c.error));
        EXPECT_TRUE(fs::is_empty(output_));
    }
}

// Asks to cancel at the second progress step: in the second file.
class SecondStepCancels : public RecordingLauncher {
public:
    using RecordingLauncher::RecordingLauncher;
    void stepProgress(int steps) override {
        RecordingLauncher::stepProgress(steps);
        if (++count_ == 2) {
            requestCancel();
        }
    }

private:
    int count_ = 0;
};

TEST_F(ExtractAllTest, AFailureLeavesNoneOfTheFilesItWrote) {
    LauncherBuilder builder(directory_);
    builder.add(kFileInstructions, 1, "instructions.tag", "INSTRUCTIONS: x\n")
        .add(kFileArchive, 2, "lib.jar", "library bytes");
    EXPECT_EXIT(
        {
            std::vector<std::string> calls;
            setCurrentLauncher(std::make_unique<SecondStepCancels>(&calls));
            const std::string error = failureOf(builder.build());
            std::exit(error == loadMessage(35) && fs::is_empty(output_) ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

}  // namespace
