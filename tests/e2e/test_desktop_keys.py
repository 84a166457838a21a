# SPDX-License-Identifier: MIT
"""The desktop's keys: P and Pause pause the game and say so in the title, F1 lists the keys,
F11 makes the window full screen (under a compositor), Ctrl+Q ends the program with status 0."""

import re
import time
import unittest

from maze_picture import SquareView
from quillmoor_session import FLOOR, Session, on_wayland, wait_until

RUNNING = "Quillmoor"
PAUSED = "Quillmoor — 一時停止 Paused"
KEYS = "操作方法 Keys"
STILL_SECONDS = 1.0
GROWN_FLOOR_PIXELS = 2000
FLOATING_SIZE = (800, 600)


class DesktopKeysTest(unittest.TestCase):
    def setUp(self):
        self.session = Session()
        self.addCleanup(self.session.close)
        self.session.wait_for_maze()
        self.session.focus()

    def wait_for_title(self, title):
        session = self.session
        wait_until(lambda: session.main_title() == title, 30, f"the title {title!r}")
        for shown in session.shown_titles(session.main):
            self.assertEqual(shown, title)

    def assert_standing_still(self, why):
        session = self.session
        before = session.shot()
        time.sleep(STILL_SECONDS)
        after = session.shot()
        self.assertTrue(before.words == after.words, why)

    def wait_for_whole_picture(self, where):
        """Every square of the window's size shows its cell: none is left of an earlier picture."""
        session = self.session
        wait_until(lambda: SquareView(session.frozen_shot()[0], 1).first_unfolding_fault() is None,
                   30, f"the maze drawn whole {where}")

    def wait_for_growth(self):
        session = self.session
        before = session.shot().count(FLOOR)
        wait_until(lambda: session.shot().count(FLOOR) > before, 30, "the maze to grow again")

    def test_p_pauses_and_the_pause_key_resumes(self):
        session = self.session
        wait_until(lambda: session.shot().count(FLOOR) >= GROWN_FLOOR_PIXELS, 60,
                   "the maze to grow")
        session.key("p")
        self.wait_for_title(PAUSED)
        self.assert_standing_still("the maze changed while paused")
        session.key("Pause")
        self.wait_for_title(RUNNING)
        self.wait_for_growth()
        session.key("shift+p")
        self.wait_for_title(PAUSED)
        session.key("p")
        self.wait_for_title(RUNNING)

    def test_f1_lists_the_keys_with_the_game_frozen_under_it(self):
        session = self.session
        session.key("F1")
        pattern = "^" + re.escape(KEYS)
        dialog = wait_until(lambda: session.find_window(pattern), 30, KEYS)
        for shown in session.shown_titles(dialog):
            self.assertEqual(shown, KEYS)
        self.assert_standing_still("the game ran under the keys dialog")
        session.focus(dialog)
        session.key("Return")
        wait_until(lambda: not session.window_exists(pattern), 30, "the keys dialog to close")
        self.assertEqual(session.main_title(), RUNNING)
        session.focus()
        self.wait_for_growth()

    def test_ctrl_q_ends_the_program_with_status_0(self):
        session = self.session
        session.key("ctrl+q")
        self.assertEqual(session.process.wait(timeout=30), 0, session.stderr_tail())

    @unittest.skipUnless(on_wayland(), "a bare X server has no window manager to honour it")
    def test_f11_makes_the_window_full_screen_and_back(self):
        session = self.session
        self.assertFalse(session.full_screen())
        # Floating, so that full screen changes the size: tiled, the window has the output already.
        session.display.place_floating(session.main, *FLOATING_SIZE)
        wait_until(lambda: session.geometry(session.main) == FLOATING_SIZE, 30, "the floating size")
        session.key("F11")
        wait_until(lambda: session.full_screen(), 30, "full screen")
        wait_until(lambda: session.geometry(session.main) != FLOATING_SIZE, 30, "the full size")
        self.wait_for_whole_picture("in full screen")
        session.key("Escape")  # gives up the stage, in full screen as anywhere
        dialog = wait_until(lambda: session.find_window("^Go To Next Stage"), 30,
                            "the next-stage dialog")
        session.focus(dialog)
        session.key("Escape")
        wait_until(lambda: not session.window_exists("^Go To Next Stage"), 30,
                   "the dialog to close")
        self.assertTrue(session.full_screen())
        session.focus()
        session.key("F11")
        wait_until(lambda: not session.full_screen(), 30, "the window back from full screen")
        wait_until(lambda: session.geometry(session.main) == FLOATING_SIZE, 30, "the earlier size")
        self.wait_for_whole_picture("back from full screen")


if __name__ == "__main__":
    unittest.main()
