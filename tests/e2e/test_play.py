# SPDX-License-Identifier: MIT
"""Play keys seen on screen: S finishes the maze, the speed keys, the zoom keys."""

import unittest

from maze_picture import SquareView, covered_end
from quillmoor_session import FLOOR, ROCK, Session, wait_until
from session_checks import SessionChecks

GRID = 256


def rock_rooms_in_central_copy(shot):
    """Rooms (even row and column) of the copy around the centre still drawn as rock."""
    left = shot.width // 2 - GRID // 2
    top = shot.height // 2 - GRID // 2
    return sum(1 for row in range(0, GRID, 2) for column in range(0, GRID, 2)
               if shot.pixel(left + column, top + row) == ROCK)


class PlayTest(SessionChecks, unittest.TestCase):
    def setUp(self):
        self.session = Session()
        self.addCleanup(self.session.close)
        self.first_maze = self.session.wait_for_maze()
        self.session.focus()

    def test_s_opens_every_room(self):
        session = self.session
        self.assertGreater(rock_rooms_in_central_copy(self.first_maze), GRID * GRID // 8,
                           "the maze was already grown at the start")
        session.key("s")
        wait_until(lambda: rock_rooms_in_central_copy(session.frozen_shot()[0]) == 0, 30,
                   "every room of the central copy to open")

    def test_shift_9_slows_the_growth(self):
        session = self.session
        default_rate = self.floor_growth_rate()
        self.assertGreater(default_rate, 0, "the maze did not grow")
        session.hold_key_while("shift", "9")
        slow_rate = self.floor_growth_rate()
        self.assertLess(slow_rate, default_rate / 2,
                        f"{slow_rate:.0f} px/s after Shift+9, {default_rate:.0f} px/s before")

    def test_ctrl_shift_1_speeds_the_growth(self):
        session = self.session
        default_rate = self.floor_growth_rate()
        session.hold_key_while("ctrl+shift", "1")
        fast_rate = self.floor_growth_rate()
        self.assertGreater(fast_rate, default_rate * 2,
                           f"{fast_rate:.0f} px/s after Ctrl+Shift+1, {default_rate:.0f} px/s before")

    def test_zoom_2_leaves_nothing_of_the_old_picture(self):
        session = self.session
        session.key("2")

        def zoomed():
            shot = session.frozen_shot()[0]
            return shot if SquareView(shot, 2).is_even() else None

        shot = wait_until(zoomed, 30, "the picture at two pixels per cell")
        right, bottom = covered_end(shot.width, 2), covered_end(shot.height, 2)
        strip = [(x, y) for y in range(shot.height) for x in range(right, shot.width)]
        strip += [(x, y) for y in range(bottom, shot.height) for x in range(shot.width)]
        self.assertTrue(strip, "this window size leaves no edge strip to check")
        stale = [(x, y) for x, y in strip if shot.pixel(x, y) != FLOOR]
        self.assertEqual(len(stale), 0, f"pixels of the old picture, first at {stale[:1]}")


if __name__ == "__main__":
    unittest.main()
