"""Tag files in either encoding: UTF-8, or the legacy ANSI code page of the
user's locale in which older tools and Java before version 18 write them.
Under Wine the locale (and with it the legacy code page) comes from LANG;
the launcher's own code page is UTF-8 (its manifest), so the files it
writes and the logs are UTF-8 whatever the file it read."""
import os
import re
import shutil
import unittest

from harness import (SEPARATOR, WINDOWS, PackedRunTestCase, native_path, pack, program_name,
                     run_launcher, text, write_tag_file)

TEST_JAVA = os.environ.get("TEST_JAVA", "")

# (locale, legacy code page, log file name, action): what an input file
# written in that code page names.
LOCALES = [
    ("de_DE.UTF-8", "cp1252", "l\u00fc.txt", "N\u00d6PE"),
    ("ru_RU.UTF-8", "cp1251", "\u043b\u043e\u0433.txt", "\u041d\u0415\u0422"),
]


class Encodings(PackedRunTestCase):
    def run_input_file(self, content, locale, *args, cwd=None):
        (self.dir / "in.tag").write_bytes(content)
        code, out, err = run_launcher(["-console", *args, "-vd:in", "in.tag"],
                                      cwd=cwd or self.dir,
                                      env={"LANG": locale, "LC_ALL": locale})
        return code, text(out), err

    def assertLoggedAction(self, name, action):
        """The log file `name` exists in the scratch directory and holds, in
        UTF-8, the error about the unknown action (in the locale's language)."""
        self.assertIn(name, os.listdir(self.dir))
        log = (self.dir / name).read_bytes().decode("utf-8").replace("\r", "")
        self.assertRegex(log, "\nERROR: [^\n]*: " + re.escape(action) + "\n")

    @unittest.skipUnless(WINDOWS, "POSIX keeps a file's bytes: see the next test")
    def test_an_input_file_in_the_legacy_code_page_of_the_locale(self):
        for locale, code_page, name, action in LOCALES:
            with self.subTest(locale=locale):
                content = f"ACTION: {action}\nLOGFILE: {name}\n".encode(code_page)
                code, _, err = self.run_input_file(content, locale)
                self.assertEqual(code, -1, err)
                self.assertLoggedAction(name, action)

    @unittest.skipIf(WINDOWS, "Windows converts from the legacy code page")
    def test_posix_keeps_the_bytes_of_a_file_that_is_not_utf8(self):
        code, _, _ = self.run_input_file(b"ACTION: NOPE\nLOGFILE: l\xfc.txt\n", "C.UTF-8")
        self.assertEqual(code, -1)
        self.assertIn(b"l\xfc.txt", os.listdir(bytes(self.dir)))

    def test_an_input_file_in_utf8_under_every_locale(self):
        name = "l\u00fc-\u043b\u043e\u0433-\U0001F600.txt"
        for locale in ["C.UTF-8"] + [entry[0] for entry in LOCALES]:
            for mark in (b"", b"\xef\xbb\xbf"):
                with self.subTest(locale=locale, mark=mark):
                    content = mark + f"ACTION: N\u00d6PE\nLOGFILE: {name}\n".encode("utf-8")
                    code, _, err = self.run_input_file(content, locale)
                    self.assertEqual(code, -1, err)
                    self.assertLoggedAction(name, "N\u00d6PE")
                    (self.dir / name).unlink()

    @unittest.skipUnless(WINDOWS and TEST_JAVA, "a legacy code page and java.exe")
    def test_an_instruction_script_in_the_legacy_code_page_sets_a_path(self):
        home = self.dir / "jre-\u00e4\u00f6\u00fc"
        (home / "bin").mkdir(parents=True)
        shutil.copy(TEST_JAVA, home / "bin" / "java.exe")
        jvm = write_tag_file(self.dir / "m\u00fcller.jvm", {
            "JVM_HOME": native_path(home), "JVM_EXE": "bin\\java.exe",
            "CLASSPATH": '"-cp "', "CLASSPATH_SEPARATOR": ";",
            "SYSTEM": "-D", "SYSTEM_SEPARATOR": "="})
        script = write_tag_file(self.dir / "launch.tag",
                                {"COMMAND": '"""@JVM_HOME@\\@JVM_EXE@"" Main"'})
        instructions = self.dir / "instructions.tag"
        instructions.write_bytes(
            f'INSTRUCTIONS:\n  SET S3 = "{native_path(jvm)}"\n  LAUNCH @S3@ 0\n/:\n'
            .encode("cp1252"))
        launcher = pack(self.dir / program_name("setup"), [
            (instructions, "INSTRUCTIONS", 1, "instructions.tag"),
            (script, "LAUNCHSCRIPT", 2, "launch.tag")])
        code, out, err = run_launcher(
            ["-console", "-vd:log", native_path(self.log), "-vd:tempdir",
             native_path(self.temp) + SEPARATOR], cwd=self.dir, program=launcher,
            env={"LANG": "de_DE.UTF-8", "LC_ALL": "de_DE.UTF-8"})
        # The JVM file at the path the script set was read: its home runs.
        self.assertEqual(code, 0, text(out) + err.decode(errors="replace"))
        self.assertIn(f'Executing launch script command: "{native_path(home)}\\bin\\java.exe" Main',
                      self.log_text())

    def test_extracted_files_name_non_ascii_entries_in_utf8(self):
        name = "anleitung-\u00fc.tag"
        instructions = write_tag_file(self.dir / "instructions.tag",
                                      {"INSTRUCTIONS": ["GOTO DONE", ":DONE"]})
        launcher = pack(self.dir / program_name("setup"),
                        [(instructions, "INSTRUCTIONS", 1, name)])
        unpacked = self.dir / "unpacked"
        unpacked.mkdir()
        for locale in ("de_DE.UTF-8", "ru_RU.UTF-8"):
            with self.subTest(locale=locale):
                locale_env = {"LANG": locale, "LC_ALL": locale}
                code, out, _ = run_launcher(["-console", "-vd:extract"], cwd=unpacked,
                                            program=launcher, env=locale_env)
                self.assertEqual(code, 0, text(out))
                self.assertIn(name, os.listdir(unpacked))
                written = (unpacked / "input.tag").read_bytes()
                self.assertIn(("INSTRUCTIONS:  " + name).encode("utf-8"), written)
                # And it reads back as the launcher wrote it.
                code, out, _ = run_launcher(["-console", "-vd:in", "input.tag"], cwd=unpacked,
                                            program=launcher, env=locale_env)
                self.assertEqual(code, 0, text(out))
                for entry in list(unpacked.iterdir()):
                    entry.unlink()


if __name__ == "__main__":
    unittest.main()
