# SPDX-License-Identifier: MIT
"""Scaled screens: the picture is drawn in device pixels, every cell an even square."""

import os
import unittest

from maze_picture import CENTRE, GRID, SquareView
from quillmoor_session import (ALIEN, FLOOR, GOAL, PLAYER, ROCK, Session, current_display,
                               on_wayland, wait_until)

# Both ratios round to two device pixels per picture pixel.
SCALE_FACTORS = ("1.5", "2")
SIDE_AT_ZOOM_1 = 2
# A floating window this size, in the output's corner, covers whole output pixels at 1.5.
FRACTIONAL_WINDOW = (640, 400)
MAZE_COLOURS = (FLOOR, ROCK, ALIEN, PLAYER, GOAL)
# How far from a maze colour a channel may be resampled and still count as that colour.
RESAMPLING_SLACK = 40


def qt_before(major, minor):
    version = tuple(int(part) for part in os.environ["QUILLMOOR_QT_VERSION"].split(".")[:2])
    return version < (major, minor)


def nearest_maze_colours(shot):
    """The shot with every pixel that lies close to a maze colour set to exactly that colour."""
    def nearest(word):
        for colour in MAZE_COLOURS:
            if all(abs(((word >> shift) & 0xFF) - ((colour >> (16 - shift)) & 0xFF))
                   <= RESAMPLING_SLACK for shift in (0, 8, 16)):
                return 0xFF000000 | ((colour & 0xFF) << 16) | (colour & 0xFF00) | (colour >> 16)
        return word
    snapped = {word: nearest(word) for word in set(shot.words)}
    shot.words = type(shot.words)(shot.words.typecode, map(snapped.__getitem__, shot.words))
    return shot


def grown_maze(session, resampled=False):
    """The picture once every room is open, seen as squares of two device pixels, or None."""
    shot = session.frozen_shot()[0]
    view = SquareView(nearest_maze_colours(shot) if resampled else shot, SIDE_AT_ZOOM_1)
    rooms_open = all(view.colour(column - CENTRE, row - CENTRE) != ROCK
                     for row in range(0, GRID, 2) for column in range(0, GRID, 2))
    return view if rooms_open else None


class ScaledScreenTest(unittest.TestCase):
    def check_grown_maze(self, session, resampled=False):
        session.wait_for_maze()
        session.focus()
        session.key("s")
        view = wait_until(lambda: grown_maze(session, resampled), 30, "every room to open")
        self.assertTrue(view.is_even(), "cells of uneven size")
        self.assertIsNone(view.first_unfolding_fault(),
                          "a copy differs from the unfolded centre copy")

    def test_cells_are_even_squares_of_the_unfolded_maze(self):
        for factor in SCALE_FACTORS:
            with self.subTest(scale=factor):
                session = Session(environment={"QT_SCALE_FACTOR": factor})
                self.addCleanup(session.close)
                self.check_grown_maze(session)
                session.close()

    @unittest.skipUnless(on_wayland(), "the output's scale is the compositor's")
    def test_a_scaled_output_shows_even_squares_of_the_unfolded_maze(self):
        display = current_display()
        self.addCleanup(display.set_output_scale, 1)
        display.set_output_scale(2)
        session = Session()
        self.addCleanup(session.close)
        self.check_grown_maze(session)

    @unittest.skipUnless(on_wayland(), "the output's scale is the compositor's")
    @unittest.skipIf(on_wayland() and qt_before(6, 5),
                     "Qt before 6.5 takes only whole scales: the compositor shrinks its picture")
    def test_a_fractional_output_scale_shows_the_program_s_own_picture(self):
        # The window covers whole output pixels, so the compositor resamples its picture only
        # by a fraction of a pixel, and the nearest maze colours give the program's own picture.
        display = current_display()
        self.addCleanup(display.set_output_scale, 1)
        display.set_output_scale(1.5)
        session = Session()
        self.addCleanup(session.close)
        display.place_floating(session.main, *FRACTIONAL_WINDOW)
        wait_until(lambda: session.geometry(session.main) == FRACTIONAL_WINDOW, 30,
                   "the floating window")
        self.check_grown_maze(session, resampled=True)


if __name__ == "__main__":
    unittest.main()
