# SPDX-License-Identifier: MIT
"""Quillmoor.exe under Wine on a scaled screen (the prefix's DPI at 150 and 200 %): the title
screen, then the maze in device pixels, each cell an even square of zoom × 2 pixels that is its
cell's unfolded copy, and a dialog by its exact caption."""

import unittest

from e2e_wine import VERSION
from maze_picture import SquareView
from quillmoor_session import Session, current_display, wait_until
from scaled_screen_checks import SIDE_AT_ZOOM_1, ScaledScreenChecks
from session_checks import SessionChecks

SCALES = (1.5, 2)
ZOOM = 2


def zoomed_maze(session, side):
    """The picture as squares of side pixels, once it is even and its copies agree, or None."""
    view = SquareView(session.frozen_shot()[0], side)
    return view if view.is_even() and view.first_disagreeing_copy() is None else None


class WineScaledScreenTest(ScaledScreenChecks, SessionChecks, unittest.TestCase):
    def test_title_maze_at_zoom_1_and_2_and_a_dialog_at_150_and_200_percent(self):
        display = current_display()
        self.addCleanup(display.set_output_scale, 1)
        for scale in SCALES:
            with self.subTest(scale=scale):
                display.set_output_scale(scale)
                self.session = session = Session()
                self.addCleanup(session.close)
                self.assertEqual(wait_until(self.first_picture, 60, "a first picture"), "title")
                self.check_grown_maze(session)
                session.key(str(ZOOM))
                wait_until(lambda: zoomed_maze(session, ZOOM * SIDE_AT_ZOOM_1), 30,
                           f"even squares of the unfolded maze at zoom {ZOOM}")
                session.key("v")
                self.close_dialog_with(VERSION, "Return")
                session.close()


if __name__ == "__main__":
    unittest.main()
