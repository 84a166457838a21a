# SPDX-License-Identifier: MIT
"""The dialogs the keys open, with their titles exactly as the window system shows them: next
stage on Esc, version on V (never Ctrl+V), career on A."""

import time
import unittest

from maze_picture import SquareView
from quillmoor_session import FLOOR, Session, wait_until
from session_checks import SessionChecks, starting_with

NEXT_STAGE = "Go To Next Stage"
VERSION = "バージョン情報 Quillmoor"
CAREER = "著者経歴 Author Carrier"
GROWN_FLOOR_PIXELS = 20000
NOTHING_OPENS_SECONDS = 1.5


class DialogTest(SessionChecks, unittest.TestCase):
    def setUp(self):
        self.session = Session()
        self.addCleanup(self.session.close)
        self.session.wait_for_maze()
        self.session.focus()

    def assert_nothing_opens(self, title, why):
        deadline = time.monotonic() + NOTHING_OPENS_SECONDS
        while time.monotonic() < deadline:
            self.assertFalse(self.session.window_exists(starting_with(title)), why)
            time.sleep(0.1)

    def test_escape_then_return_starts_a_new_stage(self):
        session = self.session
        wait_until(lambda: session.shot().count(FLOOR) >= GROWN_FLOOR_PIXELS, 60,
                   "the maze to grow")
        session.key("Escape")
        dialog = self.wait_for_dialog(NEXT_STAGE)
        # The game is frozen under the dialog.
        grown = session.shot().count(FLOOR)
        session.focus(dialog)
        session.key("Return")
        wait_until(lambda: not session.window_exists(starting_with(NEXT_STAGE)), 30,
                   "the dialog to close")
        wait_until(lambda: session.frozen_shot()[0].count(FLOOR) < grown // 2, 30,
                   "a fresh maze")

    # Without a window manager the focus falls back to the root window when a dialog closes,
    # while keys still reach the frame: the frame's shortcuts no longer match then.
    def test_v_opens_the_version_dialog_but_ctrl_v_never_does(self):
        session = self.session
        session.key("ctrl+v")
        self.assert_nothing_opens(VERSION, "Ctrl+V reached the game")
        session.key("v")
        self.close_dialog_with(VERSION, "Return")
        session.key("ctrl+v", "ctrl+v")
        self.assert_nothing_opens(VERSION, "Ctrl+V reached the game after a dialog closed")
        session.key("v")
        self.close_dialog_with(VERSION, "Escape")

    # The window under a closed dialog is restored from a copy of the picture that the per-tick
    # updates may have passed by: it must show the maze as it is, not as it once was.
    def test_the_picture_under_a_closed_dialog_is_current(self):
        session = self.session
        wait_until(lambda: session.shot().count(FLOOR) >= GROWN_FLOOR_PIXELS, 60,
                   "the maze to grow")
        session.key("v")
        self.close_dialog_with(VERSION, "Return")
        fault = SquareView(session.frozen_shot()[0], 1).first_unfolding_fault()
        self.assertIsNone(fault, "a cell's copies disagree after the dialog closed")

    def test_a_opens_the_author_career(self):
        self.session.key("a")
        self.close_dialog_with(CAREER, "Return")


if __name__ == "__main__":
    unittest.main()
