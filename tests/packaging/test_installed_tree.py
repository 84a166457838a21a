# SPDX-License-Identifier: MIT
"""The game as `cmake --install` lays it out in a staging DESTDIR: the tree, the desktop entry, the
metainfo, the icons, the manual page and the changelog, then the installed program played under X.
"""

import gzip
import os
import re
import stat
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree
from pathlib import Path
from unittest import mock

from expected_tree import APP_ID, BUILD_DIR, CMAKE, PREFIX, PROGRAM, VERSION, expected_files

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "e2e"))
from quillmoor_session import (Session, looks_like_maze, looks_like_title,  # noqa: E402
                               wait_until)

README = Path(__file__).resolve().parents[2] / "README.md"
VERSION_DIALOG = "^バージョン情報 Quillmoor$"
PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"
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


def manual_sections(text):
    """{heading: body} of a manual page rendered as plain text; headings start at column 0."""
    sections, heading = {}, None
    for line in text.splitlines():
        if line and not line[0].isspace():
            heading = line.strip()
            sections[heading] = []
        elif heading is not None:
            sections[heading].append(line)
    return {heading: "\n".join(body) for heading, body in sections.items()}


def item_tags(source):
    """{section heading: words of the tags of its .TP items}, read from the page's roff source."""
    tags, heading, lines = {}, None, source.splitlines()
    for line, following in zip(lines, lines[1:]):
        if line.startswith(".SH "):
            heading = line[4:].strip('"')
            tags[heading] = set()
        elif line == ".TP" and heading is not None:
            text = re.sub(r"^\.[BIR]{1,2} ", "", following)
            tags[heading].update(re.findall(r"\w+", text))
    return tags


def readme_key_names():
    """The named keys of the README's key table (Space, Esc, Ctrl, letters): no arrows, digits."""
    names, in_table = set(), False
    for line in README.read_text(encoding="utf-8").splitlines():
        if line.startswith("| key |"):
            in_table = True
        elif in_table and line.startswith("|"):
            names.update(re.findall(r"\b[A-Z][a-z]*\b", line.split("|")[1]))
        elif in_table:
            break
    return names


class InstalledTreeTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.staging = tempfile.TemporaryDirectory(prefix="quillmoor-install-")
        result = run(CMAKE, "--install", str(BUILD_DIR), "--prefix", PREFIX,
                     env={**os.environ, "DESTDIR": cls.staging.name})
        if result.returncode != 0:
            cls.staging.cleanup()
            raise AssertionError(f"cmake --install failed:\n{result.stdout}{result.stderr}")
        cls.root = Path(cls.staging.name)
        cls.prefix = cls.staged(PREFIX)

    @classmethod
    def tearDownClass(cls):
        cls.staging.cleanup()

    @classmethod
    def staged(cls, installed_path):
        """Where an absolute installed path lies in the staging directory."""
        return cls.root / installed_path.lstrip("/")

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
        result = run("appstreamcli", "validate", "--no-net", "--strict", str(metainfo))
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
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
        sections = manual_sections(text)
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

    def test_installed_program_shows_title_maze_and_version_dialog(self):
        program = self.staged(f"{PREFIX}/{PROGRAM}")
        with mock.patch.dict(os.environ, {"QUILLMOOR_BINARY": str(program)}):
            session = Session()
        self.addCleanup(session.close)

        def first_picture():
            shot, _, _ = session.frozen_shot()
            if looks_like_title(shot):
                return "title"
            return "maze" if looks_like_maze(shot) else None

        self.assertEqual(wait_until(first_picture, 60, "a first picture"), "title")
        session.wait_for_maze()
        session.focus()
        session.key("v")
        dialog = wait_until(lambda: session.find_window(VERSION_DIALOG), 30, "the version dialog")
        session.focus(dialog)
        session.key("Escape")
        wait_until(lambda: not session.window_exists(VERSION_DIALOG), 30, "the dialog to close")


if __name__ == "__main__":
    unittest.main()
