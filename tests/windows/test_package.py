# SPDX-License-Identifier: MIT
"""The Windows zip and the program in it: what it holds, in which order and with which dates,
and that the program needs no DLL that Windows does not ship."""

import os
import re
import subprocess
import time
import unittest
import zipfile

# What every 64-bit Windows since 7 has in System32 (the C runtime msvcrt.dll among them).
SYSTEM_DLLS = {"advapi32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll", "user32.dll"}
ENTRIES = ["Quillmoor.exe", "README.txt", "LICENSE.txt"]
GUI_SUBSYSTEM = "2"


def objdump_headers(path):
    return subprocess.run([os.environ["QUILLMOOR_OBJDUMP"], "-p", path], stdout=subprocess.PIPE,
                          check=True, timeout=60).stdout.decode("utf-8", "replace")


class PackageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.exe = os.environ["QUILLMOOR_WINDOWS_EXE"]
        cls.zip = os.environ["QUILLMOOR_WINDOWS_ZIP"]
        cls.headers = objdump_headers(cls.exe)

    def test_imports_only_system_dlls(self):
        imported = {name.lower() for name in re.findall(r"DLL Name: (\S+)", self.headers)}
        self.assertTrue(imported, "no import table found")
        self.assertLessEqual(imported, SYSTEM_DLLS, "a DLL Windows does not ship")

    def test_header_has_no_time_stamp_and_is_a_gui_program(self):
        stamp = re.search(r"^Time/Date\s+(.*)$", self.headers, re.MULTILINE).group(1)
        self.assertIn("1970", stamp, f"the PE header is dated {stamp}")
        subsystem = re.search(r"^Subsystem\s+(\S+)", self.headers, re.MULTILINE).group(1)
        self.assertEqual(int(subsystem, 16), int(GUI_SUBSYSTEM))

    def test_zip_holds_the_program_readme_and_licence_in_order_and_dated(self):
        with zipfile.ZipFile(self.zip) as archive:
            infos = archive.infolist()
            self.assertEqual([info.filename for info in infos], ENTRIES)
            with open(self.exe, "rb") as exe:
                self.assertEqual(archive.read("Quillmoor.exe"), exe.read())
            readme = archive.read("README.txt").decode("utf-8")
            licence = archive.read("LICENSE.txt").decode("utf-8")
        epoch = int(os.environ["QUILLMOOR_SOURCE_DATE_EPOCH"])
        expected = time.gmtime(epoch)[:5]
        for info in infos:
            self.assertEqual(info.date_time[:5], expected, info.filename)
        self.assertNotIn("\n", readme.replace("\r\n", ""), "README.txt has bare LF line ends")
        for words in ("Quillmoor.exe", "No installation", "Ctrl + Q", "F11", "Esc"):
            self.assertIn(words, readme)
        self.assertIn("MIT", licence)


if __name__ == "__main__":
    unittest.main()
