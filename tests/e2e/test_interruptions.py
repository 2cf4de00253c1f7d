"""A launcher that is ended from outside in the middle of a run removes its
workspace first: POSIX signals and a closed output pipe natively, the
console's Ctrl+Break and Ctrl+C under Wine."""
import os
import pathlib
import signal
import subprocess
import time
import unittest

from harness import (WINDOWS, LauncherTestCase, command, native_path, pack, program_name, text,
                     write_tag_file)

INSTALLER = os.environ.get("TEST_JVM_INSTALLER", "")
CONSOLE_EVENT = os.environ.get("TEST_CONSOLE_EVENT", "")
# Long enough for any interruption to come while the installer runs.
LINGER_MILLISECONDS = 60000
STATUS_CONTROL_C_EXIT = 0xC000013A


def reset_interruptions():
    """Lets the launcher find the signals handled as in a fresh process,
    whatever the test runner ignores."""
    for number in (signal.SIGINT, signal.SIGHUP, signal.SIGTERM):
        signal.signal(number, signal.SIG_DFL)


def kill_quietly(pid):
    try:
        os.kill(pid, signal.SIGKILL)
    except ProcessLookupError:
        pass


class Interruptions(LauncherTestCase):
    def setUp(self):
        super().setUp()
        self.temp = self.dir / "temp"
        self.temp.mkdir()
        # The script fails after the installation, so that the launcher
        # still writes its message to standard output at the end.
        instructions = write_tag_file(self.dir / "instructions.tag",
                                      {"INSTRUCTIONS": ["INSTALL_JVM 1", "SET X1 = 1"]})
        self.launcher = pack(self.dir / program_name("setup"),
                             [(instructions, "INSTRUCTIONS", 1, "instructions.tag"),
                              (INSTALLER, "JVM_INSTALLER", 2, program_name("jvm_installer"))])
        self.options = ["-console", "-vd:tempdir",
                        native_path(self.temp) + ("\\" if WINDOWS else "/")]

    def start(self, linger):
        environment = dict(os.environ, TEST_INSTALLER_LINGER=str(linger))
        return subprocess.Popen(command(self.launcher, self.options), cwd=self.dir,
                                env=environment, stdout=subprocess.PIPE,
                                stderr=subprocess.DEVNULL, preexec_fn=reset_interruptions)

    def running_installer(self, starter):
        """Waits until the launcher runs its JVM installer from its workspace
        (under Wine too, a process of this machine); returns its process id,
        or None when the starting process ended first.  The test ends the
        installer at its end."""
        workspace = native_path(self.temp)
        deadline = time.time() + 60
        while time.time() < deadline and starter.poll() is None:
            for process in pathlib.Path("/proc").iterdir():
                try:
                    arguments = (process / "cmdline").read_bytes().decode(errors="replace")
                except OSError:
                    continue
                if workspace in arguments and "jvm_installer" in arguments:
                    self.addCleanup(kill_quietly, int(process.name))
                    return int(process.name)
            time.sleep(0.05)
        if starter.poll() is None:
            self.fail("the launcher never started its JVM installer")
        return None

    def assertEnded(self, pid):
        """The process is gone, or only waits to be collected."""
        deadline = time.time() + 10
        while time.time() < deadline:
            try:
                state = pathlib.Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()[0]
            except OSError:
                return
            if state in ("Z", "X"):
                return
            time.sleep(0.05)
        self.fail(f"process {pid} still runs")

    def assertWorkspaceGone(self):
        self.assertEqual(sorted(os.listdir(self.temp)), [])

    @unittest.skipIf(WINDOWS, "POSIX signals")
    def test_a_signal_removes_the_workspace_and_ends_the_launcher_as_it_would(self):
        for number in (signal.SIGTERM, signal.SIGHUP, signal.SIGINT):
            with self.subTest(signal=number.name):
                launcher = self.start(LINGER_MILLISECONDS)
                installer = self.running_installer(launcher)
                launcher.send_signal(number)
                launcher.communicate(timeout=60)
                self.assertEqual(launcher.returncode, -number)
                self.assertWorkspaceGone()
                self.assertEnded(installer)

    @unittest.skipIf(WINDOWS, "POSIX pipes")
    def test_a_closed_output_pipe_is_a_write_failure_not_an_end(self):
        launcher = self.start(1000)
        self.running_installer(launcher)
        launcher.stdout.close()  # the next progress dot goes nowhere
        self.assertEqual(launcher.wait(timeout=60), 255)  # the script's failure, -1
        self.assertWorkspaceGone()

    @unittest.skipUnless(WINDOWS, "Windows console events")
    def test_a_console_event_removes_the_workspace_and_ends_the_launcher_as_it_would(self):
        command_line = subprocess.list2cmdline([native_path(self.launcher), *self.options])
        environment = dict(os.environ, TEST_INSTALLER_LINGER=str(LINGER_MILLISECONDS))
        for event in ("c", "break"):
            with self.subTest(event=event):
                go = self.dir / ("go-" + event)
                sender = subprocess.Popen(
                    command(CONSOLE_EVENT, [event, native_path(go), command_line]), cwd=self.dir,
                    env=environment, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
                installer = self.running_installer(sender)
                if installer is None:
                    out, err = sender.communicate()
                    if sender.returncode == 2:
                        self.skipTest("the system does not send it: " + text(err))
                    self.fail(text(out + err))
                go.write_text("")
                out, err = sender.communicate(timeout=120)
                self.assertEqual((sender.returncode, text(out)[-9:]),
                                 (0, f"{STATUS_CONTROL_C_EXIT:X}\n"), text(err))
                self.assertWorkspaceGone()
                self.assertEnded(installer)


if __name__ == "__main__":
    unittest.main()
