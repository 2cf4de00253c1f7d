#include <gtest/gtest.h>

#include <filesystem>

#include "launcher/launcher_exception.h"
#include "launcher/run_state.h"
#include "payload/launcher_file.h"
#include "payload/workspace.h"
#include "support/launcher_builder.h"
#include "support/temp_dir.h"
#include "tagfile/tag_file.h"
#include "tagfile/text_utils.h"

namespace {

namespace fs = std::filesystem;

// Runs the extraction in a directory of its own as the current directory.
class ExtractAllTest : public testing::Test {
protected:
    void SetUp() override {
        output_ = directory_.file("out");
        fs::create_directory(output_);
        previous_ = fs::current_path();
    }
    void TearDown() override { fs::current_path(previous_); }

    void extractFrom(const LauncherBuilder& builder) {
        runState().launcherFileName = builder.build();
        LauncherFile file;
        file.load(false);
        fs::current_path(output_);
        extractAll(file);
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

TEST_F(ExtractAllTest, NameThatLeavesTheDirectoryStopsItBeforeAnyFile) {
    LauncherBuilder builder(directory_);
    builder.add(kFileInstructions, 1, "instructions.tag", "INSTRUCTIONS: GOTO END\n")
        .add(kFileArchive, 2, "../escaped.jar", "bytes");
    try {
        extractFrom(builder);
        FAIL() << "the name must be refused";
    } catch (const LauncherException& e) {
        EXPECT_NE(e.text().find("../escaped.jar"), std::string::npos) << e.text();
    }
    EXPECT_TRUE(fs::is_empty(output_));
    EXPECT_FALSE(fs::exists(directory_.file("escaped.jar")));
}

}  // namespace
