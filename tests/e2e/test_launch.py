"""The Java program launched for real: a packed launcher whose script
LAUNCHes the installed JDK with TestInstaller.jar through a hand-written JVM
file (native build only; the JDK is a Linux one)."""
import os
import pathlib
import unittest

from harness import (SEPARATOR, WINDOWS, PackedRunTestCase, native_path, pack, program_name,
                     run_launcher, text, write_tag_file)

JDK = pathlib.Path("/usr/lib/jvm/java-17-openjdk-amd64")
JAR = os.environ.get("TEST_INSTALLER_JAR", "")


def tag_quoted(text):
    """A tag value in double quotes, its own double quotes doubled."""
    return '"' + text.replace('"', '""') + '"'


def argument(text):
    """A launch script function argument: quoted, its double quotes doubled."""
    return '"' + text.replace('"', '""') + '"'


@unittest.skipIf(WINDOWS, "the JDK on this machine is a Linux one")
@unittest.skipUnless((JDK / "bin" / "java").exists() and JAR, "needs the JDK and TestInstaller.jar")
class RealJavaLaunch(PackedRunTestCase):
    def launcher_for(self, auto_working_dir="1"):
        jvm = write_tag_file(self.dir / "jdk.jvm", {
            "DESC": "Real JDK",
            "JVM_HOME": str(JDK),
            "JVM_EXE": "bin/java",
            "CLASSPATH": tag_quoted("-cp "),
            "CLASSPATH_SEPARATOR": ":",
            "SYSTEM": "-D",
            "SYSTEM_SEPARATOR": "=",
        })
        command = ('"@JVM_HOME@/@JVM_EXE@" %CP%(' + argument('"' + JAR + '"') + ') "%SYSTEMPROP%('
                   + argument("from.script") + ", " + argument("@DESC@ #LAUNCH_E2E#") + ')"'
                   + " TestInstaller --property=from.script --env=JAVA_HOME")
        script = write_tag_file(self.dir / "launch.tag", {
            "COMMAND": tag_quoted(command),
            "AUTO_SET_WORKING_DIR": auto_working_dir,
        })
        instructions = write_tag_file(self.dir / "instructions.tag",
                                      {"INSTRUCTIONS": [f'LAUNCH "{jvm}" 0']})
        return pack(self.dir / program_name("setup"), [
            (instructions, "INSTRUCTIONS", 1, "instructions.tag"),
            (script, "LAUNCHSCRIPT", 2, "launch.tag"),
        ])

    def start(self, launcher, *args, cwd=None):
        """Without "-console", which would give java a console and capture nothing."""
        code, out, self.stderr = run_launcher(
            ["-vd:log", native_path(self.log), "-vd:tempdir", native_path(self.temp) + SEPARATOR,
             *args], cwd=cwd or self.dir, program=launcher)
        return code, text(out)

    def java_report(self):
        """What the Java program printed, as the log shows its standard output."""
        log = self.log_text()
        start = log.index("StdOut:\n") + len("StdOut:\n")
        return log[start:log.index("ErrOut:\n", start)]

    def test_arguments_exit_code_environment_and_directory(self):
        arguments = ["with blank", 'say "hi"', "trailing\\", 'back\\\\"quote', "",
                     "ünïcödé ß", "C:\\dir\\", "--stderr=it failed", "--exit=3"]
        os.environ.update({"LANG": "C.UTF-8", "JAVA_HOME": "/elsewhere",
                           "LAUNCH_E2E": "from env"})
        code, out = self.start(self.launcher_for(), *arguments)
        report = self.java_report()
        self.assertEqual(code, 3, out)
        expected = ["--property=from.script", "--env=JAVA_HOME"] + arguments
        self.assertIn("arguments begin\n" + "".join(a + "\n" for a in expected)
                      + "arguments end\n", report)
        self.assertIn(f"directory {self.dir}\n", report)
        self.assertIn(f"env JAVA_HOME={JDK}\n", report)
        self.assertIn("property from.script=Real JDK from env\n", report)
        # A failed run shows the Java program's standard error.
        self.assertIn("it failed\n", out)
        self.assertWorkspaceGone()

    def test_a_successful_run_in_the_current_directory(self):
        current = self.dir / "current"
        current.mkdir()
        code, out = self.start(self.launcher_for(auto_working_dir="0"), "only", cwd=current)
        self.assertEqual(code, 0, out)
        self.assertIn(f"directory {current}\n", self.java_report())
        self.assertIn(" in current working directory\n", self.log_text())
        # Progress dots, and no failure message.
        self.assertEqual(out.replace(".", "").strip(), "")


if __name__ == "__main__":
    unittest.main()
