# SPDX-License-Identifier: MIT
"""The program `cmake --install` put in a staging DESTDIR, played under X through the end-to-end
harness: the title screen, then the maze, then the version dialog on V."""

import os
import sys
import unittest
from pathlib import Path
from unittest import mock

from expected_tree import PREFIX, PROGRAM
from staged_install import StagedInstallTestCase

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "e2e"))
from quillmoor_session import (Session, looks_like_maze, looks_like_title,  # noqa: E402
                               wait_until)

VERSION_DIALOG = "^バージョン情報 Quillmoor$"


class InstalledProgramTest(StagedInstallTestCase):
    def test_title_then_maze_then_version_dialog(self):
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
