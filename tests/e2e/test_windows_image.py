"""The Windows launcher is one self-contained program: it imports system DLLs
only and carries its application manifest."""
import re
import shutil
import subprocess
import unittest

from harness import LAUNCHER, WINDOWS

SYSTEM_DLLS = {"KERNEL32.DLL", "USER32.DLL", "ADVAPI32.DLL", "SHELL32.DLL", "COMCTL32.DLL",
               "COMDLG32.DLL", "OLE32.DLL", "MSVCRT.DLL"}
OBJDUMP = shutil.which("x86_64-w64-mingw32-objdump")


@unittest.skipUnless(WINDOWS and OBJDUMP, "the Windows build only")
class WindowsImage(unittest.TestCase):
    def test_imports_only_system_dlls(self):
        headers = subprocess.run([OBJDUMP, "-p", LAUNCHER], capture_output=True, text=True,
                                 check=True).stdout
        imported = {name.upper() for name in re.findall(r"DLL Name: (\S+)", headers)}
        self.assertIn("KERNEL32.DLL", imported)
        self.assertLessEqual(imported, SYSTEM_DLLS)

    def test_carries_the_manifest(self):
        image = open(LAUNCHER, "rb").read()
        for setting in (b'level="asInvoker"', b">UTF-8</activeCodePage>",
                        b">true</longPathAware>", b'name="Microsoft.Windows.Common-Controls"',
                        b">PerMonitorV2, PerMonitor</dpiAwareness>"):
            self.assertIn(setting, image)


if __name__ == "__main__":
    unittest.main()
