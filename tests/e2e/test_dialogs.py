# SPDX-License-Identifier: MIT
"""The dialogs the keys open: next stage on Esc, version on V (not Ctrl+V), career on A."""

import time
import unittest

from quillmoor_session import FLOOR, Session, wait_until

NEXT_STAGE = "^Go To Next Stage$"
VERSION = "^バージョン情報 Quillmoor$"
CAREER = "^著者経歴 Author Carrier$"
GROWN_FLOOR_PIXELS = 20000


class DialogTest(unittest.TestCase):
    def setUp(self):
        self.session = Session()
        self.addCleanup(self.session.close)
        self.session.wait_for_maze()
        self.session.focus()

    def close_with(self, title, key):
        session = self.session
        dialog = wait_until(lambda: session.find_window(title), 30, title)
        session.focus(dialog)
        session.key(key)
        wait_until(lambda: not session.window_exists(title), 30, f"{title} to close")

    def test_escape_then_return_starts_a_new_stage(self):
        session = self.session
        wait_until(lambda: session.shot().count(FLOOR) >= GROWN_FLOOR_PIXELS, 60,
                   "the maze to grow")
        session.key("Escape")
        dialog = wait_until(lambda: session.find_window(NEXT_STAGE), 30, "the next-stage dialog")
        # The game is frozen under the dialog.
        grown = session.shot().count(FLOOR)
        session.focus(dialog)
        session.key("Return")
        wait_until(lambda: not session.window_exists(NEXT_STAGE), 30, "the dialog to close")
        wait_until(lambda: session.frozen_shot()[0].count(FLOOR) < grown // 2, 30,
                   "a fresh maze")

    def test_v_opens_the_version_dialog_but_ctrl_v_does_not(self):
        session = self.session
        session.key("ctrl+v")
        deadline = time.monotonic() + 1.5
        while time.monotonic() < deadline:
            self.assertFalse(session.window_exists(VERSION), "Ctrl+V reached the game")
            time.sleep(0.1)
        session.key("v")
        self.close_with(VERSION, "Escape")

    def test_a_opens_the_author_career(self):
        self.session.key("a")
        self.close_with(CAREER, "Return")


if __name__ == "__main__":
    unittest.main()
