"""Finding a JVM on a Windows machine: the Java home the user names, registry
and path hints, the scan of the fixed drives, and verification by running
each candidate's java.  The JVMs are copies of the stand-in java
(tests/programs/test_java.cpp), each with the properties it answers, on a
drive D: of the tests' own.  Windows build only: it needs drives and a
registry."""
import os
import pathlib
import shutil
import unittest

from harness import (LAUNCHER, WINDOWS, PackedRunTestCase, native_path, pack, run_launcher,
                     text, write_tag_file)
import wine_drives

TEST_JAVA = os.environ.get("TEST_JAVA", "")
PREFIX = None

VENDOR = "Stand-in Vendor"
CURRENT = {"java.vendor": VENDOR, "java.version": "1.5.0_06"}
OLD = {"java.vendor": VENDOR, "java.version": "1.4.2"}
DESC = "Stand-in JVM 1.5"
# Tags of a Windows JVM file that accepts the CURRENT JVMs.
JVM_FILE = {
    "DESC": DESC,
    "JVM_EXE": "bin\\java.exe",
    "JVM_PROPERTIES": ["java.vendor=" + VENDOR, "java.version=1.5.0..."],
    "CLASSPATH": '"-cp "',
    "CLASSPATH_SEPARATOR": ";",
    "SYSTEM": "-D",
    "SYSTEM_SEPARATOR": "=",
}


def setUpModule():
    global PREFIX
    if not WINDOWS:
        return
    PREFIX = wine_drives.open_for_module()


def tearDownModule():
    wine_drives.close_for_module(PREFIX)


def install_jvm(home, properties, exe="bin/java.exe"):
    """A stand-in JVM at home whose java answers the properties."""
    java = pathlib.Path(home) / exe
    java.parent.mkdir(parents=True)
    shutil.copy(TEST_JAVA, java)
    java.with_suffix(".properties").write_text(
        "".join(f"{name}={value}\n" for name, value in properties.items()), encoding="utf-8")


def verify_archive(directory):
    """An archive for the verification class: any file does, since the
    stand-in java does not read its classpath."""
    archive = pathlib.Path(directory) / "verify.jar"
    archive.write_bytes(b"PK\5\6" + bytes(18))
    return archive


def written_tags(path):
    """The single-valued tags of a written JVM file, by name."""
    tags = {}
    for line in pathlib.Path(path).read_text(encoding="utf-8").splitlines():
        name, colon, value = line.partition(":")
        if colon and not name.startswith(" ") and value.strip():
            tags.setdefault(name, value.strip())
    return tags


@unittest.skipUnless(WINDOWS, "drives, registry hints and java.exe are Windows matters")
class JvmSearch(wine_drives.OwnDirectoryOnD, PackedRunTestCase):
    def registry_hint(self, home, value=("/v", "JavaHome")):
        """A platform hint whose registry value, written for this test,
        names the home: the value JavaHome of the test's key, or with
        ("/ve",) the default value of its subkey JavaHome."""
        key = "Software\\LauncherTests-" + self.name
        self.registry_key = "HKCU\\" + key
        written = self.registry_key + ("" if value[0] == "/v" else "\\JavaHome")
        self.assertEqual(PREFIX.reg("add", written, *value, "/d", home, "/f"), 0)
        self.addCleanup(PREFIX.reg, "delete", self.registry_key, "/f")
        return f"HKEY_CURRENT_USER\\{key}\\JavaHome"

    def searching_launcher(self, *jvm_files, script=("GOTO DONE", ":DONE"), command=None):
        """A launcher file with the JVM files (tags beside those of JVM_FILE),
        a verification archive, an instruction script and, when a command
        is given, a launch script."""
        entries = [(write_tag_file(self.dir / "instructions.tag", {"INSTRUCTIONS": list(script)}),
                    "INSTRUCTIONS", 1, "instructions.tag")]
        if command:
            entries.append((write_tag_file(self.dir / "launch.tag", {"COMMAND": command}),
                            "LAUNCHSCRIPT", 3, "launch.tag"))
        for number, tags in enumerate(jvm_files, 1):
            path = write_tag_file(self.dir / f"jvm{number}.tag", dict(JVM_FILE, **tags))
            entries.append((path, "JVM", 10 + number, f"jvm{number}.tag"))
        entries.append((verify_archive(self.dir), "VERIFY_ARCHIVE", 2, "verify.jar"))
        return pack(self.dir / "setup.exe", entries)

    def run_it(self, launcher, *args):
        """Runs a launcher in the console with this test's log and temp
        directory; returns (exit code, lines of standard output)."""
        code, out, self.stderr = run_launcher(
            ["-console", "-vd:log", native_path(self.log), "-vd:tempdir",
             native_path(self.temp) + "\\", *args], cwd=self.dir, program=launcher)
        # The launcher's code page is UTF-8 (its manifest asks for it).
        return code, [line for line in text(out).split("\n") if line]

    def action(self, launcher, action, *args, **tags):
        """Runs an input-file action, logging to this test's log.  Silent, as
        a calling program runs it: standard output holds only the results."""
        write_tag_file(self.dir / "in.tag",
                       dict({"ACTION": action, "LOGFILE": native_path(self.log)}, **tags))
        return self.run_it(launcher, "-vd:silent", *args, "-vd:in", "in.tag")

    def log_text(self):
        return self.log.read_text(encoding="utf-8").replace("\r", "")

    def assertLogInOrder(self, *entries):
        log = self.log_text()
        position = 0
        for entry in entries:
            found = log.find(entry, position)
            self.assertGreaterEqual(found, 0, f"{entry!r} not after position {position} in:\n{log}")
            position = found + len(entry)

    def assertWrittenJvmFiles(self, pairs, temp="0"):
        """Each (home, JVM file) pair names a JVM file written for that home,
        and these files are all that the run left in the temp directory;
        they are removed.  Returns the DESC of each file."""
        self.assertEqual(sorted(os.listdir(self.temp)),
                         sorted(path.rsplit("\\", 1)[-1] for _, path in pairs))
        descriptions = []
        for home, path in pairs:
            written = self.temp / path.rsplit("\\", 1)[-1]
            tags = written_tags(written)
            self.assertEqual((tags["JVM_HOME"], tags["JVM_FILE"], tags["JVM_TEMP"]),
                             (home, path, temp))
            descriptions.append(tags["DESC"])
            written.unlink()
        return descriptions

    def assertFound(self, result, home, temp="0"):
        """A SEARCH result: 1, the home and its written JVM file."""
        code, lines = result
        self.assertEqual(code, 0, lines)
        self.assertEqual(lines[:2], ["1", home], self.log_text())
        self.assertEqual(len(lines), 3, lines)
        self.assertLogInOrder("Matching JVM home is " + home, "Matching JVM file is " + lines[2])
        self.assertWrittenJvmFiles([(home, lines[2])], temp)

    def test_each_strategy_in_turn(self):
        # Every strategy could find a JVM: the first in order wins, and
        # without it the next one does.
        for home in ("Jävä option", "registry", "hint", "deep/in/the/drive"):
            install_jvm(self.tree / home, CURRENT)
        hint = self.registry_hint(self.on_d("registry"))
        launcher = self.searching_launcher({"PLATFORM_HINT": [hint],
                                            "PATH_HINT": [f"\\{self.name}\\hint"],
                                            "SEARCH_ALL": "1"})
        option = self.on_d("Jävä option")
        self.assertFound(self.action(launcher, "SEARCH", "-vd:javahome", option), option)
        self.assertLogInOrder("Checking user specified Java home directory => " + option,
                              "Found matching JVM at " + option)
        self.assertNotIn("Initiating JVM search based on hints...", self.log_text())

        self.assertFound(self.action(launcher, "SEARCH"), self.on_d("registry"))
        self.assertLogInOrder("Initiating JVM search based on hints...",
                              f"Searching for {DESC} using platform hints",
                              f"Checking JVM at {self.on_d('registry')} which was resolved from "
                              f"platform hint {hint}",
                              "Found matching JVM at " + self.on_d("registry"))

        self.assertEqual(PREFIX.reg("delete", self.registry_key, "/v", "JavaHome", "/f"), 0)
        self.assertFound(self.action(launcher, "SEARCH"), self.on_d("hint"))
        self.assertLogInOrder("WARNING: Invalid platform hint: ",
                              f"Searching for {DESC} using path hints",
                              f"Checking path hint C:\\{self.name}\\hint",
                              f"C:\\{self.name}\\hint\\bin\\java.exe does not exist",
                              "Checking path hint " + self.on_d("hint"),
                              "Found matching JVM at " + self.on_d("hint"))

        for home in ("Jävä option", "registry", "hint"):
            shutil.rmtree(self.tree / home)
        deep = self.on_d("deep\\in\\the\\drive")
        self.assertFound(self.action(launcher, "SEARCH"), deep)
        self.assertLogInOrder(f"Searching for {DESC} using platform specific JVM Path hints",
                              "Beginning exhaustive search", "Found matching JVM at " + deep)
        self.assertNotIn("Processing unverified matches.", self.log_text())

    def test_a_platform_hint_may_name_a_key_with_the_home_as_its_default_value(self):
        install_jvm(self.tree / "current", CURRENT)
        hint = self.registry_hint(self.on_d("current"), value=("/ve",))
        launcher = self.searching_launcher({"PLATFORM_HINT": [hint]})
        self.assertFound(self.action(launcher, "SEARCH"), self.on_d("current"))
        self.assertLogInOrder(f"Checking JVM at {self.on_d('current')} which was resolved from "
                              f"platform hint {hint}")
        self.assertNotIn("Invalid platform hint", self.log_text())

    def test_a_platform_hint_tries_versioned_subkeys_newest_first(self):
        # A vendor registers each build under its version; the newest one
        # runs a JVM that the file refuses, the next is gone, and the newest
        # acceptable one wins before the older ones are looked at.
        key = "HKCU\\Software\\LauncherTests Vendor-" + self.name
        self.addCleanup(PREFIX.reg, "delete", key, "/f")
        homes = {"8.0.402": CURRENT, "17.0.12": CURRENT, "21.0.4": OLD, "21": None,
                 "jre-x": CURRENT}
        for version, properties in homes.items():
            if properties:
                install_jvm(self.tree / version, properties)
            view = ("/reg:32",) if version == "21" else ("/reg:64",)
            written = f"{key}\\JDK\\{version}\\hotspot\\MSI"
            self.assertEqual(PREFIX.reg("add", written, "/v", "Path", "/d", self.on_d(version),
                                        "/f", *view), 0)
        hint = "\\HKEY_CURRENT_USER" + key[len("HKCU"):] + "\\JDK\\*\\hotspot\\MSI\\Path"
        launcher = self.searching_launcher({"PLATFORM_HINT": [hint]})
        self.assertFound(self.action(launcher, "SEARCH"), self.on_d("17.0.12"))
        resolved = " which was resolved from platform hint " + hint
        self.assertLogInOrder("Checking JVM at " + self.on_d("21.0.4") + resolved,
                              "Verifying JVM at " + self.on_d("21.0.4"),
                              "Checking JVM at " + self.on_d("21") + resolved,
                              self.on_d("21") + "\\bin\\java.exe does not exist",
                              "Checking JVM at " + self.on_d("17.0.12") + resolved,
                              "Found matching JVM at " + self.on_d("17.0.12"))
        self.assertNotIn("Found matching JVM at " + self.on_d("21.0.4"), self.log_text())
        self.assertNotIn(self.on_d("8.0.402"), self.log_text())
        self.assertNotIn("Invalid platform hint", self.log_text())

    def test_a_jvm_beside_the_launcher_came_with_it(self):
        install_jvm(self.dir / "jre", CURRENT)
        launcher = self.searching_launcher({"PATH_HINT": [f"\\{self.name}\\none", "jre"]})
        jre = native_path(self.dir / "jre")
        self.assertFound(self.action(launcher, "SEARCH"), jre, temp="1")
        # The drive-relative hint was tried on the fixed drives only, never
        # on the CD-ROM drive Z:.
        self.assertLogInOrder(f"Checking path hint C:\\{self.name}\\none",
                              "Checking path hint " + self.on_d("none"),
                              "Verifying JVM at " + jre + "\\bin\\java.exe",
                              "Found matching JVM at " + jre)
        self.assertNotIn("Checking path hint Z:", self.log_text())

    def test_a_refused_jvm_leads_to_the_next_candidate(self):
        # The JVM at "old" runs but answers a version that the JVM file does
        # not take: every strategy that offers it goes on to the next
        # candidate, and the drive scan finds the current one.
        install_jvm(self.tree / "old", OLD)
        install_jvm(self.tree / "current", CURRENT)
        old = self.on_d("old")
        launcher = self.searching_launcher({"PLATFORM_HINT": [self.registry_hint(old)],
                                            "PATH_HINT": [f"\\{self.name}\\old", "jre"],
                                            "SEARCH_ALL": "1"})
        result = self.action(launcher, "SEARCH", "-vd:javahome", old)
        self.assertFound(result, self.on_d("current"))
        verifying_old = f"Verifying JVM at {old}\\bin\\java.exe\n   for JVM: {DESC}\n"
        self.assertLogInOrder("Checking user specified Java home directory => " + old,
                              verifying_old,
                              "Initiating JVM search based on hints...",
                              f"Checking JVM at {old} which was resolved from platform hint",
                              verifying_old,
                              f"Checking path hint C:\\{self.name}\\old",
                              "does not exist",
                              "Checking path hint " + old,
                              verifying_old,
                              native_path(self.dir / "jre") + "\\bin\\java.exe does not exist",
                              "Beginning exhaustive search",
                              "Found matching JVM at " + self.on_d("current"))
        self.assertNotIn("Found matching JVM at " + old, self.log_text())
        self.assertNotIn("Invalid magic value", self.log_text())

    def test_search_all_lists_every_jvm_that_a_file_accepts(self):
        for home in ("a", "Jävä Hömé 2", "nested/b"):
            install_jvm(self.tree / home, CURRENT)
        install_jvm(self.tree / "old", OLD)
        # Neither a java.exe in a directory that only ends with "bin", nor
        # one whose path differs from JVM_EXE in letter case.
        install_jvm(self.tree / "decoy", CURRENT, exe="xbin/java.exe")
        install_jvm(self.tree / "upper", CURRENT, exe="BIN/JAVA.EXE")
        older = {"DESC": "Stand-in JVM 1.4",
                 "JVM_PROPERTIES": ["java.vendor=" + VENDOR, "java.version=1.4..."]}
        launcher = self.searching_launcher({"SEARCH_ALL": "1"}, older)
        code, lines = self.action(launcher, "SEARCH_ALL")
        self.assertEqual(code, 0, lines)
        self.assertEqual((lines[0], len(lines)), ("4", 9), lines)
        pairs = list(zip(lines[1::2], lines[2::2]))
        homes = [home for home, _ in pairs]
        self.assertEqual(sorted(homes[:3]), sorted(self.on_d(home) for home in
                                                   ("a", "Jävä Hömé 2", "nested\\b")))
        self.assertEqual(homes[3], self.on_d("old"))
        self.assertEqual(self.assertWrittenJvmFiles(pairs), 3 * [DESC] + ["Stand-in JVM 1.4"])
        self.assertLogInOrder("Finding all matching JVMs", "Beginning exhaustive search",
                              "Processing unverified matches.")

    def test_the_drive_scan_passes_over_the_temp_directory_and_recycle_bins(self):
        install_jvm(self.tree / "kept", CURRENT)
        # The temp directory, named in other letter case than the drive
        # lists it, and a recycle bin at the top of the drive.
        install_jvm(self.tree / "temp" / "jre", CURRENT)
        recycled = PREFIX.tree / ("RECYCLER-" + self.name)
        self.addCleanup(shutil.rmtree, recycled, ignore_errors=True)
        install_jvm(recycled / "jre", CURRENT)
        launcher = self.searching_launcher({"SEARCH_ALL": "1"})
        code, lines = self.action(launcher, "SEARCH_ALL", "-vd:tempdir",
                                  "d:" + self.on_d("TEMP\\")[2:])
        self.assertEqual((code, lines[:2]), (0, ["1", self.on_d("kept")]), lines)
        self.assertNotIn("Verifying JVM at " + self.on_d("temp"), self.log_text())
        self.assertNotIn("RECYCLER", self.log_text())

    def test_a_java_that_cannot_start_ends_the_search_with_its_result(self):
        # The search ends at a java.exe that is no program, though a JVM
        # would be found later; the caller still reads 0.
        junk = self.tree / "junk" / "bin" / "java.exe"
        junk.parent.mkdir(parents=True)
        junk.write_text("not a program")
        install_jvm(self.tree / "current", CURRENT)
        launcher = self.searching_launcher({"PATH_HINT": [f"\\{self.name}\\junk",
                                                          f"\\{self.name}\\current"],
                                            "SEARCH_ALL": "1"})
        self.assertEqual(self.action(launcher, "SEARCH"), (0, ["0"]))
        self.assertLogInOrder("Verifying JVM at " + self.on_d("junk"),
                              "ERROR: A suitable JVM could not be found. Please select a JVM by "
                              "selecting its java.exe file. CreateProcess failed")
        self.assertNotIn("Verifying JVM at " + self.on_d("current"), self.log_text())
        self.assertWorkspaceGone()
        # The drive scan meets it too, in whatever order the drive lists.
        self.assertEqual(self.action(launcher, "SEARCH_ALL"), (0, ["0"]))
        self.assertLogInOrder("Verifying JVM at " + self.on_d("junk"),
                              "ERROR: Unable to search for all JVMs. CreateProcess failed")
        self.assertWorkspaceGone()

    def test_find_jvm_sets_the_home_the_jvm_file_and_the_found_flag(self):
        home = self.on_d("Jävä Hömé")
        install_jvm(self.tree / "Jävä Hömé", CURRENT)
        # A SET that fails shows the variables in its error.
        script = ["FIND_JVM 0 0", 'SET N2 = "N1 @N1@, S1 @S1@, S2 @S2@"']
        cases = [([f"\\{self.name}\\Jävä Hömé"],
                  f"N1 1, S1 {home}, S2 {native_path(self.temp)}\\LRE"),
                 ([f"\\{self.name}\\none"], "N1 0, S1 , S2  Line number (2)")]
        for hints, values in cases:
            with self.subTest(hints=hints):
                launcher = self.searching_launcher({"PATH_HINT": hints}, script=script)
                code, lines = self.run_it(launcher)
                self.assertEqual(code, -1)
                self.assertIn("Error in instructions. Invalid value specified for SET command "
                              "Invalid numeric expression in " + values,
                              "\n".join(lines) + "\n")
                self.assertWorkspaceGone()

    def test_the_found_jvm_runs_the_program(self):
        # Its java echoes what it was given and ends with the exit code of
        # its properties, which becomes the launcher's.
        install_jvm(self.tree / "My JRE", dict(CURRENT, **{"exit.code": "7"}))
        script = ["FIND_JVM 0 0", "JMP0 @N1@ NONE", "LAUNCH @S2@ 0", "GOTO END", ":NONE",
                  "SET X1 = 1", ":END"]
        launcher = self.searching_launcher(
            {"PATH_HINT": [f"\\{self.name}\\My JRE"]}, script=script,
            command='"""@JVM_HOME@\\@JVM_EXE@"" %CP%() Installer --property=env.JAVA_HOME"')
        code, lines = self.run_it(launcher, "two words")
        self.assertEqual(code, 7, lines)
        start, end = lines.index("arguments begin"), lines.index("arguments end")
        given = lines[start + 1:end]
        self.assertEqual(given[given.index("Installer"):],
                         ["Installer", "--property=env.JAVA_HOME", "-console", "two words"])
        self.assertEqual(lines[end + 1], "property env.JAVA_HOME=" + self.on_d("My JRE"))
        self.assertLogInOrder("Matching JVM home is " + self.on_d("My JRE"),
                              f'Executing launch script command: "{self.on_d("My JRE")}'
                              '\\bin\\java.exe"')
        self.assertWorkspaceGone()

    def test_the_verify_jvm_action(self):
        install_jvm(self.tree / "current", CURRENT)
        install_jvm(self.tree / "old", OLD)
        jvm_file = write_tag_file(self.dir / "jvm.tag", JVM_FILE)
        archive = verify_archive(self.dir)
        cases = [
            ("current", "Verify", "1", "After VERIFY, the jvm home is " + self.on_d("current")),
            ("old", "Verify", "0", "In VERIFY, the jvm is invalid."),
            # Another class than the verification class does not answer.
            ("current", "Installer", "0", "ERROR: Invalid magic value: arguments end\n"),
            ("none", "Verify", "0",
             self.on_d("none") + "\\bin\\java.exe does not exist"),
        ]
        for home, class_name, found, entry in cases:
            with self.subTest(home=home, class_name=class_name):
                code, lines = self.action(
                    LAUNCHER, "VERIFY_JVM", VERIFY_JVM_FILE=native_path(jvm_file),
                    VERIFY_JVM_HOME=self.on_d(home),
                    VERIFY_CLASSPATH='"""' + native_path(archive) + '"""',
                    VERIFY_CLASS_NAME=class_name)
                self.assertEqual((code, lines), (0, [found]))
                self.assertLogInOrder("Verifying JVM at " + self.on_d(home), entry)
                self.assertWorkspaceGone()


if __name__ == "__main__":
    unittest.main()
