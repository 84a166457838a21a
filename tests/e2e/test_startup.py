# SPDX-License-Identifier: MIT
"""Start-up: the title screen comes first, then the maze picture."""

import unittest

from quillmoor_session import ALIEN, PLAYER, Session, start_cell_position, wait_until
from session_checks import SessionChecks


class StartupTest(SessionChecks, unittest.TestCase):
    def setUp(self):
        self.session = Session()
        self.addCleanup(self.session.close)

    def test_title_screen_then_maze(self):
        session = self.session
        self.assertGreaterEqual(session.width, 256)
        self.assertGreaterEqual(session.height, 256)
        for shown in session.shown_titles(session.main):
            self.assertEqual(shown, "Quillmoor")

        self.assertEqual(wait_until(self.first_picture, 60, "a first picture"), "title")

        maze = session.wait_for_maze(timeout=60)
        x, y = start_cell_position(maze)
        self.assertIn(maze.pixel(x, y), (PLAYER, ALIEN),
                      f"start cell shows {maze.pixel(x, y):06x}")


if __name__ == "__main__":
    unittest.main()
