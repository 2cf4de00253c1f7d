"""Whole runs of packed launchers: instruction scripts, the JVM installer,
"-vd:extract" and nested launchers, and the workspace left behind."""
import os
import pathlib
import shutil
import time
import unittest

from harness import (EMPTY_INSTALLER, INSTALLER, PackedRunTestCase, native_path, pack,
                     pack_unchecked, program_name, run_launcher, text, tree_contents,
                     write_tag_file)

PREPARING = "Preparing Java(tm) Virtual Machine..."


class PackedRuns(PackedRunTestCase):
    def test_script_errors_carry_their_line_and_end_the_run(self):
        cases = [
            (["INITIALIZE_UI", "goto DONE"], "Invalid command (goto).  Line number (2)"),
            (["JMP0 abc DONE"], "The second argument to JMP0 must be numeric.Invalid numeric "
                                "expression (abc) Line number (1)"),
            (["INSTALL_JVM 3"], "The first argument to INSTALL_JVM should be a 0, 1 or 2. "
                                "Line number (1)"),
            (["// fine", "SET X1 = 2"], "Invalid variable specified on left hand side of SET "
                                        "statement. Invalid variable reference (X1). Must use N "
                                        "or S as the variable type, e.g. N2 or S1. Line number (2)"),
        ]
        for script, error in cases:
            with self.subTest(script=script):
                code, out = self.start(self.launcher(script))
                message = "Error in instructions. " + error
                self.assertEqual(code, -1)
                self.assertIn(message + "\n", out)
                self.assertIn("ERROR: " + message + "\n", self.log_text())
                self.assertWorkspaceGone()

    def test_installs_the_carried_jvm_and_removes_it_at_exit(self):
        script = ["INITIALIZE_UI", "INSTALL_JVM 1", "JMP0 @N1@ FAILED", "GOTO DONE", ":FAILED",
                  "SET X1 = 1", ":DONE"]
        code, out = self.start(self.launcher(script, INSTALLER))
        self.assertEqual(code, 0, out)
        self.assertIn(PREPARING + "\n", out)
        log = self.log_text()
        self.assertIn("file type: 4\n  file id: 2\n", log)
        self.assertNotIn("ERROR", log)
        self.assertWorkspaceGone()

    def test_an_installer_that_leaves_no_jvm_file(self):
        script = ["INSTALL_JVM 0", "JMP0 @N1@ FAILED", "GOTO DONE", ":FAILED", "SET X1 = 1",
                  ":DONE"]
        code, out = self.start(self.launcher(script, EMPTY_INSTALLER))
        self.assertEqual(code, -1)
        self.assertIn("ERROR: Invalid bundled JVM. Missing 'jvm' file.\n", self.log_text())
        self.assertIn("Line number (5)", out)  # the jump was taken
        self.assertWorkspaceGone()

    def test_no_installer_is_a_launcher_failure(self):
        code, out = self.start(self.launcher(["INSTALL_JVM 1"]))
        self.assertEqual(code, -1)
        self.assertIn("No JVM installer was included in the launcher.\n", out)
        self.assertWorkspaceGone()

    def test_a_missing_temp_directory_is_reported_with_its_path(self):
        launcher = self.launcher(["INSTALL_JVM 1"], INSTALLER)
        missing = native_path(self.dir / "nowhere")
        code, out, _ = run_launcher(["-console", "-vd:tempdir", missing], cwd=self.dir,
                                    program=launcher)
        self.assertEqual(code, -1)
        self.assertIn(f"Cannot use {missing} as the temp directory because it does not exist.",
                      text(out))

    def test_extracted_files_run_the_same_instructions(self):
        launcher = self.launcher(["INSTALL_JVM 1", "JMP0 @N1@ FAILED", "GOTO DONE", ":FAILED",
                                  "SET X1 = 1", ":DONE"], INSTALLER)
        unpacked = self.dir / "unpacked"
        unpacked.mkdir()
        code, _ = self.start(launcher, "-vd:extract", cwd=unpacked)
        self.assertEqual(code, 0)
        self.assertEqual(sorted(os.listdir(unpacked)),
                         sorted(["input.tag", "instructions.tag", program_name("jvm_installer")]))
        self.assertIn("RUN_INSTRUCTIONS", (unpacked / "input.tag").read_text())
        # The loose instructions file is the one that runs now.
        write_tag_file(unpacked / "instructions.tag", {"INSTRUCTIONS": ["INSTALL_JVM 1", "goto x"]})
        code, out = self.start(launcher, "-vd:in", "input.tag", cwd=unpacked)
        self.assertEqual(code, -1)
        self.assertIn("Error in instructions. Invalid command (goto).  Line number (2)", out)
        self.assertWorkspaceGone()

    def test_the_extracted_jvm_message_is_read_back(self):
        instructions = write_tag_file(self.dir / "instructions.tag",
                                      {"INSTRUCTIONS": ["GOTO DONE", ":DONE"]})
        message = write_tag_file(self.dir / "message.tag", {"MESSAGE": "No JVM here"})
        launcher = pack(self.dir / program_name("setup"),
                        [(instructions, "INSTRUCTIONS", 1, "instructions.tag"),
                         (message, "JVMMESSAGE", 2, "message.tag")])
        packed_code, _ = self.start(launcher)
        unpacked = self.dir / "unpacked"
        unpacked.mkdir()
        self.assertEqual(self.start(launcher, "-vd:extract", cwd=unpacked)[0], 0)
        self.assertIn("JVMMESSAGE:  message.tag\n",
                      (unpacked / "input.tag").read_text().replace("\r", ""))
        code, out = self.start(launcher, "-vd:in", "input.tag", cwd=unpacked)
        self.assertEqual(code, packed_code, out)
        # The loose message file is the one that is read now.
        (unpacked / "message.tag").write_text("not a tag file\n")
        code, out = self.start(launcher, "-vd:in", "input.tag", cwd=unpacked)
        self.assertEqual(code, -1)
        self.assertIn("Error loading instructions file.Syntax error in message.tag at line 1 ==> "
                      "Missing colon at the end of the tag name.", out)
        self.assertWorkspaceGone()

    def test_the_install_action_of_an_input_file(self):
        destination = self.dir / "jre"
        destination.mkdir()
        write_tag_file(self.dir / "install.tag", {
            "ACTION": "INSTALL_JVM", "LOGFILE": native_path(self.log),
            "INSTALL_JVM_EXE": '"""' + native_path(INSTALLER) + '"""',
            "INSTALL_JVM_DEST": native_path(destination)})
        code, out, _ = run_launcher(["-console", "-vd:silent", "-vd:in", "install.tag"],
                                    cwd=self.dir)
        jvm = native_path(destination) + ("\\" if os.environ.get("LAUNCHER_EMULATOR") else "/") + "jvm"
        self.assertEqual((code, text(out)), (0, jvm + "\n"))
        tags = (destination / "jvm").read_text().replace("\r", "")
        for line in ("JVM_HOME:  " + native_path(destination), "JVM_FILE:  " + jvm, "JVM_TEMP:  0"):
            self.assertIn(line + "\n", tags)

    def test_a_launcher_in_a_directory_with_non_ascii_characters_reads_itself(self):
        home = self.dir / "Bücher-日本"
        home.mkdir()
        launcher = shutil.copy(self.launcher(["INSTALL_JVM 1"], INSTALLER), home)
        code, out = self.start(launcher)
        self.assertEqual(code, 0, out)
        self.assertIn("  file name: instructions.tag", self.log_text())
        self.assertWorkspaceGone()

    def test_a_nested_launcher_runs_and_removes_itself(self):
        inner = self.launcher(["INSTALL_JVM 1"], INSTALLER, name="inner")
        instructions = write_tag_file(self.dir / "outer.tag",
                                      {"INSTRUCTIONS": ["EXECUTE_LAUNCHER 1"]})
        outer = pack(self.dir / program_name("outer"),
                     [(instructions, "INSTRUCTIONS", 1, "outer.tag"),
                      (inner, "EMBEDDED_LAUNCHER", 7, program_name("nested"))])
        code, _ = self.start(outer)
        self.assertEqual(code, 0)
        # The nested launcher gets the same options, so it logs to the same
        # file; its copy and directory go away after it has ended.
        deadline = time.time() + 90
        while time.time() < deadline and (os.listdir(self.temp) or
                                          self.log_text().count("file name: instructions.tag") == 0):
            time.sleep(0.5)
        self.assertIn("  file name: instructions.tag", self.log_text())
        self.assertWorkspaceGone()



class HostileLauncherFiles(PackedRunTestCase):
    """Launcher files that hold what vdpack refuses, run beside a tree of the
    user's own files: each fails clearly and touches nothing."""

    def setUp(self):
        super().setUp()
        self.tree = self.dir / "tree"
        self.chosen = self.tree / "chosen"
        (self.chosen / "sub").mkdir(parents=True)
        (self.tree / "victim.txt").write_bytes(b"victim")
        (self.chosen / "user.txt").write_bytes(b"the user's own")
        (self.chosen / "sub" / "deep.txt").write_bytes(b"deep")
        (self.temp / "mine.txt").write_bytes(b"in the temp directory")

    def untouched(self):
        return tree_contents(self.tree), tree_contents(self.temp)

    def test_an_installer_that_would_write_outside_its_own_file_touches_nothing(self):
        installer = pathlib.Path(INSTALLER).read_bytes()
        refused = "is not a plain file name"
        cases = [(name, mode, refused) for name in ("", ".", "..", "../victim.txt",
                                                    "..\\victim.txt") for mode in (0, 1, 2)]
        cases += [(name, 2, refused) for name in ("NUL", "aux.txt", "COM1.bin", "CONOUT$")]
        # Plain names that the chosen directory holds: neither replaced nor removed.
        cases += [(name, 2, ": a file of that name exists.") for name in ("sub", "user.txt")]
        before = self.untouched()
        for name, mode, error in cases:
            with self.subTest(name=name, mode=mode):
                launcher = pack_unchecked(self.dir / program_name("hostile"), [
                    (f"INSTRUCTIONS: INSTALL_JVM {mode}\n".encode(), 0, 1, "instructions.tag"),
                    (installer, 4, 2, name)])
                code, out = self.start(launcher,
                                       stdin=(native_path(self.chosen) + "\n").encode())
                self.assertEqual(code, -1, out + text(self.stderr))
                self.assertIn(error, out)
                self.assertEqual(self.untouched(), before)

    def test_extract_refuses_a_hostile_launcher_file_and_touches_nothing(self):
        instructions = (b"INSTRUCTIONS: GOTO X\n", 0, 1, "instructions.tag")
        cases = [
            ([instructions, (b"x", 3, 2, "../victim.txt")],
             'The embedded file name "../victim.txt" is not a plain file name'),
            ([instructions, (b"x", 3, 2, "NUL")],
             'The embedded file name "NUL" is not a plain file name'),
            # A length of 0xFFFFFFFF, and bytes beyond the end of the file.
            ([instructions, (b"x", 3, 2, "lib.jar", (0, -1))],
             "The embedded file lib.jar has an invalid place in the file index (offset 0, "
             "length -1)."),
            ([instructions, (b"x", 3, 2, "lib.jar", (100, 1 << 30))],
             "The embedded file lib.jar is incomplete"),
            ([instructions, (b"x", 3, 2, "input.tag")],
             '"input.tag" is the name of the input file written beside the extracted files'),
            ([instructions, (b"x", 3, 2, "lib.jar"), (b"y", 3, 3, "LIB.jar")],
             '"lib.jar" and "LIB.jar" name the same file'),
            ([instructions, (b"x", 3, 2, "user.txt")],
             'The current directory holds a file named "user.txt"'),
        ]
        cases = [(entries, error, self.chosen) for entries, error in cases]
        # An input file of the user's own is never replaced either.
        (self.tree / "input.tag").write_bytes(b"ACTION: MINE\n")
        cases.append(([instructions], 'The current directory holds a file named "input.tag"',
                      self.tree))
        before = self.untouched()
        for entries, error, cwd in cases:
            with self.subTest(error=error):
                launcher = pack_unchecked(self.dir / program_name("hostile"), entries)
                code, out = self.start(launcher, "-vd:extract", cwd=cwd)
                self.assertEqual(code, -1, out)
                self.assertIn("Unable to extract embedded files from the launcher. ", out)
                self.assertIn(error, out)
                self.assertEqual(self.untouched(), before)


if __name__ == "__main__":
    unittest.main()
