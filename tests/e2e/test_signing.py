"""A launcher file signed as a shipped one would be: packed first, then
signed with a throw-away certificate by examples/hello/sign.sh.  The
signature's certificate table follows the payload's trailer at the end of the
file; the signed launcher still verifies, lists, extracts and runs, with
either front end."""
import os
import pathlib
import shutil
import subprocess
import tempfile
import unittest

from harness import (WINDOWS, LauncherTestCase, VirtualDisplay, exit_code, native_path, pack,
                     run, run_launcher, start, text, tree_contents, VDPACK)

VERIFY_JAR = os.environ.get("VERIFY_JAR", "")
STAND_IN_JAVA = os.environ.get("TEST_JAVA", "")
DRIVER = os.environ.get("WINDOW_DRIVER", "")
EXAMPLE = pathlib.Path(__file__).parents[2] / "examples" / "hello"
# The stand-in java ends with this code, which the launcher passes on.
JAVA_EXIT_CODE = 7


def sign(certificate, key, launcher, signed):
    """Runs the example's signing script; returns its exit code and output."""
    done = subprocess.run(["sh", EXAMPLE / "sign.sh", certificate, key, launcher, signed],
                          stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=120)
    return done.returncode, text(done.stdout)


def verify(certificate, signed):
    done = subprocess.run(["osslsigncode", "verify", "-CAfile", certificate, "-in", signed],
                          stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=120)
    return done.returncode


@unittest.skipUnless(WINDOWS, "Authenticode signs the Windows launcher")
class SignedLauncher(LauncherTestCase):
    @classmethod
    def setUpClass(cls):
        cls.keys = pathlib.Path(tempfile.mkdtemp(prefix="launcher-keys-"))
        cls.certificate = cls.keys / "certificate.pem"
        cls.key = cls.keys / "key.pem"
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout",
                        cls.key, "-out", cls.certificate, "-days", "2",
                        "-subj", "/CN=Throw-away test signer",
                        "-addext", "extendedKeyUsage=codeSigning"],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=120)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.keys, ignore_errors=True)

    def setUp(self):
        super().setUp()
        self.temp = self.dir / "temp"
        self.temp.mkdir()
        self.log = self.dir / "run.log"
        # The example's launcher file, its JVM a stand-in in the JVM home
        # next to it ("jre", a hint of its JVM file).
        home = self.dir / "jre"
        (home / "bin").mkdir(parents=True)
        shutil.copy(STAND_IN_JAVA, home / "bin" / "java.exe")
        (home / "bin" / "java.properties").write_text(
            "java.version=17.0.2\nexit.code=%d\n" % JAVA_EXIT_CODE)
        self.entries = [(EXAMPLE / "instructions.tag", "INSTRUCTIONS", 1, "instructions.tag"),
                        (EXAMPLE / "windows.jvm", "JVM", 2, "windows.jvm"),
                        (EXAMPLE / "launch.tag", "LAUNCHSCRIPT", 3, "launch.tag"),
                        (pathlib.Path(VERIFY_JAR), "VERIFY_ARCHIVE", 4, "Verify.jar"),
                        (EXAMPLE / "Hello.java", "ARCHIVE", 5, "hello.jar")]
        self.unsigned = pack(self.dir / "unsigned.exe", self.entries)
        self.signed = self.dir / "setup.exe"
        code, output = sign(self.certificate, self.key, self.unsigned, self.signed)
        self.assertEqual(code, 0, output)
        self.assertIn("Signature verification: ok", output)
        self.env = {"JAVA_HOME": "", "JDK_HOME": ""}

    def options(self):
        return ["-vd:log", native_path(self.log), "-vd:tempdir", native_path(self.temp) + "\\"]

    def assertRanJava(self):
        log = self.log.read_text(encoding="utf-8", errors="replace")
        self.assertIn('Executing launch script command: "%s" -Dhello.launcher="%s" -cp ' %
                      (native_path(self.dir / "jre" / "bin" / "java.exe"),
                       native_path(self.signed)), log)
        self.assertEqual(os.listdir(self.temp), [])

    def list_payload(self, launcher):
        code, out, err = run(VDPACK, ["list", native_path(launcher)])
        self.assertEqual(code, 0, text(err))
        return text(out).splitlines()

    def test_the_signature_follows_the_trailer_and_the_index_is_unchanged(self):
        unsigned, signed = self.list_payload(self.unsigned), self.list_payload(self.signed)
        self.assertEqual(unsigned[1], "bytes after trailer: 0")
        after = int(signed[1].split(": ")[1])
        self.assertGreater(after, 1000)
        self.assertEqual(self.signed.stat().st_size - self.unsigned.stat().st_size, after)
        self.assertEqual(signed[:1] + signed[2:], unsigned[:1] + unsigned[2:])

    def test_packing_after_signing_breaks_the_signature(self):
        repacked = pack(self.dir / "repacked.exe", self.entries[:1], stub=self.signed)
        self.assertEqual(verify(self.certificate, self.signed), 0)
        self.assertNotEqual(verify(self.certificate, repacked), 0)

    def test_a_signed_launcher_runs_on_the_console(self):
        code, out, err = run_launcher(["-console", *self.options(), "two words"],
                                      program=self.signed, cwd=self.dir, env=self.env)
        self.assertEqual(code, JAVA_EXIT_CODE, text(out) + text(err))
        lines = text(out).splitlines()
        self.assertEqual(lines[lines.index("arguments end") - 3:lines.index("arguments end")],
                         ["Hello", "-console", "two words"])
        self.assertRanJava()

    def test_a_signed_launcher_extracts_its_payload(self):
        target = self.dir / "extracted"
        target.mkdir()
        code, out, err = run_launcher(["-console", "-vd:extract"], program=self.signed,
                                      cwd=target, env=self.env)
        self.assertEqual(code, 0, text(out) + text(err))
        contents = tree_contents(target)
        self.assertEqual(sorted(contents), sorted([name for *_, name in self.entries] +
                                                  ["input.tag"]))
        for file, _, _, name in self.entries:
            self.assertEqual(contents[name], pathlib.Path(file).read_bytes(), name)

    @unittest.skipUnless(DRIVER, "the windowed front end needs the window driver")
    def test_a_signed_launcher_runs_in_its_window(self):
        display = VirtualDisplay(keeper=[DRIVER, "sleep", 3600 * 1000])
        self.addCleanup(display.close)
        process = start(self.signed, self.options(), cwd=self.dir,
                        env=dict(self.env, **display.env))
        self.addCleanup(lambda: process.poll() is None and process.kill())
        code, _ = exit_code(process, timeout=300)
        self.assertEqual(code, JAVA_EXIT_CODE)
        self.assertRanJava()


if __name__ == "__main__":
    unittest.main()
