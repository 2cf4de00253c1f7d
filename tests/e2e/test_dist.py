"""The release archive as a user gets it: made by scripts/make-dist.sh from
the Windows build under test and the native build beside it, unpacked into an
empty directory, its example built there with only what the archive holds,
then run natively with this machine's JDK 17 and under Wine with a stand-in
java."""
import os
import pathlib
import re
import shutil
import subprocess
import tarfile
import tempfile
import unittest

from harness import LAUNCHER, SOURCE_DIR, WINDOWS, native_path, run, text

STAND_IN_JAVA = os.environ.get("TEST_JAVA", "")
NATIVE_BUILD = pathlib.Path(os.environ.get("DIST_NATIVE_BUILD", SOURCE_DIR / "build" / "native"))
VERSION = re.search(r"project\(launcher VERSION ([0-9.]+)",
                    (SOURCE_DIR / "CMakeLists.txt").read_text()).group(1)
NAME = "launcher-" + VERSION
SHIPPED = ["README.md", "docs/authoring.md", "docs/vdpack.md", "bin/launcher.exe",
           "bin/launcher-admin.exe", "bin/vdpack.exe", "bin/launcher", "bin/vdpack",
           "lib/Verify.jar"]


def jdk17():
    """A JDK 17 home of this machine, or None."""
    for home in sorted(pathlib.Path("/usr/lib/jvm").glob("*")):
        release = home / "release"
        if (home / "bin" / "javac").is_file() and release.is_file() and \
                re.search(r'^JAVA_VERSION="17[."]', release.read_text(), re.MULTILINE):
            return home.resolve()
    return None


def source_files(folder):
    """The files of a source folder, relative to the source tree."""
    return sorted(str(path.relative_to(SOURCE_DIR)) for path in (SOURCE_DIR / folder).rglob("*")
                  if path.is_file() and "out" not in path.relative_to(SOURCE_DIR).parts)


@unittest.skipUnless(WINDOWS, "the archive holds both builds; its test runs with the Windows one")
class ReleaseArchive(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        if not (NATIVE_BUILD / "tools" / "vdpack").is_file():
            raise AssertionError(f"the archive needs the native build too: {NATIVE_BUILD}")
        cls.dir = pathlib.Path(tempfile.mkdtemp(prefix="launcher-dist-"))
        windows_build = pathlib.Path(LAUNCHER).parents[1]
        made = subprocess.run(["sh", SOURCE_DIR / "scripts" / "make-dist.sh", windows_build,
                               NATIVE_BUILD, cls.dir / "dist"], stdout=subprocess.PIPE,
                              stderr=subprocess.PIPE, timeout=120)
        if made.returncode != 0:
            shutil.rmtree(cls.dir)
            raise AssertionError(made.stderr.decode(errors="replace"))
        cls.archive = pathlib.Path(made.stdout.decode().strip())
        # An empty directory, as on a machine that has nothing but the archive.
        cls.fresh = cls.dir / "fresh"
        cls.fresh.mkdir()
        with tarfile.open(cls.archive) as archive:
            archive.extractall(cls.fresh)
        cls.top = cls.fresh / NAME
        cls.example = cls.top / "examples" / "hello"
        built = subprocess.run(["sh", cls.example / "build.sh"], stdout=subprocess.PIPE,
                               stderr=subprocess.STDOUT, timeout=300)
        cls.build_output = text(built.stdout)
        cls.build_code = built.returncode

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.dir, ignore_errors=True)

    def setUp(self):
        self.assertEqual(self.build_code, 0, self.build_output)
        self.temp = pathlib.Path(tempfile.mkdtemp(prefix="temp-", dir=self.dir))
        self.log = self.temp.with_suffix(".log")

    def run_example(self, program, env):
        """Runs a launcher file of the example, the Windows one under Wine;
        returns its output lines."""
        args = ["-console", "-vd:log", self.log, "-vd:tempdir", self.temp, "two words",
                'a "quoted" word']
        if program.suffix == ".exe":
            args = [native_path(arg) if isinstance(arg, pathlib.Path) else arg for arg in args]
            args[4] += "\\"
            code, out, err = run(program, args, cwd=self.example, env=env, timeout=300)
        else:
            args[4] = str(args[4]) + "/"
            done = subprocess.run([program, *args], cwd=self.example, env=dict(os.environ, **env),
                                  stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=300)
            code, out, err = done.returncode, done.stdout, done.stderr
        log = self.log.read_text(encoding="utf-8", errors="replace") if self.log.exists() else ""
        self.assertEqual(code, 0, text(out) + text(err) + log)
        self.assertEqual(os.listdir(self.temp), [])
        # The program's first line follows the progress dots of the search.
        return [line.lstrip(".") for line in text(out).splitlines() if line]

    def test_the_archive_holds_its_files_with_their_checksums(self):
        checked = subprocess.run(["sha256sum", "-c", self.archive.name + ".sha256"],
                                 cwd=self.archive.parent, stdout=subprocess.PIPE, timeout=60)
        self.assertEqual(checked.returncode, 0, checked.stdout)
        with tarfile.open(self.archive) as archive:
            names = {member.name[len(NAME) + 1:] for member in archive.getmembers()
                     if member.isfile()}
        ready = SOURCE_DIR / "resources" / "jvm"
        jvm_files = ["jvm/" + str(path.relative_to(ready))
                     for path in [*ready.glob("*.jvm"), *ready.glob("linux/*.jvm"),
                                  *ready.glob("README.md")]]
        examples = source_files("examples")
        self.assertTrue(examples)
        self.assertEqual(names, set(SHIPPED + jvm_files + examples + ["SHA256SUMS"]))
        # Every file but the list itself, each with its checksum.
        listed = (self.top / "SHA256SUMS").read_text().splitlines()
        self.assertEqual(sorted(line.split("  ", 1)[1] for line in listed),
                         sorted(names - {"SHA256SUMS"}))
        checked = subprocess.run(["sha256sum", "--strict", "-c", "SHA256SUMS"], cwd=self.top,
                                 stdout=subprocess.PIPE, timeout=60)
        self.assertEqual(checked.returncode, 0, checked.stdout)

    def test_the_administrator_stub_asks_for_administrator_rights(self):
        self.assertIn(b'level="requireAdministrator"', (self.top / "bin" / "launcher-admin.exe").read_bytes())
        self.assertIn(b'level="asInvoker"', (self.top / "bin" / "launcher.exe").read_bytes())

    def test_the_example_runs_natively_with_this_machines_jdk_17(self):
        home = jdk17()
        if home is None:
            self.skipTest("this machine has no JDK 17")
        program = self.example / "out" / "hello"
        lines = self.run_example(program, {"JAVA_HOME": str(home), "JDK_HOME": ""})
        greeting = [line for line in lines if line.startswith("Hello from Java ")]
        self.assertRegex(greeting[0], r"^Hello from Java 17\b")
        # The launcher passes "-console" on to the Java program.
        self.assertEqual(lines[lines.index(greeting[0]) + 1:], [
            "launcher: " + str(program), "argument: -console", "argument: two words",
            'argument: a "quoted" word'])

    def test_the_example_runs_under_wine_with_a_stand_in_java(self):
        home = self.dir / "stand-in jvm"
        (home / "bin").mkdir(parents=True, exist_ok=True)
        shutil.copy(STAND_IN_JAVA, home / "bin" / "java.exe")
        (home / "bin" / "java.properties").write_text("java.version=17.0.2\n")
        program = self.example / "out" / "hello.exe"
        lines = self.run_example(program, {"JAVA_HOME": native_path(home), "JDK_HOME": ""})
        echoed = lines[lines.index("arguments begin") + 1:lines.index("arguments end")]
        self.assertEqual(echoed[:2], ["-Dhello.launcher=" + native_path(program), "-cp"])
        self.assertRegex(echoed[2], r"^;.*\\hello\.jar;$")
        self.assertEqual(echoed[3:], ["Hello", "-console", "two words", 'a "quoted" word'])

    def test_the_windows_vdpack_builds_the_same_launcher_file(self):
        copy = self.example / "out" / "hello-from-vdpack-exe.exe"
        code, out, err = run(self.top / "bin" / "vdpack.exe",
                             ["build", "--manifest", native_path(self.example / "hello.vdpack"),
                              "--output", native_path(copy)])
        self.assertEqual(code, 0, text(err))
        self.assertEqual(copy.read_bytes(), (self.example / "out" / "hello.exe").read_bytes())


if __name__ == "__main__":
    unittest.main()
