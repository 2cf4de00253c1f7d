"""A Wine session whose drives a drive scan may walk: C: (the prefix's own
small drive_c) and D:, a directory of the test's own, are fixed drives, and
Z:, which shows the whole Linux file system, is a CD-ROM drive, so a scan
passes it over while programs of the build tree still run from it."""
import fcntl
import os
import pathlib
import shutil
import subprocess
import tempfile
import time

from harness import EMULATOR, SOURCE_DIR, WINESERVER


def _quiet(args, env, timeout=300):
    subprocess.run(args, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                   timeout=timeout, check=True)


class DriveScanPrefix:
    """A Wine prefix kept for drive scans, next to the build's own prefix,
    with drive D: showing `tree`.  One test program at a time holds it (a
    file lock), since CTest runs test programs in parallel; its server stays
    up until `close`, so that no service that a later program would start
    again holds an earlier program's output pipes open."""

    def __init__(self, tree):
        default = pathlib.Path(os.environ.get("WINEPREFIX", SOURCE_DIR / "build" / "wineprefix"))
        self.prefix = default.parent / (default.name + "-drives")
        self.env = dict(os.environ, WINEPREFIX=str(self.prefix))
        self.drive = self.prefix / "dosdevices" / "d:"
        self._lock = open(str(self.prefix) + ".lock", "w")
        fcntl.flock(self._lock, fcntl.LOCK_EX)
        try:
            self._prepare(tree)
        except BaseException:
            self._lock.close()
            raise

    def _prepare(self, tree):
        subprocess.run([WINESERVER, "-k"], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        ready = self.prefix / "drive-types-set"
        if not ready.exists():
            _quiet([EMULATOR, "wineboot", "--init"], self.env)
            drives = "HKLM\\Software\\Wine\\Drives"
            _quiet([EMULATOR, "reg", "add", drives, "/v", "z:", "/d", "cdrom", "/f"], self.env)
            _quiet([EMULATOR, "reg", "add", drives, "/v", "d:", "/d", "hd", "/f"], self.env)
            # The drive types are read when the session starts.
            _quiet([WINESERVER, "-k"], self.env)
            _quiet([WINESERVER, "-w"], self.env)
            ready.touch()
        if self.drive.is_symlink():
            self.drive.unlink()
        self.drive.symlink_to(tree)
        _quiet([WINESERVER, "-p"], self.env)
        # The session's services start now, holding none of a test's pipes.
        _quiet([EMULATOR, "wineboot", "--init"], self.env)

    def reg(self, *args):
        """Runs the registry tool in this session; returns its exit code."""
        return subprocess.run([EMULATOR, "reg", *args], env=self.env, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL, timeout=120).returncode

    def import_registry(self, script, view):
        """Imports a registry script into a registry view ("32", "64");
        returns the registry tool's exit code and output.  A failed import
        is tried once more: now and then Wine's tool fails on a script that
        it imports the next time (seen once in a new prefix, not since)."""
        for attempt in range(2):
            done = subprocess.run([EMULATOR, "reg", "import", script, "/reg:" + view],
                                  env=self.env, stdout=subprocess.PIPE,
                                  stderr=subprocess.STDOUT, timeout=120)
            if done.returncode == 0:
                break
            time.sleep(1)
        return done.returncode, done.stdout.decode(errors="replace")

    def close(self):
        subprocess.run([WINESERVER, "-k"], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        if self.drive.is_symlink():
            self.drive.unlink()
        self._lock.close()


_module_prefix = None


def open_for_module():
    """A drive-scan session for a test module, with a new directory as drive
    D: (`tree`); every Wine program of the module, vdpack included, runs in
    it.  `close_for_module` ends it and removes the directory."""
    tree = pathlib.Path(tempfile.mkdtemp(prefix="launcher-drive-d-"))
    prefix = DriveScanPrefix(tree)
    prefix.tree = tree
    os.environ["WINEPREFIX"] = str(prefix.prefix)
    global _module_prefix
    _module_prefix = prefix
    return prefix


def close_for_module(prefix):
    if prefix:
        prefix.close()
        shutil.rmtree(prefix.tree, ignore_errors=True)


class OwnDirectoryOnD:
    """A test case mixin: each test gets a directory of its own on drive D:
    of the module's session, `tree`, which the drive scan walks."""

    def setUp(self):
        super().setUp()
        self.name = self.id().rsplit(".", 1)[-1][len("test_"):][:30]
        self.tree = _module_prefix.tree / self.name
        self.tree.mkdir()
        self.addCleanup(shutil.rmtree, self.tree, ignore_errors=True)

    def on_d(self, relative):
        """A path in this test's directory on drive D:."""
        return f"D:\\{self.name}\\{relative}"
