# SPDX-License-Identifier: MIT
"""Checks that the scaled-screen tests of every desktop program share: once every room is
open, the picture is even squares of two device pixels a cell at zoom 1, and each square is
its cell's unfolded copy. Mixed into a TestCase."""

from display_tools import wait_until
from maze_picture import CENTRE, GRID, SquareView
from quillmoor_session import ALIEN, FLOOR, GOAL, PLAYER, ROCK

# The scales under test, 1.5 and 2, both round to two device pixels per picture pixel.
SIDE_AT_ZOOM_1 = 2
MAZE_COLOURS = (FLOOR, ROCK, ALIEN, PLAYER, GOAL)
# How far from a maze colour a channel may be resampled and still count as that colour.
RESAMPLING_SLACK = 40


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


class ScaledScreenChecks:
    def check_grown_maze(self, session, resampled=False):
        """Opens every room with S and checks the picture at zoom 1."""
        session.wait_for_maze()
        session.focus()
        session.key("s")
        view = wait_until(lambda: grown_maze(session, resampled), 30, "every room to open")
        self.assertTrue(view.is_even(), "cells of uneven size")
        self.assertIsNone(view.first_unfolding_fault(),
                          "a copy differs from the unfolded centre copy")
