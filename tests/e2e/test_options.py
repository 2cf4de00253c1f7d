"""The command-line options of a launcher without a payload (an empty index
and so no instruction script)."""
import unittest

from harness import WINDOWS, LauncherTestCase, native_path, run_launcher, text

VERSION = "2.52"
NO_LOG_FILE = "A log file name must be specified after the -log option on the command line."
NO_INPUT_FILE = "An input file name must follow the '-in' command line option."
CANNOT_OPEN = "Unable to open input file specified on the command line after the -in option."
COULD_NOT_LOAD = "Could not load the input file."
INVALID_ACTION = "Invalid action in input file: "


class Options(LauncherTestCase):
    def launch(self, *args, **kwargs):
        code, out, err = run_launcher(["-console", *args], cwd=self.dir, **kwargs)
        return code, text(out)

    def test_version_prints_and_ends_without_running_instructions(self):
        self.assertEqual(self.launch("-vd:version"), (0, VERSION + "\n"))

    def test_missing_values(self):
        cases = [
            # The instructions still run (here: none, so -1); the run ends
            # with the progress at 100, which the console shows as a line end.
            (["-vd:log"], -1, NO_LOG_FILE + "\n\n"),
            (["-vd:orig"], -1, "Missing original launcher file name.\n\n"),
            (["-vd:in"], -1, NO_INPUT_FILE + "\n"),
            (["-vd:tempdir"], -1, "\n"),  # ignored
            (["-vd:log", "-vd:version"], -1, "\n"),  # the version option became the log name
            (["-vd:version", "-vd:log"], -1, VERSION + "\n" + NO_LOG_FILE + "\n"),
        ]
        for args, code, output in cases:
            with self.subTest(args=args):
                self.assertEqual(self.launch(*args), (code, output))

    def test_without_a_script_the_exit_code_is_minus_one(self):
        self.assertEqual(self.launch(), (-1, "\n"))

    def test_silent_suppresses_messages(self):
        self.assertEqual(self.launch("-vd:silent", "-vd:version"), (0, ""))
        self.assertEqual(self.launch("-silent", "-vd:in"), (-1, ""))

    def test_log_followed_by_silent_names_the_log_and_is_not_silent(self):
        code, out = self.launch("-vd:log", "-vd:silent", "-vd:in", "missing.tag")
        self.assertEqual(code, -1)
        self.assertIn(CANNOT_OPEN, out)
        if not WINDOWS:  # a colon cannot be part of a Windows file name
            log = (self.dir / "-vd:silent").read_text()
            self.assertIn("ERROR: " + CANNOT_OPEN, log)

    def test_unopenable_input_file_is_shown_twice_and_logged(self):
        log = self.dir / "run.log"
        code, out = self.launch("-vd:log", native_path(log), "-vd:in", "missing.tag")
        self.assertEqual(code, -1)
        self.assertEqual(out, COULD_NOT_LOAD + CANNOT_OPEN + "\n" + CANNOT_OPEN + "\n")
        self.assertEqual(log.read_text().replace("\r", ""),
                         "------------------\nERROR: " + CANNOT_OPEN + "\n")

    def test_input_file_without_action(self):
        (self.dir / "in.tag").write_text("LOGFILE: in.log\n")
        code, out = self.launch("-vd:in", '"in.tag"')
        self.assertEqual(code, -1)
        self.assertEqual(out, INVALID_ACTION + "\n" + INVALID_ACTION + "\n")
        log = (self.dir / "in.log").read_text().replace("\r", "")
        self.assertIn("ERROR: " + INVALID_ACTION + "\n", log)

    def test_search_actions_of_a_launcher_without_jvm_files_find_none(self):
        for action in ("SEARCH", "SEARCH_ALL"):
            with self.subTest(action=action):
                (self.dir / "in.tag").write_text("ACTION: %s\n" % action)
                code, out = self.launch("-vd:in", "in.tag")
                self.assertEqual(code, 0)
                # The console's status lines are around the result.
                self.assertIn("0", out.splitlines())
                self.assertNotIn("1", out.splitlines())

    def test_verify_jvm_without_its_file_fails(self):
        (self.dir / "in.tag").write_text("ACTION: VERIFY_JVM\nVERIFY_JVM_HOME: x\nLOGFILE: in.log\n")
        self.assertEqual(self.launch("-vd:in", "in.tag"), (-1, ""))
        log = (self.dir / "in.log").read_text().replace("\r", "")
        self.assertIn("ERROR: TO execute the VERIFY_JVM action, you must also provide values in "
                      "the input file for VERIFY_JVM_FILE and VERIFY_JVM_HOME.\n", log)

    def test_an_input_file_ends_at_a_ctrl_z(self):
        # As files of older tools do; reading them as text ended them there.
        (self.dir / "in.tag").write_bytes(b"ACTION: NOPE\r\n\x1a")
        code, out = self.launch("-vd:in", "in.tag")
        self.assertEqual((code, out), (-1, 2 * (INVALID_ACTION + "NOPE\n")))

    def test_an_input_file_that_cannot_be_read_cannot_be_opened(self):
        # A directory, and a device that never ends.
        (self.dir / "in.tag").mkdir()
        for name in ("in.tag", native_path("/dev/zero")):
            with self.subTest(name=name):
                code, out = self.launch("-vd:in", name)
                self.assertEqual((code, out),
                                 (-1, COULD_NOT_LOAD + CANNOT_OPEN + "\n" + CANNOT_OPEN + "\n"))

    def test_input_file_syntax_error_names_the_file_as_written(self):
        (self.dir / "bad.tag").write_text("ACTION RUN_INSTRUCTIONS\n")
        code, out = self.launch("-vd:in", '"bad.tag"')
        error = 'Syntax error in "bad.tag" at line 1 ==> Missing colon at the end of the tag name.'
        self.assertEqual(code, -1)
        self.assertEqual(out, COULD_NOT_LOAD + error + "\n" + error + "\n")

    def test_input_file_without_logfile_switches_the_log_off(self):
        log = self.dir / "cmd.log"
        (self.dir / "in.tag").write_text("ACTION: NOPE\n")
        self.launch("-vd:log", native_path(log), "-vd:in", "in.tag")
        self.assertIn("Loading input file in.tag", log.read_text())
        self.assertNotIn("NOPE", log.read_text())

    def test_install_action_with_empty_destination_does_nothing(self):
        (self.dir / "in.tag").write_text("ACTION: INSTALL_JVM\nINSTALL_JVM_EXE: x.exe\n")
        self.assertEqual(self.launch("-vd:in", "in.tag"), (0, "\n"))

    def test_debug_log_records_the_start(self):
        debug = self.dir / "debug.txt"
        self.launch("-vd:version", env={"DBGWIN32ZLN": native_path(debug)})
        self.assertTrue(debug.read_text().startswith("Console Launcher Started\n"))


if __name__ == "__main__":
    unittest.main()
