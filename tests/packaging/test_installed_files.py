# SPDX-License-Identifier: MIT
"""The files `cmake --install` puts in a staging DESTDIR: exactly the expected tree, icons of the
sizes their folders name, a valid desktop entry and metainfo naming this version, a clean manual
page that covers the options, keys and files, and a changelog whose newest entry is this version.
"""

import gzip
import os
import re
import stat
import subprocess
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree
from pathlib import Path

from expected_tree import APP_ID, PREFIX, PROGRAM, VERSION, expected_files
from manual_page import item_tags, readme_key_names, rendered_sections
from staged_install import StagedInstallTestCase

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"
# What appstreamcli --pedantic notes and we keep: the ID, capitals and all, also names the desktop
# entry and the icons that installs already have; AppStream 0.16 (Debian 12) does not know yet
# the developer element that AppStream 1.0 asks for.
METAINFO_NOTES_ACCEPTED = {f"cid-contains-uppercase-letter {APP_ID}", "unknown-tag developer"}
MANUAL_SECTIONS = ("NAME", "SYNOPSIS", "DESCRIPTION", "OPTIONS", "KEYS", "FILES", "EXIT STATUS")


def run(*args, **kwargs):
    return subprocess.run(args, capture_output=True, text=True, timeout=120, **kwargs)


def png_size(path):
    """Width and height from the PNG header (the IHDR chunk always comes first)."""
    header = path.read_bytes()[:24]
    if header[:8] != PNG_SIGNATURE or header[12:16] != b"IHDR":
        raise AssertionError(f"{path} is not a PNG file")
    return int.from_bytes(header[16:20], "big"), int.from_bytes(header[20:24], "big")


def desktop_entry_keys(path):
    """The keys of the [Desktop Entry] group, without the localised variants."""
    keys, group = {}, None
    for line in path.read_text(encoding="utf-8").splitlines():
        if line.startswith("["):
            group = line
        elif group == "[Desktop Entry]" and "=" in line and not line.startswith("#"):
            key, value = line.split("=", 1)
            keys[key] = value
    return keys


class InstalledFilesTest(StagedInstallTestCase):
    def test_tree_holds_exactly_the_expected_files(self):
        self.assertEqual(os.listdir(self.root), [PREFIX.strip("/")], "installed outside the prefix")
        found = {
            path.relative_to(self.prefix).as_posix(): stat.filemode(path.lstat().st_mode)
            for path in self.prefix.rglob("*") if not path.is_dir()
        }
        self.assertEqual(found, expected_files())

    def test_every_icon_is_as_large_as_its_directory_says(self):
        icons = sorted(self.prefix.glob(f"share/icons/hicolor/*/apps/{APP_ID}.png"))
        self.assertTrue(icons)
        for icon in icons:
            with self.subTest(icon=icon.parent.parent.name):
                width, height = png_size(icon)
                self.assertEqual(f"{width}x{height}", icon.parent.parent.name)

    def test_desktop_entry_is_valid_and_starts_the_installed_program(self):
        entry = self.prefix / "share/applications" / f"{APP_ID}.desktop"
        result = run("desktop-file-validate", str(entry))
        self.assertEqual((result.returncode, result.stdout + result.stderr), (0, ""))
        keys = desktop_entry_keys(entry)
        command = keys["Exec"].split()[0]
        self.assertEqual(command, f"{PREFIX}/{PROGRAM}")
        self.assertTrue(os.access(self.staged(command), os.X_OK), f"{command} is not installed")
        self.assertTrue(list(self.prefix.glob(f"share/icons/hicolor/*/apps/{keys['Icon']}.png")))

    def test_metainfo_is_valid_and_its_newest_release_is_this_version(self):
        metainfo = self.prefix / "share/metainfo" / f"{APP_ID}.metainfo.xml"
        result = run("appstreamcli", "validate", "--no-net", "--pedantic", str(metainfo))
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        issues = re.findall(r"^[EWIP]: \S+: (\S+(?: \S+)?)", result.stdout, re.MULTILINE)
        self.assertEqual([issue for issue in issues if issue not in METAINFO_NOTES_ACCEPTED], [],
                         result.stdout)
        component = ElementTree.parse(metainfo).getroot()
        releases = component.findall("releases/release")
        self.assertTrue(releases)
        self.assertEqual(releases[0].get("version"), VERSION, "the newest release comes first")
        launchable = component.findtext("launchable")
        self.assertTrue((self.prefix / "share/applications" / launchable).is_file(), launchable)
        self.assertEqual(component.findtext("provides/binary"), Path(PROGRAM).name)

    def test_manual_page_renders_cleanly_and_covers_options_keys_and_files(self):
        page = self.prefix / "share/man/man6/quillmoor.6.gz"
        # The check lintian makes: any warning of groff fails it.
        result = run("man", "--warnings", "-E", "UTF-8", "-l", "-Tutf8", "-Z", str(page))
        self.assertEqual((result.returncode, result.stderr), (0, ""))

        text = run("man", "-l", str(page),
                   env={**os.environ, "LC_ALL": "C.UTF-8", "MANWIDTH": "200"}).stdout
        sections = rendered_sections(text)
        for heading in MANUAL_SECTIONS:
            self.assertIn(heading, sections)
        self.assertIn(f"Quillmoor {VERSION}", text)

        tags = item_tags(gzip.decompress(page.read_bytes()).decode("utf-8"))
        self.assertLessEqual({"help", "version"}, tags["OPTIONS"])
        keys = readme_key_names()
        self.assertTrue(keys, "no key table in the README")
        self.assertLessEqual(keys, tags["KEYS"], "keys the manual page leaves out")

        listed = re.findall(r"^\s+(/\S+)$", sections["FILES"], re.MULTILINE)
        self.assertTrue(listed)
        for path in listed:
            with self.subTest(path=path):
                self.assertTrue(list(self.root.glob(path.strip("/"))), f"{path} is not installed")

    def test_changelog_newest_entry_is_this_version(self):
        changelog = self.prefix / "share/doc/quillmoor/changelog.gz"
        with tempfile.NamedTemporaryFile(suffix=".changelog") as plain:
            plain.write(gzip.decompress(changelog.read_bytes()))
            plain.flush()
            result = run("dpkg-parsechangelog", "-l", plain.name, "-S", "Version")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stdout.strip(), VERSION)


if __name__ == "__main__":
    unittest.main()
