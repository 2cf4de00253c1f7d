"""Runs the built launcher as a user would: the same test scripts drive the
native build directly and the Windows build under Wine.

CTest passes the programs in the environment: LAUNCHER, LAUNCHER_EMULATOR
(scripts/wine-run for the Windows build, empty otherwise), VDPACK and
LAUNCHER_SOURCE_DIR.
"""
import fcntl
import os
import pathlib
import shutil
import struct
import subprocess
import tempfile
import unittest

LAUNCHER = os.environ.get("LAUNCHER", "")
EMULATOR = os.environ.get("LAUNCHER_EMULATOR", "")
VDPACK = os.environ.get("VDPACK", "")
SOURCE_DIR = pathlib.Path(os.environ.get("LAUNCHER_SOURCE_DIR", pathlib.Path(__file__).parents[2]))
INSTALLER = os.environ.get("TEST_JVM_INSTALLER", "")
EMPTY_INSTALLER = os.environ.get("TEST_EMPTY_JVM_INSTALLER", "")
WINDOWS = bool(EMULATOR)
WINESERVER = shutil.which("wineserver") or "/usr/lib/wine/wineserver"
SEPARATOR = "\\" if WINDOWS else "/"


def native_path(path):
    """The path as the launcher sees it (Wine maps / to drive Z:)."""
    path = str(path)
    return "Z:" + path.replace("/", "\\") if WINDOWS else path


def command(program, args):
    return ([EMULATOR] if EMULATOR else []) + [str(program)] + [str(a) for a in args]


def run(program, args, cwd=None, env=None, stdin=b"", timeout=60):
    """Runs a program of the build; returns (exit code as a signed byte, stdout, stderr).

    Under Wine a process now and then hangs while a new Wine session starts
    up; such a run is tried once more."""
    environment = dict(os.environ)
    environment.update(env or {})
    for attempt in (1, 2):
        try:
            result = subprocess.run(command(program, args), cwd=cwd, env=environment, input=stdin,
                                    stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                    timeout=timeout)
            break
        except subprocess.TimeoutExpired:
            if not WINDOWS or attempt == 2:
                raise
    code = result.returncode & 0xFF
    return (code - 256 if code > 127 else code), result.stdout, result.stderr


def run_launcher(args, program=None, **kwargs):
    return run(program or LAUNCHER, args, **kwargs)


def text(output):
    """Decoded output with the platform's line ends folded to \\n."""
    return output.decode("utf-8").replace("\r\n", "\n")


class LauncherTestCase(unittest.TestCase):
    """A test with a scratch directory of its own."""

    def setUp(self):
        self.dir = pathlib.Path(tempfile.mkdtemp(prefix="launcher-e2e-"))
        self.addCleanup(shutil.rmtree, self.dir, ignore_errors=True)


def program_name(base):
    """A program's file name on the tested system."""
    return base + ".exe" if WINDOWS else base


def write_tag_file(path, tags):
    """Writes a tag file: a list value becomes a multi-line tag."""
    lines = []
    for name, value in tags.items():
        if isinstance(value, list):
            lines += [f"{name}:"] + [f"  {item}" for item in value] + ["/:"]
        else:
            lines.append(f"{name}: {value}")
    pathlib.Path(path).write_text("\n".join(lines) + "\n", encoding="utf-8")
    return path


def pack(output, entries, stub=None, kind=0):
    """Builds a launcher file with vdpack; entries are (file, type, id, name)."""
    args = ["build", "--stub", native_path(stub or LAUNCHER), "--output", native_path(output),
            "--kind", kind]
    for file, kind_name, file_id, name in entries:
        args += ["--file", native_path(file), "--type", kind_name, "--id", file_id, "--name", name]
    code, out, err = run(VDPACK, args)
    if code != 0:
        raise AssertionError(f"vdpack failed: {err.decode(errors='replace')}")
    return output


class PackedRunTestCase(LauncherTestCase):
    """Runs of packed launchers, each with a temp directory and a log file of its own."""

    def setUp(self):
        super().setUp()
        self.temp = self.dir / "temp"
        self.temp.mkdir()
        self.log = self.dir / "run.log"

    def launcher(self, script, installer=None, name="setup"):
        """A launcher file carrying the script and, if given, a JVM installer."""
        instructions = write_tag_file(self.dir / "instructions.tag", {"INSTRUCTIONS": script})
        entries = [(instructions, "INSTRUCTIONS", 1, "instructions.tag")]
        if installer:
            entries.append((installer, "JVM_INSTALLER", 2, program_name("jvm_installer")))
        return pack(self.dir / program_name(name), entries)

    def start(self, launcher, *args, cwd=None, stdin=b""):
        code, out, self.stderr = run_launcher(
            ["-console", "-vd:log", native_path(self.log), "-vd:tempdir",
             native_path(self.temp) + SEPARATOR,
             *args], cwd=cwd or self.dir, program=launcher, stdin=stdin)
        return code, text(out)

    def log_text(self):
        return self.log.read_text(encoding="utf-8").replace("\r", "")

    def assertWorkspaceGone(self):
        self.assertEqual(sorted(os.listdir(self.temp)), [])


def pack_unchecked(output, entries, stub=None):
    """Writes a launcher file byte by byte, without vdpack's checks, so that it
    may hold what vdpack refuses.  Entries are (bytes, type number, id, name),
    or with a fifth item (offset, length) that the index gives instead of the
    bytes' own place."""
    body = pathlib.Path(stub or LAUNCHER).read_bytes()
    index = struct.pack(">i", len(entries))
    for entry in entries:
        content, file_type, file_id, name = entry[:4]
        place = (len(body), len(content))
        body += content
        offset, length = entry[4] if len(entry) > 4 else place
        stored = name.encode("utf-8")
        index += struct.pack(">BiIiH", file_type, file_id, length & 0xFFFFFFFF, offset,
                             len(stored)) + stored + b"\0"
    data = body + index + struct.pack(">BiI", 0, len(body), 0xCA82CA82)
    pathlib.Path(output).write_bytes(data)
    pathlib.Path(output).chmod(0o755)
    return output


def tree_contents(directory):
    """Every file and directory under a directory: a file's bytes, None for a
    directory, by path relative to it."""
    directory = pathlib.Path(directory)
    return {str(path.relative_to(directory)): None if path.is_dir() else path.read_bytes()
            for path in sorted(directory.rglob("*"))}


class VirtualDisplay:
    """An X server of a test's own (Xvfb on a free display number), for the
    windows of the Windows build under Wine.  `env` runs Wine programs on it,
    in a Wine prefix kept for windowed tests: a Wine session whose desktop was
    started without a display (as the other tests start it) cannot show
    windows anywhere."""

    def __init__(self, size="1024x768", keeper=None):
        read, write = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", size + "x24", "-nolisten", "tcp"],
            pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read, "rb") as pipe:
            number = pipe.readline().strip().decode()
        if not number:
            self.process.kill()
            raise AssertionError("Xvfb did not start")
        self.name = ":" + number
        self.env = {"DISPLAY": self.name}
        if WINDOWS:
            prefix = pathlib.Path(os.environ.get("WINEPREFIX", SOURCE_DIR / "build" / "wineprefix"))
            windowed = prefix.parent / (prefix.name + "-windows")
            self.env["WINEPREFIX"] = str(windowed)
            # One display at a time has the prefix, from here to `close`: the
            # session below is started anew for this display, which ends any
            # other display's session and the programs running in it.
            self._lock = open(str(windowed) + ".lock", "w")
            fcntl.flock(self._lock, fcntl.LOCK_EX)
            # A session of its own, whose desktop shows on this display.
            # Its server stays up between programs: a server that ended
            # with the last program would be started again by the next
            # one, together with the session's services, which would then
            # hold that program's output pipes open long after it ended.
            subprocess.run([WINESERVER, "-k"], env=dict(os.environ, **self.env),
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            subprocess.run([WINESERVER, "-p"], env=dict(os.environ, **self.env),
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            subprocess.run([EMULATOR, "wineboot", "--init"], env=dict(os.environ, **self.env),
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300)
        # The session's desktop process is started by the first program that
        # needs it and inherits that program's standard error; it ends when
        # the last program on the desktop has ended.  A program of the build
        # that stays on the desktop for the whole test (`keeper`, started
        # without pipes) starts it, so that no later program's output stays
        # open in it.
        self.keeper = None
        if WINDOWS and keeper:
            self.keeper = subprocess.Popen(
                [EMULATOR, *(str(part) for part in keeper)], env=dict(os.environ, **self.env), stdin=subprocess.DEVNULL,
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def close(self):
        if WINDOWS:
            subprocess.run([WINESERVER, "-k"], env=dict(os.environ, **self.env),
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if self.keeper:
            self.keeper.wait()
        self.process.terminate()
        self.process.wait()
        if WINDOWS:
            self._lock.close()


def start(program, args, cwd=None, env=None):
    """Starts a program of the build without waiting for it; its output is
    captured."""
    environment = dict(os.environ)
    environment.update(env or {})
    return subprocess.Popen(command(program, args), cwd=cwd, env=environment,
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE)


def exit_code(process, timeout=60):
    """Waits for a started program; returns (exit code as a signed byte, stdout)."""
    out, _ = process.communicate(timeout=timeout)
    code = process.returncode & 0xFF
    return (code - 256 if code > 127 else code), out
