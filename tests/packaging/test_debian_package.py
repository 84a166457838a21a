# SPDX-License-Identifier: MIT
"""The .deb that cpack makes, checked as a Debian maintainer would: lintian, the contents, the
dependencies, and the stripped program with its debug symbols kept beside the package."""

import os
import re
import subprocess
import tempfile
import unittest
import zlib
from pathlib import Path

from expected_tree import (BUILD_DIR, CPACK, PREFIX, PROGRAM, expected_files,
                           parent_directories)

DEBUG_SYMBOLS = "quillmoor.debug"
# The faces the application substitutes for the ones its windows are laid out with.
FONT_FACES = ("IPAPMincho", "IPAPGothic", "C059")


def run(*args):
    result = subprocess.run(args, capture_output=True, text=True, timeout=300)
    if result.returncode != 0:
        raise AssertionError(f"{' '.join(map(str, args))} failed:\n{result.stdout}{result.stderr}")
    return result.stdout


def package_names(relation_field):
    """The package names of a Depends-style field, without versions or architectures."""
    names = set()
    for relation in re.split(r"[,|]", relation_field):
        if relation.strip():
            names.add(re.split(r"[\s(:]", relation.strip())[0])
    return names


def owning_packages(path_pattern):
    """The installed packages that hold a file matching the dpkg -S pattern."""
    output = run("dpkg", "-S", path_pattern)
    return {line.split(":")[0] for line in output.splitlines() if ": " in line}


def section_names(elf_file):
    output = run("readelf", "-S", "-W", str(elf_file))
    return set(re.findall(r"^\s*\[\s*\d+\]\s+(\S+)", output, re.MULTILINE))


def build_id(elf_file):
    return re.search(r"Build ID: ([0-9a-f]+)", run("readelf", "-n", str(elf_file))).group(1)


def debug_link(elf_file, scratch):
    """The file name and CRC-32 that the program's .gnu_debuglink section names."""
    section = scratch / "debuglink"
    run("objcopy", f"--dump-section=.gnu_debuglink={section}", str(elf_file), str(scratch / "copy"))
    data = section.read_bytes()
    return data.split(b"\0", 1)[0].decode(), int.from_bytes(data[-4:], "little")


class DebianPackageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.output = tempfile.TemporaryDirectory(prefix="quillmoor-package-")
        cls.directory = Path(cls.output.name)
        try:
            run(CPACK, "--config", str(BUILD_DIR / "CPackConfig.cmake"), "-B", str(cls.directory))
            (cls.deb,) = cls.directory.glob("*.deb")
            cls.unpacked = cls.directory / "unpacked"
            run("dpkg-deb", "-x", str(cls.deb), str(cls.unpacked))
        except BaseException:
            cls.output.cleanup()
            raise
        cls.program = cls.unpacked / PREFIX.strip("/") / PROGRAM

    @classmethod
    def tearDownClass(cls):
        cls.output.cleanup()

    def test_lintian_reports_no_tag(self):
        result = subprocess.run(["lintian", "--display-info", "--pedantic", str(self.deb)],
                                capture_output=True, text=True, timeout=600)
        # Every tag line starts with its kind: E, W, I, P (pedantic), X (experimental), O, ...
        tags = [line for line in result.stdout.splitlines() if re.match(r"[A-Z]: ", line)]
        self.assertEqual(tags, [])
        self.assertEqual(result.returncode, 0, result.stderr)

    def test_contents_are_the_installed_tree_owned_by_root(self):
        files, directories, owners = {}, {}, set()
        for line in run("dpkg-deb", "-c", str(self.deb)).splitlines():
            mode, owner, _size, _date, _time, path = line.split(maxsplit=5)
            path = path.removeprefix("./").rstrip("/")
            owners.add(owner)
            (directories if mode.startswith("d") else files)[path] = mode
        prefix = PREFIX.strip("/")
        expected = {f"{prefix}/{path}": mode for path, mode in expected_files().items()}
        self.assertEqual(files, expected)
        self.assertEqual(set(directories), parent_directories(expected))
        self.assertEqual(set(directories.values()), {"drwxr-xr-x"})
        self.assertEqual(owners, {"root/root"})

    def test_depends_holds_the_linked_libraries_and_the_fonts(self):
        depends = package_names(run("dpkg-deb", "-f", str(self.deb), "Depends"))
        needed = re.findall(r"\(NEEDED\).*\[(.+)\]", run("readelf", "-d", str(self.program)))
        self.assertTrue(needed)
        for library in needed:
            with self.subTest(library=library):
                self.assertTrue(owning_packages(f"*/{library}") & depends)
        for face in FONT_FACES:
            with self.subTest(face=face):
                font_files = run("fc-list", face, "file").split()
                self.assertTrue(font_files, f"no font file for {face}")
                self.assertTrue(owning_packages(font_files[0].rstrip(":")) & depends)

    def test_depends_on_the_exact_qt_whose_private_interface_it_uses(self):
        # Debian 12 names Qt's exact build qt6-base-abi, Debian 13 qt6-base-private-abi.
        depends = run("dpkg-deb", "-f", str(self.deb), "Depends")
        qt_version = os.environ["QUILLMOOR_QT_VERSION"]
        exact = re.findall(r"qt6-base(?:-private)?-abi \(= ([^)]+)\)", depends)
        self.assertEqual(exact, [qt_version], depends)

    def test_program_is_stripped_and_its_debug_symbols_lie_beside_the_package(self):
        sections = section_names(self.program)
        self.assertNotIn(".symtab", sections)
        self.assertNotIn(".comment", sections)
        self.assertEqual([name for name in sections if name.startswith(".debug")], [])

        debug_symbols = self.directory / DEBUG_SYMBOLS
        self.assertIn(".debug_info", section_names(debug_symbols))
        self.assertEqual(build_id(self.program), build_id(debug_symbols))
        name, checksum = debug_link(self.program, self.directory)
        self.assertEqual(name, DEBUG_SYMBOLS)
        self.assertEqual(checksum, zlib.crc32(debug_symbols.read_bytes()))


if __name__ == "__main__":
    unittest.main()
