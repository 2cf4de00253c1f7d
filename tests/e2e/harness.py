"""Runs the built launcher as a user would: the same test scripts drive the
native build directly and the Windows build under Wine.

CTest passes the programs in the environment: LAUNCHER, LAUNCHER_EMULATOR
(scripts/wine-run for the Windows build, empty otherwise), VDPACK and
LAUNCHER_SOURCE_DIR.
"""
import os
import pathlib
import shutil
import subprocess
import tempfile
import unittest

LAUNCHER = os.environ.get("LAUNCHER", "")
EMULATOR = os.environ.get("LAUNCHER_EMULATOR", "")
VDPACK = os.environ.get("VDPACK", "")
SOURCE_DIR = pathlib.Path(os.environ.get("LAUNCHER_SOURCE_DIR", pathlib.Path(__file__).parents[2]))
WINDOWS = bool(EMULATOR)
SEPARATOR = "\\" if WINDOWS else "/"


def native_path(path):
    """The path as the launcher sees it (Wine maps / to drive Z:)."""
    path = str(path)
    return "Z:" + path.replace("/", "\\") if WINDOWS else path


def command(program, args):
    return ([EMULATOR] if EMULATOR else []) + [str(program)] + [str(a) for a in args]


def run(program, args, cwd=None, env=None, stdin=b"", timeout=120):
    """Runs a program of the build; returns (exit code as a signed byte, stdout, stderr)."""
    environment = dict(os.environ)
    environment.update(env or {})
    result = subprocess.run(command(program, args), cwd=cwd, env=environment, input=stdin,
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=timeout)
    code = result.returncode & 0xFF
    return (code - 256 if code > 127 else code), result.stdout, result.stderr


def run_launcher(args, **kwargs):
    return run(LAUNCHER, args, **kwargs)


def text(output):
    """Decoded output with the platform's line ends folded to \\n."""
    return output.decode("utf-8").replace("\r\n", "\n")


class LauncherTestCase(unittest.TestCase):
    """A test with a scratch directory of its own."""

    def setUp(self):
        self.dir = pathlib.Path(tempfile.mkdtemp(prefix="launcher-e2e-"))
        self.addCleanup(shutil.rmtree, self.dir, ignore_errors=True)
