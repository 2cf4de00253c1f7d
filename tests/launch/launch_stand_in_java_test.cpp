// A whole launch with the stand-in JVM that the stand-in installer puts
// into a directory: the command the template builds, as java reads it.
#include "launch/launch_fixture.h"
#include "launch/process_runner.h"
#include "programs/test_programs.h"

namespace {

class StandInJava : public LaunchTest {
protected:
    void SetUp() override {
        LaunchTest::SetUp();
        std::string output;
        std::string error;
        ASSERT_EQ(ProcessRunner().run(quotedProgram(TEST_JVM_INSTALLER_PATH), home_.path(), false,
                                      true, true, &output, &error, false),
                  0)
            << error;
    }

    TempDir home_;
};

TEST_F(StandInJava, ReadsTheClasspathPropertiesAndEnvironmentOfTheTemplate) {
    runState().classpathSuffix = "suffix dir";
    TagFile jvm(home_.file("jvm"));
    jvm.setValue("JVM_HOME", home_.path());
    TagFile scriptTags;
    scriptTags.setValue(
        "COMMAND", "\"@JVM_HOME@" + separator() +
                       "@JVM_EXE@\" %CP%(\"classes\") \"%SYSTEMPROP%(\"from.template\", "
                       "\"@DESC@\")\" Verify java.class.path from.template env.JAVA_HOME user.dir");
    LaunchScript script(scriptTags);
    JvmFile jvmFile(jvm);
    const std::vector<std::string> arguments = {"java.vendor"};
    EXPECT_EQ(script.execute(jvmFile, &arguments, false), 0) << script.errOut();
    const std::string separator = jvm.getValue("CLASSPATH_SEPARATOR");
    EXPECT_EQ(script.stdOut(), "1739021872\n" + separator + "classes" + separator +
                                   "suffix dir\nStand-in JVM\n" + home_.path() + "\n" +
                                   launcherDirectory_.path() + "\nStand-in Vendor\n");
}

}  // namespace
