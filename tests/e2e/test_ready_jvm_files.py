"""The ready JVM files of resources/jvm, as a calling program uses them (the
input file's SEARCH and VERIFY_JVM actions).

Windows build: each file finds stand-in JVMs (tests/programs/test_java.cpp)
registered in a Wine session's registry the way that vendor's installer
registers its builds, in both registry views, and takes the newest one it
accepts, past another vendor's and a too old one.  Native build: the Linux
files tell the vendors' JVMs apart (stand-ins), and find what this machine has
under /usr/lib/jvm."""
import os
import pathlib
import shutil
import unittest
from collections import namedtuple

from harness import (SOURCE_DIR, WINDOWS, PackedRunTestCase, native_path, run_launcher, text,
                     write_tag_file)
import wine_drives
from test_jvm_search import install_jvm, verify_archive

READY = SOURCE_DIR / "resources" / "jvm"
LINUX_READY = READY / "linux"
VERIFY_JAR = os.environ.get("VERIFY_JAR", "")
JVM_ROOT = pathlib.Path("/usr/lib/jvm")
TEMURIN_25 = JVM_ROOT / "temurin-25-jdk-amd64"
PREFIX = None

# What each vendor's java reports beside its version.  Temurin 8 names
# itself otherwise than Temurin 11 and newer; Oracle's OpenJDK builds share
# the vendor name of Oracle's own Java.
VENDORS = {
    "temurin": {"java.vendor": "Eclipse Adoptium", "java.vendor.url": "https://adoptium.net/",
                "java.runtime.name": "OpenJDK Runtime Environment"},
    "temurin 8": {"java.vendor": "Temurin", "java.vendor.url": "https://adoptium.net/",
                  "java.runtime.name": "OpenJDK Runtime Environment"},
    "zulu": {"java.vendor": "Azul Systems, Inc.", "java.vendor.url": "http://www.azul.com/",
             "java.runtime.name": "OpenJDK Runtime Environment"},
    "corretto": {"java.vendor": "Amazon.com Inc.",
                 "java.vendor.url": "https://aws.amazon.com/corretto/",
                 "java.runtime.name": "OpenJDK Runtime Environment"},
    "microsoft": {"java.vendor": "Microsoft", "java.vendor.url": "https://www.microsoft.com",
                  "java.runtime.name": "OpenJDK Runtime Environment"},
    "oracle": {"java.vendor": "Oracle Corporation", "java.vendor.url": "https://java.oracle.com/",
               "java.runtime.name": "Java(TM) SE Runtime Environment"},
    "oracle openjdk": {"java.vendor": "Oracle Corporation",
                       "java.vendor.url": "https://java.oracle.com/",
                       "java.runtime.name": "OpenJDK Runtime Environment"},
    "debian": {"java.vendor": "Debian", "java.vendor.url": "https://tracker.debian.org/openjdk-17",
               "java.runtime.name": "OpenJDK Runtime Environment"},
}


def jvm(vendor, version):
    """The properties of a stand-in JVM of a vendor and a version ("17.0.12",
    "1.8.0_412")."""
    return dict(VENDORS[vendor], **{"java.version": version})


def setUpModule():
    global PREFIX
    # The files' environment hints must see only what a test gives them.
    for name in ("JAVA_HOME", "JDK_HOME"):
        os.environ.pop(name, None)
    if not WINDOWS:
        return
    PREFIX = wine_drives.open_for_module()


def tearDownModule():
    wine_drives.close_for_module(PREFIX)


class ReadyFileTestCase(PackedRunTestCase):
    # The environment of the launcher's runs, beside the tests' own, and
    # the archive of the verification class: a real one for real JVMs; any
    # file does for the stand-ins.
    env = None
    verify_classpath = None

    def action(self, action, **tags):
        """Runs an input-file action, silent as a calling program runs it;
        returns (exit code, output lines)."""
        classpath = self.verify_classpath or verify_archive(self.dir)
        write_tag_file(self.dir / "in.tag", dict(
            {"ACTION": action, "LOGFILE": native_path(self.log),
             "VERIFY_CLASSPATH": '"""%s"""' % native_path(classpath),
             "VERIFY_CLASS_NAME": "Verify"}, **tags))
        code, out, _ = run_launcher(
            ["-console", "-vd:silent", "-vd:log", native_path(self.log), "-vd:tempdir",
             native_path(self.temp) + ("\\" if WINDOWS else "/"), "-vd:in", "in.tag"],
            cwd=self.dir, env=self.env, timeout=300)
        return code, [line for line in text(out).split("\n") if line]

    def search(self, jvm_file):
        """SEARCH with one ready JVM file: the found home (without a trailing
        separator) or None.  The JVM file written for it is removed."""
        code, lines = self.action("SEARCH", JVM=[native_path(jvm_file)])
        self.assertEqual(code, 0, lines)
        if lines == ["0"]:
            return None
        self.assertEqual((len(lines), lines[0]), (3, "1"), lines)
        written = self.temp / lines[2].replace("\\", "/").rsplit("/", 1)[-1]
        self.assertIn("JVM_HOME:", written.read_text(encoding="utf-8"))
        written.unlink()
        self.assertWorkspaceGone()
        return lines[1].rstrip("\\/")


# A registry value that a vendor's installer writes: under `base` (the key
# the test removes afterwards, in both views), the subkey path `subkey` and
# the value `value`, in the 64-bit or 32-bit view; it names the home of a
# stand-in JVM that answers the properties `jvm`, or a home that is gone
# (jvm None).
Registration = namedtuple("Registration", "base subkey value view jvm")


def full_key(key):
    """A key path with its hive named in full, as registry scripts name it."""
    hive, _, rest = key.partition("\\")
    return {"HKLM": "HKEY_LOCAL_MACHINE", "HKCU": "HKEY_CURRENT_USER"}.get(hive, hive) + "\\" + rest


ADOPTIUM_JDK = r"HKLM\SOFTWARE\Eclipse Adoptium\JDK"
ADOPTIUM_JRE = r"HKLM\SOFTWARE\Eclipse Adoptium\JRE"
ADOPTIUM_JDK_FOR_USER = r"HKCU\SOFTWARE\Eclipse Adoptium\JDK"
MICROSOFT_JDK = r"HKLM\SOFTWARE\Microsoft\JDK"
ZULU = r"HKLM\SOFTWARE\Azul Systems"
JAVASOFT = r"HKLM\SOFTWARE\JavaSoft"


def msi(base, version, view, jvm):
    """The key of the MSI installer of Temurin and Microsoft."""
    return Registration(base, version + r"\hotspot\MSI", "Path", view, jvm)


def zulu(subkey, view, jvm):
    return Registration(ZULU, subkey, "InstallationPath", view, jvm)


def javasoft(subkey, view, jvm):
    """The keys that Oracle's installers write, and others' on request."""
    return Registration(JAVASOFT, subkey, "JavaHome", view, jvm)


# For each Windows file: what the installers registered, the environment
# (variable: index of the registration whose home it names), the index of
# the registration whose home the file must find (None: nothing), and the
# homes it must have tried and refused before.
WindowsCase = namedtuple("WindowsCase", "file registrations environment found refused")
WINDOWS_CASES = [
    # Both views: the 64-bit one first, newest version first in each.
    WindowsCase("temurin-jdk.jvm", [
        msi(ADOPTIUM_JDK, "21.0.4.7", "64", jvm("zulu", "21.0.4")),
        msi(ADOPTIUM_JDK, "11.0.24.8", "64", None),
        msi(ADOPTIUM_JDK, "17.0.12.7", "32", jvm("temurin", "17.0.12")),
        msi(ADOPTIUM_JDK, "8.0.422.5", "32", jvm("temurin 8", "1.8.0_422")),
        msi(ADOPTIUM_JRE, "22.0.2.9", "64", jvm("temurin", "22.0.2")),
    ], {}, 2, [0]),
    # Installed for one user.
    WindowsCase("temurin-jdk.jvm", [
        msi(ADOPTIUM_JDK_FOR_USER, "21.0.4.7", "64", jvm("temurin", "21.0.4")),
    ], {}, 0, []),
    # Temurin 8 names itself "Temurin"; a JDK's key is not the JRE's.
    WindowsCase("temurin-jre.jvm", [
        msi(ADOPTIUM_JRE, "8.0.422.5", "64", jvm("temurin 8", "1.8.0_422")),
        msi(ADOPTIUM_JRE, "21.0.4.7", "32", None),
        msi(ADOPTIUM_JDK, "22.0.2.9", "64", jvm("temurin", "22.0.2")),
    ], {}, 0, []),
    WindowsCase("zulu.jvm", [
        zulu(r"Zulu\zulu-21", "64", jvm("corretto", "21.0.4")),
        zulu(r"Zulu\zulu-17", "64", jvm("zulu", "17.0.12")),
        zulu(r"Zulu\zulu-8", "64", jvm("zulu", "1.8.0_422")),
        zulu(r"Zulu 32-bit\zulu-11", "32", jvm("zulu", "11.0.24")),
    ], {}, 1, [0]),
    # JAVA_HOME first, then the JavaSoft keys.
    WindowsCase("corretto.jvm", [
        javasoft(r"JDK\21", "64", jvm("oracle", "21.0.4")),
        javasoft(r"JDK\17", "32", jvm("corretto", "17.0.12")),
        javasoft(r"Java Development Kit\1.8", "64", jvm("corretto", "1.8.0_422")),
    ], {"JAVA_HOME": 0}, 1, [0]),
    WindowsCase("microsoft.jvm", [
        msi(MICROSOFT_JDK, "25.0.1.8", "64", jvm("temurin", "25.0.1")),
        msi(MICROSOFT_JDK, "21.0.4.7", "64", jvm("microsoft", "21.0.4")),
        msi(MICROSOFT_JDK, "17.0.12.7", "32", jvm("microsoft", "17.0.12")),
    ], {}, 1, [0]),
    # Java 8 of the right vendor is too old for the Microsoft file.
    WindowsCase("microsoft.jvm", [
        msi(MICROSOFT_JDK, "8.0.422.5", "64", jvm("microsoft", "1.8.0_422")),
    ], {}, None, [0]),
    # Oracle's OpenJDK builds are not Oracle Java.
    WindowsCase("oracle.jvm", [
        javasoft(r"JDK\23", "64", jvm("oracle openjdk", "23.0.1")),
        javasoft(r"JDK\21", "32", jvm("oracle", "21.0.4")),
        javasoft(r"Java Runtime Environment\1.8", "64", jvm("oracle", "1.8.0_421")),
    ], {}, 1, [0]),
    # Any vendor: the environment first, in the order the file names it.
    WindowsCase("java11-or-newer.jvm", [
        zulu(r"Zulu\zulu-21", "32", jvm("zulu", "21.0.4")),
        msi(MICROSOFT_JDK, "17.0.12.7", "64", jvm("microsoft", "17.0.12")),
        javasoft(r"Java Runtime Environment\1.8", "64", jvm("oracle", "1.8.0_421")),
    ], {"JAVA_HOME": 2, "JDK_HOME": 1}, 1, [2]),
    # Then the vendors' keys, each in turn, past a Java 8.
    WindowsCase("java11-or-newer.jvm", [
        msi(ADOPTIUM_JDK, "8.0.422.5", "64", jvm("temurin 8", "1.8.0_422")),
        zulu(r"Zulu\zulu-21", "32", jvm("zulu", "21.0.4")),
        javasoft(r"JDK\25", "64", jvm("oracle", "25.0.1")),
    ], {}, 1, [0]),
]


@unittest.skipUnless(WINDOWS, "the registry and java.exe are Windows matters")
class WindowsReadyFiles(wine_drives.OwnDirectoryOnD, ReadyFileTestCase):
    def write_registry(self, removed, values=()):
        """Removes the keys `removed` and then writes the string values
        (key, name, data, view), in both views.  A registry script per view
        writes the values, since every Wine program takes a while to start;
        Wine's script removes keys in the 64-bit view only, so its registry
        tool removes those of the 32-bit view."""
        for key in removed:
            PREFIX.reg("delete", key, "/f", "/reg:32")
        for view in ("32", "64"):
            lines = [f"[-{full_key(key)}]" for key in sorted(removed) if view == "64"]
            for key, name, data, in_view in values:
                if in_view == view:
                    quoted = data.replace("\\", "\\\\").replace('"', '\\"')
                    lines += ["", f"[{full_key(key)}]", f'"{name}"="{quoted}"']
            if not lines:
                continue
            script = self.dir / "registry.reg"
            script.write_text("\r\n".join(["Windows Registry Editor Version 5.00", ""] + lines)
                              + "\r\n", encoding="utf-16")
            code, output = PREFIX.import_registry(native_path(script), view)
            self.assertEqual(code, 0, "\n".join(lines) + "\n" + output)

    def register(self, registrations):
        """Writes the registrations and their stand-in JVMs, each in a home
        of its own; returns the homes.  The MSI installers write the home
        with a trailing backslash."""
        bases = {registration.base for registration in registrations}
        self.addCleanup(self.write_registry, bases)
        homes, values = [], []
        for number, registration in enumerate(registrations):
            home = f"{number}-{registration.view}"
            if registration.jvm:
                install_jvm(self.tree / home, registration.jvm)
            homes.append(self.on_d(home))
            data = homes[-1] + ("\\" if registration.value == "Path" else "")
            values.append((registration.base + "\\" + registration.subkey, registration.value,
                           data, registration.view))
        self.write_registry(bases, values)
        return homes

    def test_each_file_finds_the_newest_build_of_its_kind(self):
        for case in WINDOWS_CASES:
            with self.subTest(file=case.file, found=case.found):
                shutil.rmtree(self.tree)
                self.tree.mkdir()
                homes = self.register(case.registrations)
                self.env = {name: homes[index] for name, index in case.environment.items()}
                if self.log.exists():
                    self.log.unlink()
                found = self.search(READY / case.file)
                self.write_registry({registration.base for registration in case.registrations})
                self.assertEqual(found, None if case.found is None else homes[case.found],
                                 self.log_text())
                log = self.log_text()
                for index in case.refused:
                    self.assertIn(f"Verifying JVM at {homes[index]}", log)
                    self.assertNotIn(f"Found matching JVM at {homes[index]}", log)

    def test_any_java_scans_the_drives_when_no_hint_finds_one(self):
        install_jvm(self.tree / "unpacked" / "jdk-21", jvm("temurin", "21.0.4"))
        install_jvm(self.tree / "old" / "jre8", jvm("oracle", "1.8.0_421"))
        self.assertEqual(self.search(READY / "java11-or-newer.jvm"),
                         self.on_d("unpacked\\jdk-21"))
        self.assertIn("Beginning exhaustive search", self.log_text())

    def test_a_jvm_file_of_the_old_kind_still_matches_by_prefix(self):
        # No version comparison: "1.5.0..." takes 1.5.0 and later updates
        # and refuses 1.6.0 and the too short "1.5", as it always did.
        base = r"HKCU\Software\LauncherTests Old Style"
        sun = {"java.vendor": "Sun Microsystems Inc."}
        versions = {"1.6": "1.6.0", "1.5.1": "1.5", "1.5": "1.5.0_06", "1.4": "1.4.2"}
        homes = self.register([Registration(base, subkey, "JavaHome", "64",
                                             dict(sun, **{"java.version": version}))
                               for subkey, version in versions.items()])
        old = write_tag_file(self.dir / "old.jvm", {
            "DESC": "Sun Java 1.5", "JVM_EXE": "bin\\java.exe",
            "JVM_PROPERTIES": ["java.vendor=Sun Microsystems Inc.", "java.version=1.5.0..."],
            "PLATFORM_HINT": [r"\HKEY_CURRENT_USER\Software\LauncherTests Old Style\*\JavaHome"],
            "CLASSPATH": '"-cp "', "CLASSPATH_SEPARATOR": ";", "SYSTEM": "-D",
            "SYSTEM_SEPARATOR": "="})
        self.assertEqual(self.search(old), homes[2])
        for refused in homes[:2]:
            self.assertIn("Verifying JVM at " + refused, self.log_text())
        self.assertNotIn(homes[3], self.log_text())


def path_hints(jvm_file):
    """The PATH_HINT values of a JVM file."""
    lines = pathlib.Path(jvm_file).read_text(encoding="utf-8").splitlines()
    start = lines.index("PATH_HINT:") + 1
    return [line.strip() for line in lines[start:lines.index("/:", start)]]


# Whether a Linux file takes a stand-in JVM of a vendor and a version.
LINUX_VERIFICATIONS = [
    ("temurin-jdk.jvm", ("temurin", "21.0.4"), True),
    ("temurin-jdk.jvm", ("temurin 8", "1.8.0_422"), True),
    ("temurin-jdk.jvm", ("zulu", "17.0.12"), False),
    ("temurin-jre.jvm", ("temurin 8", "1.8.0_422"), True),
    ("temurin-jre.jvm", ("debian", "17.0.15"), False),
    ("zulu.jvm", ("zulu", "17.0.12"), True),
    ("zulu.jvm", ("zulu", "1.7.0_352"), False),
    ("zulu.jvm", ("corretto", "1.8.0_422"), False),
    ("corretto.jvm", ("corretto", "1.8.0_422"), True),
    ("corretto.jvm", ("oracle openjdk", "23.0.1"), False),
    ("microsoft.jvm", ("microsoft", "25.0.1"), True),
    ("microsoft.jvm", ("microsoft", "1.8.0_422"), False),
    ("microsoft.jvm", ("temurin", "21.0.4"), False),
    ("oracle.jvm", ("oracle", "1.8.0_421"), True),
    ("oracle.jvm", ("oracle openjdk", "23.0.1"), False),
    ("java11-or-newer.jvm", ("debian", "17.0.15"), True),
    ("java11-or-newer.jvm", ("oracle openjdk", "23.0.1"), True),
    ("java11-or-newer.jvm", ("temurin 8", "1.8.0_422"), False),
    ("java11-or-newer.jvm", ("zulu", "1.7.0_352"), False),
]


@unittest.skipIf(WINDOWS, "the Linux files run in the native build")
class LinuxReadyFiles(ReadyFileTestCase):
    def test_each_file_takes_its_vendors_builds_only(self):
        for name, (vendor, version), taken in LINUX_VERIFICATIONS:
            with self.subTest(file=name, jvm=(vendor, version)):
                home = self.dir / f"{vendor}-{version}"
                if not home.exists():
                    install_jvm(home, jvm(vendor, version), exe="bin/java")
                code, lines = self.action("VERIFY_JVM", VERIFY_JVM_FILE=str(LINUX_READY / name),
                                          VERIFY_JVM_HOME=str(home))
                self.assertEqual((code, lines), (0, ["1" if taken else "0"]))

    @unittest.skipUnless(TEMURIN_25.is_dir() and VERIFY_JAR, "needs Temurin 25 as a package")
    def test_the_temurin_file_finds_the_temurin_package(self):
        self.verify_classpath = VERIFY_JAR
        self.assertEqual(self.search(LINUX_READY / "temurin-jdk.jvm"), str(TEMURIN_25))

    @unittest.skipUnless(VERIFY_JAR, "needs the verification class")
    def test_a_vendor_file_finds_nothing_without_its_vendors_package(self):
        # This machine's Debian OpenJDK on PATH is no vendor's build.
        self.verify_classpath = VERIFY_JAR
        for name in ("temurin-jre.jvm", "zulu.jvm", "corretto.jvm", "microsoft.jvm", "oracle.jvm"):
            if any(pathlib.Path(hint).exists() for hint in path_hints(LINUX_READY / name)):
                continue
            with self.subTest(file=name):
                self.assertIsNone(self.search(LINUX_READY / name))

    @unittest.skipUnless(TEMURIN_25.is_dir() and VERIFY_JAR, "needs Temurin 25 as a package")
    def test_any_java_takes_java_home_first(self):
        self.verify_classpath = VERIFY_JAR
        self.env = {"JAVA_HOME": str(TEMURIN_25)}
        self.assertEqual(self.search(LINUX_READY / "java11-or-newer.jvm"), str(TEMURIN_25))
        self.assertIn("resolved from environment variable JAVA_HOME", self.log_text())


if __name__ == "__main__":
    unittest.main()
