"""The native launcher against the real JDKs of this machine: every JDK under
/usr/lib/jvm is found by each search strategy, proven by our own Verify
class, and runs our Java test program with the arguments, environment and
exit code the launcher gives it."""
import os
import pathlib
import re
import unittest

from harness import WINDOWS, PackedRunTestCase, pack, run_launcher, text, write_tag_file

VERIFY_JAR = os.environ.get("VERIFY_JAR", "")
TEST_INSTALLER_JAR = os.environ.get("TEST_INSTALLER_JAR", "")
JVM_ROOT = pathlib.Path("/usr/lib/jvm")
# A property every JVM of this system reports with the same value.
EVERY_JVM = "file.separator=/"


def machine_jdks():
    """{real home: major version} of every JDK under /usr/lib/jvm; a home
    reached through a symbolic link counts once."""
    jdks = {}
    for entry in sorted(JVM_ROOT.iterdir()) if JVM_ROOT.is_dir() else []:
        home = entry.resolve()
        release = home / "release"
        if not (home / "bin" / "java").is_file() or not release.is_file():
            continue
        found = re.search(r'^JAVA_VERSION="(?:1\.)?(\d+)', release.read_text(), re.MULTILINE)
        if found:
            jdks[str(home)] = found.group(1)
    return jdks


JDKS = machine_jdks()
NEW_JDKS = [home for home, version in JDKS.items() if int(version) >= 21]


def class_version(version):
    """The JVM property that tells a major Java version apart: the class file
    version, 44 more than the Java version ("61.0" for 17)."""
    return "java.class.version=%d.0" % (44 + int(version))


def jvm_file(path, desc, properties, **tags):
    values = {"DESC": desc, "JVM_EXE": "bin/java", "JVM_PROPERTIES": properties,
              "CLASSPATH": '"-cp "', "CLASSPATH_SEPARATOR": ":", "SYSTEM": "-D",
              "SYSTEM_SEPARATOR": "="}
    values.update(tags)
    return write_tag_file(path, values)


@unittest.skipIf(WINDOWS or not JDKS or not VERIFY_JAR, "the real JDKs run in the native build")
class RealJvm(PackedRunTestCase):
    def search(self, action, jvm_files, *options, env=None):
        """Runs an input-file action; returns (exit code, output lines, log)."""
        write_tag_file(self.dir / "in.tag", {
            "ACTION": action, "LOGFILE": str(self.log), "JVM": [str(path) for path in jvm_files],
            "VERIFY_CLASSPATH": '"""%s"""' % VERIFY_JAR, "VERIFY_CLASS_NAME": "Verify"})
        code, out, _ = run_launcher(
            ["-console", "-vd:log", str(self.log), "-vd:tempdir", str(self.temp) + "/",
             *options, "-vd:in", "in.tag"], cwd=self.dir, env=env, timeout=300)
        return code, text(out).splitlines(), self.log_text()

    def found_homes(self, lines):
        """The JVM homes among the output lines; a home found through PATH
        ends with its separator."""
        return [line.rstrip("/") for line in lines if line.rstrip("/") in JDKS or line == "/usr"]

    def assertWrittenFor(self, lines, home):
        """The line after a found home names the JVM file written for it."""
        position = [line.rstrip("/") for line in lines].index(home)
        written = pathlib.Path(lines[position + 1])
        self.assertIn("JVM_HOME:  " + lines[position] + "\n", written.read_text())
        written.unlink()

    def test_the_drive_scan_lists_every_jdk(self):
        path = jvm_file(self.dir / "any.jvm", "Any Java", [EVERY_JVM], SEARCH_ALL="1")
        code, lines, log = self.search("SEARCH_ALL", [path])
        self.assertEqual(code, 0)
        homes = self.found_homes(lines)
        self.assertEqual(len(homes), len(set(homes)), lines)
        self.assertLessEqual(set(JDKS), set(homes), lines)
        # Each home is followed by the JVM file written for it.
        for home in JDKS:
            self.assertWrittenFor(lines, home)

    def test_each_strategy_finds_the_jdk_it_should(self):
        home, version = next(iter(JDKS.items()))
        properties = [class_version(version), EVERY_JVM]
        plain = jvm_file(self.dir / "plain.jvm", "Plain", properties)
        hinted = jvm_file(self.dir / "hinted.jvm", "Hinted", properties, PATH_HINT=home)
        from_environment = jvm_file(self.dir / "env.jvm", "From the environment", properties,
                                    ENV_HINT=["LAUNCHER_TEST_UNSET", "LAUNCHER_TEST_JDK"])
        cases = [
            ("the user's Java home", [plain], ["-vd:javahome", home], None,
             "Checking user specified Java home directory => " + home),
            ("a path hint", [hinted], [], None, "Initiating JVM search based on hints..."),
            ("the directories of PATH", [plain], [],
             {"PATH": home + "/bin:" + os.environ.get("PATH", "")}, None),
            ("an environment hint", [from_environment], [], {"LAUNCHER_TEST_JDK": home},
             "Checking JVM at %s which was resolved from environment variable LAUNCHER_TEST_JDK"
             % home),
        ]
        for name, files, options, env, log_line in cases:
            with self.subTest(strategy=name):
                code, lines, log = self.search("SEARCH", files, *options, env=env)
                self.assertEqual(code, 0, log)
                self.assertEqual(self.found_homes(lines), [home], lines)
                self.assertWrittenFor(lines, home)
                if log_line:
                    self.assertIn(log_line, log)

    @unittest.skipIf(len(set(JDKS.values())) < 2, "one major version of Java on this machine")
    def test_a_jvm_file_for_each_version_picks_the_right_one(self):
        hints = list(JDKS)
        for home, version in JDKS.items():
            with self.subTest(version=version):
                path = jvm_file(self.dir / "v.jvm", "Java " + version,
                                [class_version(version)], PATH_HINT=hints)
                code, lines, log = self.search("SEARCH", [path])
                self.assertEqual((code, self.found_homes(lines)), (0, [home]), log)
                self.assertWrittenFor(lines, home)

    @unittest.skipIf(not NEW_JDKS or len(NEW_JDKS) == len(JDKS), "needs a JDK older than 21 and one of 21 or newer")
    def test_a_minimum_version_takes_a_new_jdk_and_refuses_an_old_one(self):
        # The older JDKs come first among the hints.
        hints = sorted(JDKS, key=lambda home: int(JDKS[home]))
        old = [home for home in hints if home not in NEW_JDKS]
        cases = [("every JDK", hints, [hints[len(old)]]), ("only older ones", old, [])]
        for name, hinted, found in cases:
            with self.subTest(hints=name):
                path = jvm_file(self.dir / "new.jvm", "Java 21 or newer",
                                ["java.class.version>=65"], PATH_HINT=hinted)
                code, lines, log = self.search("SEARCH", [path])
                self.assertEqual(self.found_homes(lines), found, log)
                self.assertIn("Verifying JVM at %s/bin/java" % old[0], log)
                for home in found:
                    self.assertWrittenFor(lines, home)

    def test_a_found_jdk_runs_the_java_program_with_its_arguments(self):
        # The launcher and the JVM home in directories with blanks and
        # letters beyond ASCII; the home is the machine's JDK under another
        # name.
        real_home, version = next(iter(JDKS.items()))
        home = self.dir / "Java Home ß"
        home.symlink_to(real_home, target_is_directory=True)
        place = self.dir / "Mon installeur ü"
        place.mkdir()
        jvm = jvm_file(self.dir / "jdk.jvm", "JDK " + version,
                       [class_version(version)], PATH_HINT=str(home))
        instructions = write_tag_file(self.dir / "instructions.tag", {"INSTRUCTIONS": [
            "FIND_JVM 0 0", "JMP0 @N1@ NONE", "LAUNCH @S2@ 0", "GOTO END", ":NONE",
            "SET X1 = 1", ":END"]})
        script = write_tag_file(self.dir / "launch.tag", {
            "COMMAND": '"""@JVM_HOME@/@JVM_EXE@"" %CP%() TestInstaller --env=JAVA_HOME '
                       '--property=user.dir --exit=7"'})
        launcher = pack(place / "setup", [
            (instructions, "INSTRUCTIONS", 1, "instructions.tag"),
            (jvm, "JVM", 2, "jdk.jvm"),
            (script, "LAUNCHSCRIPT", 3, "launch.tag"),
            (VERIFY_JAR, "VERIFY_ARCHIVE", 4, "Verify.jar"),
            (TEST_INSTALLER_JAR, "ARCHIVE", 5, "TestInstaller.jar")])
        arguments = ["two words", 'a "quoted" word', "ends in a backslash\\", "",
                     "back\\\\slashes\\\" and quote", "Bücher 日本"]
        code, out, _ = run_launcher(
            ["-console", "-vd:log", str(self.log), "-vd:tempdir", str(self.temp) + "/",
             *arguments], program=launcher, cwd=self.dir, env={"LANG": "C.UTF-8"}, timeout=120)
        lines = text(out).splitlines()
        self.assertEqual(code, 7, self.log_text())
        begin = lines.index("arguments begin")
        # "-console" both chooses the front end and goes on to the program.
        self.assertEqual(lines[begin + 1:lines.index("arguments end")],
                         ["--env=JAVA_HOME", "--property=user.dir", "--exit=7", "-console",
                          *arguments])
        self.assertIn("env JAVA_HOME=" + str(home), lines)
        self.assertIn("property user.dir=" + str(place), lines)
        self.assertIn("Found matching JVM at " + str(home), self.log_text())
        self.assertWorkspaceGone()


if __name__ == "__main__":
    unittest.main()
