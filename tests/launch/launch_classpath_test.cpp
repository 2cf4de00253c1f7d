// The classpath of CP: its nine sources in order, on the command line or in
// an environment variable.
#include "launch/launch_fixture.h"
#include "launch/runtime_archives.h"
#include "payload/launcher_file.h"
#include "platform/environment.h"
#include "support/launcher_builder.h"

namespace {

class LaunchClasspath : public LaunchTest {
protected:
    // Every source holds something: the options, the three side files, the
    // JVM file, the script's ARCHIVE and two embedded archives.
    void fillEverySource() {
        runState().classpathPrefix = "P";
        runState().classpathSuffix = "S";
        writeSideFile(".cp1", "c1a\n\n c1b \n");
        writeSideFile(".cp", "c");
        writeSideFile(".cp2", "c2\n");
        LauncherBuilder(launcherDirectory_)
            .add(kFileArchive, 1, "one.jar", "first archive")
            .add(kFileJvm, 2, "jvm.tag", "JVM_EXE: java\n")
            .add(kFileArchive, 3, "two.jar", "second archive")
            .build("setup.exe");
        launcherFile().load(false);
    }

    // The expansion of a loaded launch script with this COMMAND and ARCHIVE.
    static std::string loadedScriptExpansion(const std::string& command, const std::string& archive,
                                             const TagValues& jvm) {
        TagFile scriptTags;
        scriptTags.setValue("COMMAND", command);
        scriptTags.setValue("ARCHIVE", archive);
        LaunchScript script(scriptTags);
        TagFile tags = jvmTags(jvm);
        JvmFile jvmFile(tags);
        return script.expandCommand(jvmFile);
    }

    static TagValues jvmWith(const TagValues& more) {
        TagValues jvm = usualJvm();
        jvm.insert(jvm.end(), more.begin(), more.end());
        return jvm;
    }
};

TEST_F(LaunchClasspath, AloneTheArgumentStandsBetweenTwoEmptyOptions) {
    EXPECT_EQ(expansionOf("%CP%(\"A\")", usualJvm()), "-cp \"\";A;\"\"");
    runState().classpathPrefix = "P";
    EXPECT_EQ(expansionOf("%CP%(\"A\")", usualJvm()), "-cp \"P\";A;\"\"");
    EXPECT_EQ(expansionOf("%CP%()", {{"CLASSPATH_SEPARATOR", ":"}}), "\"P\":\"\"");
}

TEST_F(LaunchClasspath, EverySourceInItsPlace) {
    fillEverySource();
    const std::string command =
        loadedScriptExpansion("%CP%(\"\"\"a.jar\"\"\", \"b.jar\", \"\")", "\"mid.jar\"",
                              jvmWith({{"JVM_CLASSPATH", "jvm.jar"}}));
    const std::vector<std::string>& archives = runtimeArchivePaths();
    ASSERT_EQ(archives.size(), 2u);
    EXPECT_EQ(readFile(archives[0]), "first archive");
    EXPECT_EQ(readFile(archives[1]), "second archive");
    EXPECT_EQ(archives[0].rfind(workspace_.path(), 0), 0u);
    EXPECT_EQ(command, "-cp \"P\";c1a;c1b;jvm.jar;c;\"a.jar\";b.jar;\"mid.jar\";\"" + archives[0] +
                           "\";\"" + archives[1] + "\";c2;\"S\"");
}

TEST_F(LaunchClasspath, TheEnvironmentVariableTakesItUnquoted) {
    fillEverySource();
    platform::setEnvironment("LAUNCH_TEST_CP", "before");
    const std::string command =
        loadedScriptExpansion("java %CP%(\"\"\"a.jar\"\"\", \"b.jar\") Main", "\"mid.jar\"",
                              jvmWith({{"JVM_CLASSPATH", "jvm.jar"},
                                       {"USE_CP_ENV_VAR", "1"},
                                       {"CP_ENV_VAR", "LAUNCH_TEST_CP"}}));
    const std::vector<std::string>& archives = runtimeArchivePaths();
    ASSERT_EQ(archives.size(), 2u);
    const std::string classpath = "\"P\";c1a;c1b;jvm.jar;c;a.jar;b.jar;mid.jar;" + archives[0] +
                                  ";" + archives[1] + ";c2;\"S\"";
    EXPECT_EQ(command, "java  Main");
    EXPECT_EQ(platform::getEnvironment("LAUNCH_TEST_CP"), classpath);
    EXPECT_NE(log().find("Set env var LAUNCH_TEST_CP to " + classpath + "\n"), std::string::npos);
}

TEST_F(LaunchClasspath, OnlyTheTextOneMeansTheEnvironmentVariable) {
    platform::unsetEnvironment("LAUNCH_TEST_CP");
    const struct {
        std::string useVariable;
        std::string command;
    } cases[] = {
        {"true", "-cp \"\";A;\"\""},
        {"01", "-cp \"\";A;\"\""},
        {"1", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(expansionOf("%CP%(\"A\")", jvmWith({{"USE_CP_ENV_VAR", c.useVariable},
                                                      {"CP_ENV_VAR", "LAUNCH_TEST_CP"}})),
                  c.command)
            << c.useVariable;
    }
    EXPECT_EQ(platform::getEnvironment("LAUNCH_TEST_CP"), "\"\";A;\"\"");
}

TEST_F(LaunchClasspath, AVariableWithoutANameIsAnErrorInTheLog) {
    EXPECT_EQ(expansionOf("x%CP%(\"A\")y", jvmWith({{"USE_CP_ENV_VAR", "1"}})), "xy");
    EXPECT_NE(log().find("ERROR: If USE_CP_ENV_VAR is set to 1 in the jvm file, then the jvm file "
                         "should also define CP_ENV_VAR.\n"),
              std::string::npos);
}

// A verification command takes no embedded archives; the archive's own
// % pass runs, and a CP inside it would take it again without end.
TEST_F(LaunchClasspath, BuiltCommandsAndTheArchiveValue) {
    fillEverySource();
    EXPECT_EQ(expansionOf("%CP%()", usualJvm()), "-cp \"P\";c1a;c1b;c;c2;\"S\"");
    const std::string loaded = loadedScriptExpansion("%CP%()", "%TEMP_DIR%()", usualJvm());
    const std::vector<std::string>& archives = runtimeArchivePaths();
    ASSERT_EQ(archives.size(), 2u);
    EXPECT_EQ(loaded, "-cp \"P\";c1a;c1b;c;" + workspace_.path() + ";\"" + archives[0] + "\";\"" +
                          archives[1] + "\";c2;\"S\"");
    try {
        loadedScriptExpansion("%CP%()", "%CP%()", usualJvm());
        FAIL() << "an archive value that calls CP must fail";
    } catch (const LauncherException& e) {
        EXPECT_EQ(e.text(), "Launch script error: The ARCHIVE value cannot call CP.");
    }
}

}  // namespace
