# SPDX-License-Identifier: MIT
"""Scaled screens: the picture is drawn in device pixels, every cell an even square."""

import unittest

from maze_picture import CENTRE, GRID, SquareView
from quillmoor_session import ROCK, Session, wait_until

# Both ratios round to two device pixels per picture pixel.
SCALE_FACTORS = ("1.5", "2")
SIDE_AT_ZOOM_1 = 2


class ScaledScreenTest(unittest.TestCase):
    def test_cells_are_even_squares_of_the_unfolded_maze(self):
        for factor in SCALE_FACTORS:
            with self.subTest(scale=factor):
                session = Session(environment={"QT_SCALE_FACTOR": factor})
                self.addCleanup(session.close)
                session.wait_for_maze()
                session.focus()
                session.key("s")
                view = wait_until(lambda: self.grown(session), 30, "every room to open")
                self.assertTrue(view.is_even(), "cells of uneven size")
                self.assertIsNone(view.first_unfolding_fault(),
                                  "a copy differs from the unfolded centre copy")
                session.close()

    @staticmethod
    def grown(session):
        view = SquareView(session.frozen_shot()[0], SIDE_AT_ZOOM_1)
        rooms_open = all(view.colour(column - CENTRE, row - CENTRE) != ROCK
                         for row in range(0, GRID, 2) for column in range(0, GRID, 2))
        return view if rooms_open else None


if __name__ == "__main__":
    unittest.main()
