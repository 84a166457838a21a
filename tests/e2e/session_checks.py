# SPDX-License-Identifier: MIT
"""Checks that the end-to-end tests of every desktop program share: its dialogs by their shown
titles, its first picture and the maze's growth rate. Mixed into a TestCase that has
self.session."""

import re
import time

from display_tools import wait_until
from quillmoor_session import FLOOR, looks_like_maze, looks_like_title

# Running time over which the maze's growth is measured.
MEASURE_SECONDS = 1.5


def starting_with(title):
    """Finds the window by the start of its title, so that a suffix shows in the assertion."""
    return "^" + re.escape(title)


class SessionChecks:
    def wait_for_dialog(self, title):
        session = self.session
        dialog = wait_until(lambda: session.find_window(starting_with(title)), 30, title)
        for shown in session.shown_titles(dialog):
            self.assertEqual(shown, title)
        return dialog

    def close_dialog_with(self, title, key):
        session = self.session
        dialog = self.wait_for_dialog(title)
        session.focus(dialog)
        session.key(key)
        wait_until(lambda: not session.window_exists(starting_with(title)), 30,
                   f"{title} to close")

    def first_picture(self):
        """"title" or "maze", from a shot taken with the program stopped, so the title cannot
        slip by unseen; None before either shows."""
        shot, _, _ = self.session.frozen_shot()
        if looks_like_title(shot):
            return "title"
        if looks_like_maze(shot):
            return "maze"
        return None

    def floor_growth_rate(self):
        """Floor pixels added per second of running time."""
        session = self.session
        before, _, resumed = session.frozen_shot()
        time.sleep(MEASURE_SECONDS)
        after, stopped, _ = session.frozen_shot()
        return (after.count(FLOOR) - before.count(FLOOR)) / (stopped - resumed)
