"""Runs with the paths a careless author or a hostile user gives: long temp
directories, odd characters, blanks, relative options and planted programs."""
import os
import shutil
import time
import unittest

from harness import (EMPTY_INSTALLER, INSTALLER, SEPARATOR, PackedRunTestCase, native_path, pack,
                     program_name, run_launcher, text, write_tag_file)

INSTALL_OR_FAIL = ["INSTALL_JVM 1", "JMP0 @N1@ FAILED", "GOTO DONE", ":FAILED", "SET X1 = 1",
                   ":DONE"]


def wait_until_gone(path, seconds=90):
    """Waits for a self-removing launcher copy to remove the path."""
    deadline = time.time() + seconds
    while time.time() < deadline and path.exists():
        time.sleep(0.5)


class PathRuns(PackedRunTestCase):
    def directory_of_length(self, length):
        """A new directory whose path, as the launcher sees it, has `length` characters."""
        path = self.dir / "long"
        while len(native_path(path)) < length:
            room = length - len(native_path(path)) - 1
            # No name longer than a file system takes, and none too short to fit.
            path = path / ("d" * (room if room <= 200 else min(200, room - 2)))
        path.mkdir(parents=True)
        return path

    def test_temp_directories_of_every_length_work_or_fail_clearly(self):
        launcher = self.launcher(INSTALL_OR_FAIL, INSTALLER)
        for length in range(200, 301):
            temp = self.directory_of_length(length)
            with self.subTest(length=length):
                code, out, _ = run_launcher(
                    ["-console", "-vd:tempdir", native_path(temp) + SEPARATOR],
                    cwd=self.dir, program=launcher)
                out = text(out)
                self.assertIn(code, (0, -1), out)
                if code != 0:
                    # The system's name service or the start of the installer
                    # refuses a path too long for it.
                    self.assertRegex(out, r"(GetTempFileName|CreateProcess) failed  ==>  \S")
                self.assertEqual(os.listdir(temp), [], "nothing is left behind")
            shutil.rmtree(self.dir / "long")

    def test_a_launcher_copy_in_a_directory_with_odd_characters_removes_itself(self):
        odd = "odd ü日本 %PATH% & x"
        copy_directory = self.dir / odd
        copy_directory.mkdir()
        copy = shutil.copy(self.launcher(["INSTALL_JVM 1"]), copy_directory)
        temp = self.dir / ("temp " + odd)
        temp.mkdir()
        code, out, err = run_launcher(
            ["-console", "-vd:orig", native_path(self.dir / "orig"), "-vd:tempdir",
             native_path(temp), "-vd:version"], cwd=self.dir, program=copy)
        self.assertEqual(code, 0, err)
        self.assertIn("2.52", text(out))
        wait_until_gone(copy_directory)
        self.assertFalse(copy_directory.exists())
        self.assertEqual(os.listdir(temp), [])

    def test_the_install_action_runs_the_named_installer_not_a_planted_one(self):
        folder = self.dir / "Program Files"
        folder.mkdir()
        installer = shutil.copy(INSTALLER, folder)
        # Where the system would look first for the unquoted path.
        shutil.copy(EMPTY_INSTALLER, self.dir / program_name("Program"))
        destination = self.dir / "jre"
        destination.mkdir()
        write_tag_file(self.dir / "install.tag", {
            "ACTION": "INSTALL_JVM", "LOGFILE": native_path(self.log),
            "INSTALL_JVM_EXE": native_path(installer),
            "INSTALL_JVM_DEST": native_path(destination)})
        code, out, _ = run_launcher(["-console", "-vd:silent", "-vd:in", "install.tag"],
                                    cwd=self.dir)
        jvm = native_path(destination) + SEPARATOR + "jvm"
        self.assertEqual((code, text(out)), (0, jvm + "\n"))

    def test_a_nested_launcher_gets_the_paths_of_relative_options(self):
        inner = self.launcher(["INSTALL_JVM 1"], INSTALLER, name="inner")
        instructions = write_tag_file(self.dir / "outer.tag",
                                      {"INSTRUCTIONS": ["EXECUTE_LAUNCHER 1"]})
        outer = pack(self.dir / program_name("outer"),
                     [(instructions, "INSTRUCTIONS", 1, "outer.tag"),
                      (inner, "EMBEDDED_LAUNCHER", 7, program_name("nested"))])
        code, _, _ = run_launcher(["-console", "-vd:log", "run.log", "-vd:tempdir", "temp"],
                                  cwd=self.dir, program=outer)
        self.assertEqual(code, 0)
        deadline = time.time() + 90
        while time.time() < deadline and (os.listdir(self.temp) or not self.log.exists() or
                                          "file name: instructions.tag" not in self.log_text()):
            time.sleep(0.5)
        # The nested launcher logged into the same file and worked in the
        # same temp directory, which it left empty.
        self.assertIn("  file name: instructions.tag", self.log_text())
        self.assertNotIn("ERROR", self.log_text())
        self.assertEqual(os.listdir(self.temp), [])

    def test_the_directory_prompt_takes_a_path_with_blanks(self):
        destination = self.dir / "Program Files" / "Java"
        destination.mkdir(parents=True)
        launcher = self.launcher(["INSTALL_JVM 2", "JMP0 @N1@ FAILED", "GOTO DONE", ":FAILED",
                                  "SET X1 = 1", ":DONE"], INSTALLER)
        code, out, _ = run_launcher(
            ["-console", "-vd:tempdir", native_path(self.temp)], cwd=self.dir, program=launcher,
            stdin=(" " + native_path(destination) + " \n").encode("utf-8"))
        self.assertEqual(code, 0, text(out))
        self.assertTrue((destination / "jvm").exists())
        self.assertEqual(os.listdir(self.temp), [])


if __name__ == "__main__":
    unittest.main()
