"""The windowed front end as a user meets it: the Windows launcher started
without "-console" under Wine on an X server of the test's own.  The dialogs
are found by their class and a control they hold, read, and answered with the
messages a click or a closed window sends (tests/programs/window_driver)."""
import os
import pathlib
import time
import unittest

from harness import (WINDOWS, LauncherTestCase, VirtualDisplay, exit_code, native_path, pack,
                     program_name, run, run_launcher, start, text, write_tag_file)

DRIVER = os.environ.get("WINDOW_DRIVER", "")
PROMPT = os.environ.get("PROMPT_FOR_PROGRAM_FILE", "")
INSTALLER = os.environ.get("TEST_JVM_INSTALLER", "")
STAND_IN_JAVA = os.environ.get("TEST_JAVA", "")

# Controls of the progress dialog, of a message box and of the system dialogs.
STATUS, BAR, CANCEL, EXPLANATION = 1000, 1001, 1003, 1004
MESSAGE_TEXT, OK_BUTTON, CANCEL_BUTTON = 65535, 1, 2
FOLDER_TREE, FOLDER_TITLE = 0x3741, 0x3742
FILE_NAME = 0x47C

TITLE = "Vandrel Wizard"
CANCELED = "Canceled by the user."
ENGLISH = {"LANG": "en_US.UTF-8", "LC_ALL": "", "LC_MESSAGES": ""}


@unittest.skipUnless(WINDOWS and DRIVER, "the windowed front end exists in the Windows build only")
class WindowedFrontEnd(LauncherTestCase):
    @classmethod
    def setUpClass(cls):
        cls.display = VirtualDisplay(keeper=[DRIVER, "sleep", 3600 * 1000])

    @classmethod
    def tearDownClass(cls):
        cls.display.close()

    def setUp(self):
        super().setUp()
        self.temp = self.dir / "temp"
        self.temp.mkdir()
        self.env = dict(ENGLISH, **self.display.env)

    def launcher(self, script, kind=0, installer=None, jvm=None):
        """A launcher file with the script, a launch script (so the window
        title is the product's) and, if given, a JVM installer and a JVM
        file."""
        instructions = write_tag_file(self.dir / "instructions.tag", {"INSTRUCTIONS": script})
        launch = write_tag_file(self.dir / "launch.tag",
                                {"COMMAND": '"""@JVM_HOME@\\@JVM_EXE@"" Main"'})
        entries = [(instructions, "INSTRUCTIONS", 1, "instructions.tag"),
                   (launch, "LAUNCHSCRIPT", 2, "launch.tag")]
        if installer:
            entries.append((installer, "JVM_INSTALLER", 3, program_name("jvm_installer")))
        if jvm:
            entries.append((write_tag_file(self.dir / "j.jvm", jvm), "JVM", 4, "j.jvm"))
        return pack(self.dir / program_name("setup"), entries, kind=kind)

    def options(self, *extra):
        return ["-vd:tempdir", native_path(self.temp) + "\\", *extra]

    def start(self, launcher, *extra):
        process = start(launcher, self.options(*extra), cwd=self.dir, env=self.env)
        self.addCleanup(lambda: process.poll() is None and process.kill())
        return process

    def drive(self, *commands):
        """Runs the window driver; returns its output lines."""
        code, out, err = run(DRIVER, commands, env=self.env, timeout=120)
        self.assertEqual(code, 0, err.decode(errors="replace"))
        return text(out).splitlines()

    def answer_message(self):
        """Reads the message box the run shows and presses its OK button."""
        return self.drive("dialog", MESSAGE_TEXT, "title", "text", MESSAGE_TEXT,
                          "click", OK_BUTTON)

    def assertWorkspaceGone(self):
        self.assertEqual(sorted(os.listdir(self.temp)), [])

    def test_the_cancel_button_stops_a_script_looping_on_goto(self):
        launcher = self.launcher(["INITIALIZE_UI", "// waits", ":AGAIN", "GOTO AGAIN"], kind=0)
        process = self.start(launcher)
        # The tall layout of kind 0: the explanation above the status.
        shown = self.drive("dialog", BAR, "title", "text", STATUS, "visible", EXPLANATION,
                           "text", EXPLANATION, "enabled", CANCEL, "click", CANCEL)
        self.assertEqual(shown, [TITLE, "Initializing Vandrel Wizard...", "1",
                                 "The Vandrel Wizard is preparing the installation, please "
                                 "wait...", "1"])
        self.assertEqual(self.answer_message(), [TITLE, CANCELED])
        code, _ = exit_code(process)
        self.assertEqual(code, -1)
        self.assertWorkspaceGone()

    def test_closing_the_dialog_stops_a_script_looping_on_goto(self):
        launcher = self.launcher(["INITIALIZE_UI", "// waits", ":AGAIN", "GOTO AGAIN"], kind=1)
        process = self.start(launcher)
        # The short layout of any other kind: no explanation.
        shown = self.drive("dialog", BAR, "title", "text", STATUS, "visible", EXPLANATION,
                           "enabled", CANCEL, "close")
        self.assertEqual(shown, [TITLE, "Initializing Vandrel Wizard...", "0", "1"])
        self.assertEqual(self.answer_message(), [TITLE, CANCELED])
        code, _ = exit_code(process)
        self.assertEqual(code, -1)
        self.assertWorkspaceGone()

    def test_the_cancel_button_stops_the_extraction_of_a_large_entry(self):
        # An installer padded to a size whose extraction outlasts the click.
        big = self.dir / program_name("big_installer")
        big.write_bytes(pathlib.Path(INSTALLER).read_bytes())
        with open(big, "r+b") as padded:
            padded.truncate(big.stat().st_size + 600 * 1024 * 1024)
        launcher = self.launcher(["INITIALIZE_UI", "INSTALL_JVM 1"], installer=big)
        big.unlink()
        process = self.start(launcher)
        self.drive("dialog", BAR, "wait-text", STATUS, "Preparing Java(tm) Virtual Machine...",
                   "click", CANCEL)
        self.assertEqual(self.answer_message(), [TITLE, CANCELED])
        code, _ = exit_code(process)
        self.assertEqual(code, -1)
        self.assertWorkspaceGone()

    def test_the_exit_code_is_the_consoles_and_only_a_failed_run_shows_a_message(self):
        cases = [
            (["INITIALIZE_UI", "SET N1 = 1"], 0, None),
            (["INITIALIZE_UI", "SET X1 = 1"], -1,
             "Error in instructions. Invalid variable specified on left hand side of SET "
             "statement. Invalid variable reference (X1). Must use N or S as the variable type, "
             "e.g. N2 or S1. Line number (2)"),
        ]
        for script, expected, message in cases:
            with self.subTest(script=script):
                launcher = self.launcher(script)
                console, _, _ = run_launcher(["-console", *self.options()], program=launcher,
                                             cwd=self.dir, env=self.env)
                process = self.start(launcher)
                if message:
                    self.assertEqual(self.answer_message(), [TITLE, message])
                # A run that needs no answer ends by itself.
                code, _ = exit_code(process)
                self.assertEqual((console, code), (expected, expected))
                self.assertWorkspaceGone()

    def test_an_input_file_action_prints_its_result_without_console(self):
        destination = self.dir / "jre"
        destination.mkdir()
        write_tag_file(self.dir / "install.tag", {
            "ACTION": "INSTALL_JVM", "INSTALL_JVM_EXE": '"""' + native_path(INSTALLER) + '"""',
            "INSTALL_JVM_DEST": native_path(destination)})
        code, out, _ = run_launcher(["-vd:silent", "-vd:in", "install.tag"], cwd=self.dir,
                                    env=self.env)
        self.assertEqual((code, text(out)), (0, native_path(destination / "jvm") + "\n"))

    def test_the_folder_browser_chooses_where_the_jvm_is_installed(self):
        destination = self.dir / "chosen"
        destination.mkdir()
        launcher = self.launcher(["INITIALIZE_UI", "INSTALL_JVM 2", "JMP0 @N1@ FAILED",
                                  "GOTO DONE", ":FAILED", "SET X1 = 1", ":DONE"],
                                 installer=INSTALLER)
        process = self.start(launcher)
        shown = self.drive("dialog", FOLDER_TREE, "text", FOLDER_TITLE, "choose-folder",
                           native_path(destination), "click", OK_BUTTON)
        self.assertEqual(shown, ["Choose the JVM Destination Directory"])
        code, _ = exit_code(process)
        self.assertEqual(code, 0)
        self.assertTrue((destination / "jvm").is_file())
        self.assertWorkspaceGone()

    def test_when_no_jvm_is_found_the_user_picks_a_java_program(self):
        # A JVM home that no hint names, with a stand-in java that ends with 5.
        _, java = self.stand_in_jvm("My JRE", exit_code=5)
        launcher = self.launcher(
            ["INITIALIZE_UI", "FIND_JVM 1 1", "JMP0 @N1@ NONE", "LAUNCH @S2@ 0", "GOTO END",
             ":NONE", "SET X1 = 1", ":END"],
            jvm={"DESC": "Unknown JVM", "JVM_EXE": "bin\\java.exe",
                 "JVM_PROPERTIES": "java.vendor=nobody"})
        process = self.start(launcher)
        self.assertEqual(self.answer_message(), [
            TITLE, "A suitable JVM could not be found. Please select a JVM by selecting its "
                   "java.exe file."])
        self.drive("dialog", FILE_NAME, "set-text", FILE_NAME, native_path(java),
                   "click", OK_BUTTON)
        code, _ = exit_code(process)
        self.assertEqual(code, 5)
        self.assertWorkspaceGone()

    def stand_in_jvm(self, name, exit_code=0):
        """A JVM home with the stand-in java, which ends with the exit code."""
        home = self.dir / name
        (home / "bin").mkdir(parents=True)
        java = home / "bin" / "java.exe"
        java.write_bytes(pathlib.Path(STAND_IN_JAVA).read_bytes())
        (home / "bin" / "java.properties").write_text("exit.code=%d\n" % exit_code)
        return home, java

    def test_a_launch_that_keeps_the_window_disables_cancel(self):
        home, _ = self.stand_in_jvm("jre")
        jvm = write_tag_file(self.dir / "found.jvm", {
            "JVM_HOME": native_path(home), "JVM_EXE": "bin\\java.exe"})
        launcher = self.launcher(["INITIALIZE_UI", 'LAUNCH "%s" 10' % native_path(jvm),
                                  ":AGAIN", "GOTO AGAIN"])
        process = self.start(launcher)
        # The window stays for the launch and cannot be cancelled with its
        # button (disabled just after the status line changes); closing it
        # still stops the script.
        self.drive("dialog", BAR, "wait-text", STATUS, "Running Vandrel Wizard...",
                   "wait-disabled", CANCEL, "close")
        self.assertEqual(self.answer_message(), [TITLE, CANCELED])
        code, _ = exit_code(process)
        self.assertEqual(code, -1)
        self.assertWorkspaceGone()

    def test_cancel_stops_the_drive_scan(self):
        # Drive Z: is the whole file system: a scan of many seconds.
        launcher = self.launcher(
            ["INITIALIZE_UI", "FIND_JVM 1 0", "SET X1 = 1"],
            jvm={"DESC": "Unknown JVM", "JVM_EXE": "bin\\nowhere.exe",
                 "JVM_PROPERTIES": "java.vendor=nobody", "SEARCH_ALL": "1"})
        process = self.start(launcher)
        # The status line while the drives are scanned.
        self.drive("dialog", BAR, "wait-text", STATUS,
                   "Searching for Java(tm) Virtual Machine... "
                   "Scanning disk(s) for a Java(tm) Virtual Machine...", "click", CANCEL)
        started = time.monotonic()
        self.assertEqual(self.answer_message(), [TITLE, CANCELED])
        # Not a measurement: the whole scan takes about fifteen seconds here.
        self.assertLess(time.monotonic() - started, 8)
        code, _ = exit_code(process)
        self.assertEqual(code, -1)
        self.assertWorkspaceGone()

    def test_the_end_of_the_session_removes_the_workspace_during_a_run(self):
        # The run stops at its error message while the installed JVM is still
        # in the workspace.
        launcher = self.launcher(["INITIALIZE_UI", "INSTALL_JVM 1", "SET X1 = 1"],
                                 installer=INSTALLER)
        process = self.start(launcher)
        self.drive("dialog", MESSAGE_TEXT)
        self.assertNotEqual(os.listdir(self.temp), [])
        self.drive("end-session", "LauncherMain")
        self.assertWorkspaceGone()
        self.answer_message()
        code, _ = exit_code(process)
        self.assertEqual(code, -1)
        self.assertWorkspaceGone()

    def test_the_file_prompt_answers_with_the_chosen_program(self):
        program = pathlib.Path(INSTALLER)
        for answer, expected in ((OK_BUTTON, "chosen: " + native_path(program)),
                                 (CANCEL_BUTTON, "cancelled")):
            with self.subTest(answer=answer):
                prompt = start(PROMPT, [], env=self.env)
                self.addCleanup(lambda: prompt.poll() is None and prompt.kill())
                self.drive("dialog", FILE_NAME, "set-text", FILE_NAME, native_path(program),
                           "click", answer)
                code, out = exit_code(prompt)
                self.assertEqual((code, text(out)), (0, expected + "\n"))


if __name__ == "__main__":
    unittest.main()
