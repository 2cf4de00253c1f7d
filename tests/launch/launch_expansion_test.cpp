// The three passes over the command template: functions, JVM file tags,
// environment variables, and the errors of the template.
#include <filesystem>

#include "base/path_text.h"
#include "launch/launch_fixture.h"
#include "launch/side_files.h"
#include "platform/environment.h"
#include "tagfile/text_utils.h"

namespace {

using LaunchExpansion = LaunchTest;

TEST_F(LaunchExpansion, FunctionsTagsAndVariables) {
    platform::setEnvironment("LAUNCH_TEST_SET", "value");
    platform::unsetEnvironment("LAUNCH_TEST_UNSET");
    const std::string temp = workspace_.path();
    const struct {
        std::string command;
        std::string expanded;
    } cases[] = {
        {"%TEMP_DIR%()", temp},
        {"%TEMP_DIR% \t ()", temp},
        {"%SYSTEMPROP%(\"a\", \"b\", )", "-Da=b"},
        {"%SYSTEMPROP%(\"name\", \"@JVM_EXE@\")", "-Dname=java.exe"},
        // The % pass scans what a function gave again.
        {"%SYSTEMPROP%(\"t\", \"%TEMP_DIR%()\")", "-Dt=" + temp},
        // Later passes fill in what a function gave.
        {"%REPLACE%(\"x\", \"y\", \"x@JVM_EXE@x#LAUNCH_TEST_SET#\")", "yjava.exeyvalue"},
        {"%REPLACE%(\"\", \"y\", \"abc\")", "abc"},
        {"%REPLACE%(\"aa\", \"a\", \"aaaa\")", "aa"},
        {"%REPLACE%(\"@SYSTEM@\", \"+\", \"-D-D\")", "++"},
        {"a %IF_EXISTS%(\"NONE\", \"x\") b", "a  b"},
        {"%IF_EXISTS%(\"SYSTEM\", \"@SYSTEM@x\")", "-Dx"},
        {"%LAUNCHER_FILE%()", launcherPath()},
        {"%LAUNCHER_DIR%()", launcherDirectory_.path()},
        {"#LAUNCH_TEST_SET#|#LAUNCH_TEST_UNSET#|#", "value||#"},
        {"@JVM_EXE@ @NONE@ @", "java.exe  @"},
        {"100%%", "100%"},
        {"a@@b", "a@b"},
        // A quoted argument that ends the text also ends the call.
        {"x %SYSTEMPROP%(\"a\", \"b\"", "x -Da=b"},
        {"%SYSTEMPROP%(\"say \"\"hi\"\"\", \"\")", "-Dsay \"hi\"="},
        {"%RUNTIME_SYSTEMPROP%()%RUNTIME_JAVAARGS%()", ""},
        // Control characters of the template stay as they are where no
        // path was put in.
        {"a\x01"
         "0\x02 \x01"
         "1\x02",
         "a\x01"
         "0\x02 \x01"
         "1\x02"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(expansionOf(c.command, usualJvm()), c.expanded) << c.command;
    }
}

TEST_F(LaunchExpansion, TemplateErrorsNameThePlace) {
    const std::string error = "error: Launch script error: ";
    const struct {
        std::string command;
        std::string outcome;
    } cases[] = {
        {"%TEMP_DIR%", error + "Expected left parenthesis. (near character 10)"},
        {"ab %TEMP_DIR%  x", error + "Expected left parenthesis. (near character 13)"},
        {"%CP%(x)", error + "Expected string arg. (near character 5)"},
        {"%CP%(\"a\",x)", error + "Expected string arg. (near character 9)"},
        {"%CP%(\"a\" x)", error + "Expected right parenthesis. (near character 8)"},
        {"%CP%(\"a\" ", error + "Expected right parenthesis. (near character 8)"},
        {"%CP%(", error + "Expected string arg. (near character 5)"},
        {"%FOO%((", error + "Invalid function name (FOO)."},
        {"%temp_dir%()", error + "Invalid function name (temp_dir)."},
        {"%TEMP_DIR%(\"x\")", error + "TEMP_DIR function takes 0 arguments."},
        {"%SYSTEMPROP%(\"a\")", error + "SYSTEMPROP function requires 2 arguments."},
        {"%REPLACE%(\"a\", \"b\")", error + "REPLACE function requires 3 arguments."},
        {"%IF_EXISTS%()", error + "IF_EXISTS function requires 2 arguments."},
        {"%RUNTIME_SYSTEMPROP%(\"a\")", error + "RUNTIME_SYSTEMPROP function takes no arguments."},
        {"%RUNTIME_JAVAARGS%(\"a\")", error + "RUNTIME_JAVAARGS function takes no arguments."},
        {"%LAUNCHER_FILE%(\"a\")", error + "LAUNCHER_FILE function takes 0 arguments."},
        {"%LAUNCHER_DIR%(\"a\")", error + "LAUNCHER_DIR function takes 0 arguments."},
        {"%APPLICATION_ARCHIVE%(\"a\", \"b\")",
         error + "APPLICATION_ARCHIVE function takes 0 arguments."},
        // Without the launch script's own prefix.
        {"%CP%(\"a", "error: Expected double quote to end argument near 6"},
        {"%CP%(\"a\"\"", "error: Expected double quote to end argument near -1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(expansionOf(c.command, usualJvm()), c.outcome) << c.command;
    }
}

TEST_F(LaunchExpansion, AnErrorLogsTheTextBeingExpanded) {
    EXPECT_EQ(expansionOf("java %SYSTEMPROP%(\"x\", \"%BAD%()\")", usualJvm()),
              "error: Launch script error: Invalid function name (BAD).");
    EXPECT_NE(log().find("Launch command:\njava -Dx=%BAD%()\n"), std::string::npos) << log();
}

// A value that keeps expanding ends with a launch script error instead of
// running until the memory is gone.
TEST_F(LaunchExpansion, EndlessExpansionIsAScriptError) {
    const std::string endless = "error: Launch script error: The references in (";
    TagValues selfTag = usualJvm();
    selfTag.push_back({"LOOP", "x@LOOP@"});
    TagValues selfCall = usualJvm();
    selfCall.push_back({"SYSTEM", "%SYSTEMPROP%(\"a\",\"b\")"});
    const std::string manyA(600, 'a');
    const std::string longReplacement(600, 'b');
    const struct {
        std::string command;
        TagValues jvm;
        std::string start;
    } cases[] = {
        {"@LOOP@", selfTag, endless + "@LOOP@) expand without end."},
        {"%SYSTEMPROP%(\"a\",\"b\")", selfCall, endless + "%SYSTEMPROP%(\"a\",\"b\")) expand"},
        {"%REPLACE%(\"a\", \"" + longReplacement + "\", \"" + manyA + "\")", usualJvm(),
         endless + manyA + ") expand without end."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(expansionOf(c.command, c.jvm).rfind(c.start, 0), 0u)
            << expansionOf(c.command, c.jvm).substr(0, 200);
    }
}

TEST_F(LaunchExpansion, SideFilesGiveSystemPropertiesAndJavaOptions) {
    writeSideFile(".sp", "a=1\r\n  no equals sign \n\n b = x=@JVM_EXE@ \n=v\n");
    writeSideFile(".ja", " -Xmx@MAX@ \n\n-verbose\n");
    TagValues jvm = usualJvm();
    jvm.push_back({"MAX", "64m"});
    jvm.push_back({"REQ_JAVA_ARGS", "-Xreq"});
    EXPECT_EQ(expansionOf("%RUNTIME_SYSTEMPROP%()", jvm), "-Da=1 -Db = x=java.exe -D=v");
    EXPECT_EQ(expansionOf("%RUNTIME_JAVAARGS%()", jvm), "-Xmx64m -verbose -Xreq");
}

TEST_F(LaunchExpansion, RequiredJavaArgumentsComeAfterABlankAlone) {
    TagValues jvm = usualJvm();
    jvm.push_back({"REQ_JAVA_ARGS", "-Xreq"});
    EXPECT_EQ(expansionOf("[%RUNTIME_JAVAARGS%()]", jvm), "[ -Xreq]");
}

TEST_F(LaunchExpansion, SideFileNames) {
    const struct {
        std::string origin;
        std::string path;
    } cases[] = {
        {"C:\\dir\\setup.exe", "C:\\dir\\setup.sp"},
        {"/dir/setup", "/dir/setup.sp"},
        {"/dir/archive.tar.exe", "/dir/archive.tar.sp"},
        {"setup.exe", "setup.exe.sp"},
        // A dot in a directory name is no extension of the launcher.
        {"C:\\my.dir\\setup", "C:\\my.dir\\setup.sp"},
        {"/my.dir/setup", "/my.dir/setup.sp"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sideFilePath(c.origin, ".sp"), c.path) << c.origin;
    }
}

// Paths of the launcher and its temp directory may hold the delimiters;
// the later passes leave them as they are.
TEST_F(LaunchExpansion, PathsKeepTheirDelimiters) {
    const std::string directory = launcherDirectory_.file("a@JVM_EXE@ #PATH# 100%");
    std::filesystem::create_directory(directory);
    runState().launcherFileName = joinPath(directory, "setup.exe");
    runState().originalLauncherFileName = runState().launcherFileName;
    setTempDirectory(directory + separator());
    writeFile(joinPath(directory, "app.jar"), "archive");
    runState().classpathPrefix = "%CP%()@";
    EXPECT_EQ(
        expansionOf("%LAUNCHER_DIR%() %LAUNCHER_FILE%() %TEMP_DIR%() @JVM_EXE@ %%", usualJvm()),
        directory + " " + runState().launcherFileName + " " + directory + " java.exe %");
    const std::string archive = expansionOf("%APPLICATION_ARCHIVE%(\"app.jar\")", usualJvm());
    EXPECT_EQ(readFile(archive), "archive");
    EXPECT_EQ(expansionOf("%CP%()", usualJvm()), "-cp \"%CP%()@\";\"\"");
    // An error names its place, and the log the text, as they read with the
    // paths in them.
    EXPECT_EQ(expansionOf("%LAUNCHER_DIR%() %TEMP_DIR%", usualJvm()),
              "error: Launch script error: Expected left parenthesis. (near character " +
                  std::to_string(directory.size() + 11) + ")");
    EXPECT_NE(log().find("Launch command:\n" + directory + " %TEMP_DIR%\n"), std::string::npos);
}

// APPLICATION_ARCHIVE with a name copies that file beside the launcher into
// the workspace once; every later call gives the same path.
TEST_F(LaunchExpansion, TheApplicationArchiveIsTakenOnce) {
    writeFile(launcherDirectory_.file("app.jar"), "first");
    writeFile(launcherDirectory_.file("other.jar"), "second");
    const std::string first = expansionOf("%APPLICATION_ARCHIVE%(\"app.jar\")", usualJvm());
    ASSERT_EQ(readFile(first), "first");
    EXPECT_EQ(first.rfind(workspace_.path(), 0), 0u);
    EXPECT_EQ(expansionOf("%APPLICATION_ARCHIVE%(\"other.jar\")", usualJvm()), first);
    EXPECT_EQ(expansionOf("%APPLICATION_ARCHIVE%()", usualJvm()), first);
}

}  // namespace
