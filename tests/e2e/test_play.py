# SPDX-License-Identifier: MIT
"""Play keys seen on screen: S finishes the maze, Shift+9 slows the game down."""

import time
import unittest

from quillmoor_session import FLOOR, ROCK, Session, wait_until

GRID = 256
MEASURE_SECONDS = 1.5


def rock_rooms_in_central_copy(shot):
    """Rooms (even row and column) of the copy around the centre still drawn as rock."""
    left = shot.width // 2 - GRID // 2
    top = shot.height // 2 - GRID // 2
    return sum(1 for row in range(0, GRID, 2) for column in range(0, GRID, 2)
               if shot.pixel(left + column, top + row) == ROCK)


class PlayTest(unittest.TestCase):
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

    def floor_growth_rate(self):
        """Floor pixels added per second of running time."""
        session = self.session
        before, _, resumed = session.frozen_shot()
        time.sleep(MEASURE_SECONDS)
        after, stopped, _ = session.frozen_shot()
        return (after.count(FLOOR) - before.count(FLOOR)) / (stopped - resumed)

    def test_shift_9_slows_the_growth(self):
        session = self.session
        default_rate = self.floor_growth_rate()
        self.assertGreater(default_rate, 0, "the maze did not grow")
        session.hold_key_while("shift", "9")
        slow_rate = self.floor_growth_rate()
        self.assertLess(slow_rate, default_rate / 2,
                        f"{slow_rate:.0f} px/s after Shift+9, {default_rate:.0f} px/s before")


if __name__ == "__main__":
    unittest.main()
