#include <gtest/gtest.h>

#include <memory>

#include "app/launcher_objects.h"
#include "base/run_state.h"
#include "instructions/instruction_interpreter.h"
#include "jvm/jvm_search.h"
#include "launch/launch_script.h"
#include "payload/launcher_file.h"
#include "support/launcher_builder.h"
#include "support/temp_dir.h"

namespace {

// Each test case runs in a process of its own, with the process-wide
// launcher file and objects fresh.
TEST(LauncherObjects, TheInstructionsRunWithTheLaunchScriptAndJvmFilesInEffect) {
    TempDir directory;
    runState().launcherFileName =
        LauncherBuilder(directory)
            .add(kFileInstructions, 1, "i.tag", "INSTRUCTIONS: LAUNCH x 0\n")
            .add(kFileJvm, 2, "a.jvm", "DESC: first\n")
            .add(kFileLaunchScript, 3, "embedded.tag", "COMMAND: embedded\n")
            .add(kFileJvm, 4, "b.jvm", "DESC: second\n")
            .build();
    launcherFile().load(true);
    LauncherObjects& objects = launcherObjects();
    InstructionInterpreter* const instructions = objects.instructions();
    ASSERT_NE(instructions, nullptr);
    ASSERT_NE(instructions->launchScript(), nullptr);
    EXPECT_EQ(instructions->launchScript(), objects.launchScript());
    EXPECT_EQ(objects.launchScript()->command(), "embedded");
    ASSERT_EQ(objects.jvmSearch().jvmFiles().size(), 2u);
    EXPECT_EQ(objects.jvmSearch().jvmFiles()[1]->description(), "second");
    EXPECT_EQ(objects.instructions(), instructions);

    // An input file names other files: the objects follow.
    auto script = std::make_unique<TagFile>();
    script->setValue("COMMAND", "named");
    launcherFile().useLaunchScript(std::move(script));
    launcherFile().useJvmFilesGiven();
    auto jvm = std::make_unique<TagFile>();
    jvm->setValue("DESC", "named");
    launcherFile().addJvmFile(std::move(jvm));
    ASSERT_NE(objects.instructions()->launchScript(), nullptr);
    EXPECT_EQ(objects.instructions()->launchScript()->command(), "named");
    ASSERT_EQ(objects.jvmSearch().jvmFiles().size(), 1u);
    EXPECT_EQ(objects.jvmSearch().jvmFiles()[0]->description(), "named");
}

TEST(LauncherObjects, NoInstructionsNoInterpreter) {
    TempDir directory;
    runState().launcherFileName =
        LauncherBuilder(directory).add(kFileJvm, 2, "a.jvm", "DESC: first\n").build();
    launcherFile().load(true);
    EXPECT_EQ(launcherObjects().instructions(), nullptr);
    EXPECT_EQ(launcherObjects().launchScript(), nullptr);
}

}  // namespace
