// The stand-in JVM installer and java that tests of the JVM discovery and the
// launch use, run the way the launcher runs them.
#include <gtest/gtest.h>

#include <filesystem>

#include "launch/process_runner.h"
#include "platform/system.h"
#include "programs/test_programs.h"
#include "support/temp_dir.h"
#include "tagfile/tag_file.h"

namespace fs = std::filesystem;

namespace {

struct Captured {
    int exitCode = 0;
    std::string output;
    std::string error;
};

// As the JVM installation runs an installer: in its directory, no window, pipes.
Captured runCaptured(const std::string& commandLine, const std::string& directory = "") {
    Captured captured;
    captured.exitCode = ProcessRunner().run(commandLine, directory, false, true, true,
                                            &captured.output, &captured.error, false);
    return captured;
}

std::string javaName() {
    return fs::path(TEST_JAVA_PATH).filename().string();
}

// A tiny JVM installed by the stand-in installer into a fresh directory.
class InstalledJvm : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(runCaptured(quotedProgram(TEST_JVM_INSTALLER_PATH), home.path()).exitCode, 0);
    }
    std::string java() const {
        return quotedProgram(home.file("bin") + platform::pathSeparator() + javaName());
    }

    TempDir home;
};

TEST_F(InstalledJvm, JvmFileDescribesTheTree) {
    const TagFile jvm(home.file("jvm"));
    const std::string jvmExe = std::string("bin") + platform::pathSeparator() + javaName();
    EXPECT_EQ(jvm.getValue("JVM_EXE"), jvmExe);
    EXPECT_TRUE(pathExists(home.file(jvmExe)));
    EXPECT_FALSE(jvm.getValue("DESC").empty());
    EXPECT_EQ(jvm.getValue("CLASSPATH"), "-cp ");
    EXPECT_EQ(jvm.getValue("CLASSPATH_SEPARATOR"), platform::pathSeparator() == '\\' ? ";" : ":");
    EXPECT_EQ(jvm.getValue("SYSTEM"), "-D");
    EXPECT_EQ(jvm.getValue("SYSTEM_SEPARATOR"), "=");
    EXPECT_GE(jvm.count("JVM_PROPERTIES"), 2);
}

TEST_F(InstalledJvm, JavaAnswersTheJvmFilesProperties) {
    const TagFile jvm(home.file("jvm"));
    std::string command = java() + " -cp \"classes\" -Xmx64m Verify";
    std::string expected = "1739021872\n";
    for (int i = 0; i < jvm.count("JVM_PROPERTIES"); ++i) {
        const std::string property = jvm.getValue("JVM_PROPERTIES", i);
        const std::size_t equals = property.find('=');
        command += " " + property.substr(0, equals);
        expected += property.substr(equals + 1) + "\n";
    }
    const Captured captured = runCaptured(command);
    EXPECT_EQ(captured.output, expected);
    EXPECT_EQ(captured.exitCode, 0);
}

TEST_F(InstalledJvm, JavaTakesPropertiesFromItsCommandLine) {
    const TempDir workingDirectory;
    const Captured captured = runCaptured(
        java() +
            " -classpath \"a b\" -Dexit.code=3 \"-Dstderr.text=from java\" -Dgiven=x test.Verify" +
            " given java.class.path unknown user.dir",
        workingDirectory.path());
    const std::string head = "1739021872\nx\na b\n\n";
    ASSERT_EQ(captured.output.compare(0, head.size(), head), 0) << captured.output;
    const std::string userDir = captured.output.substr(head.size());
    ASSERT_FALSE(userDir.empty());
    EXPECT_TRUE(fs::equivalent(userDir.substr(0, userDir.size() - 1), workingDirectory.path()));
    EXPECT_EQ(captured.error, "from java");
    EXPECT_EQ(captured.exitCode, 3);
}

TEST_F(InstalledJvm, JavaEchoesTheCommandLineOfAnyOtherClass) {
    // Launches are checked by what the program was given, options included;
    // only a class named Verify answers properties.
    const Captured captured =
        runCaptured(java() + " -cp \"a b\" -Dexit.code=4 Installer \"x y\" java.version -Dz=1" +
                    " --property=java.vendor --property=java.class.path");
    EXPECT_EQ(captured.output,
              "arguments begin\n-cp\na b\n-Dexit.code=4\nInstaller\nx y\njava.version\n-Dz=1\n"
              "--property=java.vendor\n--property=java.class.path\narguments end\n"
              "property java.vendor=Stand-in Vendor\nproperty java.class.path=a b\n");
    EXPECT_EQ(captured.exitCode, 4);
}

TEST_F(InstalledJvm, OnlyTheClassNamedVerifyAnswersProperties) {
    for (const char* className : {"Verify", "a.b.Verify"}) {
        EXPECT_EQ(runCaptured(java() + " " + className + " java.vendor").output,
                  "1739021872\nStand-in Vendor\n")
            << className;
    }
    for (const char* className : {"Verifyer", "aVerify", "Verify.Main"}) {
        EXPECT_EQ(runCaptured(java() + " " + className).output,
                  std::string("arguments begin\n") + className + "\narguments end\n")
            << className;
    }
}

TEST(StandInJvmInstaller, EmptyVariantWritesNothing) {
    const TempDir directory;
    EXPECT_EQ(runCaptured(quotedProgram(TEST_EMPTY_JVM_INSTALLER_PATH), directory.path()).exitCode,
              0);
    EXPECT_TRUE(fs::is_empty(directory.path()));
}

}  // namespace
