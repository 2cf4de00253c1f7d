"""The authors' guide, docs/authoring.md, shows only files of the repository:
each code block is captioned with the path of the file it quotes and equals
it.  Its quoting examples are run: each launch script of examples/quoting/,
packed with the example's instructions and JVM file, gives java the
arguments its .args file lists (the examples of examples/hello/ are run by
test_dist and test_signing)."""
import os
import pathlib
import re
import shutil
import unittest

from harness import WINDOWS, PackedRunTestCase, SOURCE_DIR, pack

VERIFY_JAR = os.environ.get("VERIFY_JAR", "")
STAND_IN_JAVA = os.environ.get("TEST_JAVA", "")
GUIDE = SOURCE_DIR / "docs" / "authoring.md"
EXAMPLES = SOURCE_DIR / "examples"
FENCE = re.compile(r"^```[a-z]*\n(.*?)^```\n", re.MULTILINE | re.DOTALL)
CAPTION = re.compile(r"`([^`\n]+)`:\n\n$")


def quoted_blocks():
    """(caption path or None, block text) of every code block of the guide."""
    guide = GUIDE.read_text(encoding="utf-8")
    blocks = []
    for block in FENCE.finditer(guide):
        caption = CAPTION.search(guide, 0, block.start())
        blocks.append((caption.group(1) if caption and caption.end() == block.start() else None,
                       block.group(1)))
    return blocks


class Guide(unittest.TestCase):
    def test_every_code_block_is_a_file_of_the_repository(self):
        blocks = quoted_blocks()
        self.assertGreater(len(blocks), 10)
        for path, block in blocks:
            with self.subTest(path=path, block=block[:60]):
                self.assertIsNotNone(path, "a code block without the path of its file")
                self.assertTrue(path.startswith("examples/"), path)
                self.assertEqual(block, (SOURCE_DIR / path).read_text(encoding="utf-8"))

    def test_every_quoting_example_is_shown_with_what_java_receives(self):
        shown = {path for path, _ in quoted_blocks()}
        scripts = sorted(EXAMPLES.glob("quoting/*.tag"))
        self.assertTrue(scripts)
        for script in scripts:
            for path in (script, script.with_suffix(".args")):
                self.assertIn(str(path.relative_to(SOURCE_DIR)), shown)


@unittest.skipUnless(WINDOWS and VERIFY_JAR, "the quoting examples are Windows launch scripts")
class QuotingExamples(PackedRunTestCase):
    def test_java_receives_the_arguments_each_example_shows(self):
        home = self.dir / "jre"
        (home / "bin").mkdir(parents=True)
        shutil.copy(STAND_IN_JAVA, home / "bin" / "java.exe")
        (home / "bin" / "java.properties").write_text("java.version=17.0.2\n")
        for script in sorted(EXAMPLES.glob("quoting/*.tag")):
            with self.subTest(script=script.name):
                launcher = pack(self.dir / "setup.exe", [
                    (EXAMPLES / "hello" / "instructions.tag", "INSTRUCTIONS", 1, "instructions.tag"),
                    (EXAMPLES / "hello" / "windows.jvm", "JVM", 2, "windows.jvm"),
                    (script, "LAUNCHSCRIPT", 3, "launch.tag"),
                    (pathlib.Path(VERIFY_JAR), "VERIFY_ARCHIVE", 4, "Verify.jar")])
                code, out = self.start(launcher)
                self.assertEqual(code, 0, out + self.log_text())
                # The program's first line follows the progress dots of the search.
                lines = [line.lstrip(".") for line in out.splitlines()]
                received = lines[lines.index("arguments begin") + 1:lines.index("arguments end")]
                # The launcher passes "-console" on to the Java program.
                self.assertEqual(received, script.with_suffix(".args").read_text().splitlines() +
                                 ["-console"])
                self.assertWorkspaceGone()


if __name__ == "__main__":
    unittest.main()
