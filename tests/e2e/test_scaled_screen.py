# SPDX-License-Identifier: MIT
"""Scaled screens: the picture is drawn in device pixels, every cell an even square."""

import os
import unittest

from quillmoor_session import Session, current_display, on_wayland, wait_until
from scaled_screen_checks import ScaledScreenChecks

# Both ratios round to two device pixels per picture pixel.
SCALE_FACTORS = ("1.5", "2")
# A floating window this size, in the output's corner, covers whole output pixels at 1.5.
FRACTIONAL_WINDOW = (640, 400)


def qt_before(major, minor):
    version = tuple(int(part) for part in os.environ["QUILLMOOR_QT_VERSION"].split(".")[:2])
    return version < (major, minor)


class ScaledScreenTest(ScaledScreenChecks, unittest.TestCase):
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
