# SPDX-License-Identifier: MIT
"""Quillmoor.exe under Wine in an X server, played as a person plays it: the frame and its
title, the title screen and the maze at every zoom, the keys and the speed combinations, the
swallowed accelerator keystrokes, the dialogs by their exact captions, pause, full screen and
Ctrl+Q."""

import time
import unittest

from maze_picture import SquareView, covered_end
from quillmoor_session import (ALIEN, FLOOR, PLAYER, ROCK, Session, is_light, start_cell_position,
                               wait_until)
from session_checks import SessionChecks, starting_with

RUNNING = "Quillmoor"
PAUSED = "Quillmoor — 一時停止 Paused"
NEXT_STAGE = "Go To Next Stage"
VERSION = "バージョン情報 Quillmoor"
CAREER = "著者経歴 Author Carrier"
KEYS = "操作方法 Keys"
SCREEN = (1280, 800)
GRID = 256
NOTHING_OPENS_SECONDS = 1.5
GROWN_FLOOR_PIXELS = 20000
# The frame's accelerator table, as xdotool names the keystrokes.
ACCELERATOR_KEYSTROKES = ("ctrl+c", "ctrl+v", "alt+BackSpace", "shift+Delete", "F6",
                          "shift+F6", "ctrl+Insert", "shift+Insert", "ctrl+x", "ctrl+z")


def rock_rooms_in_central_copy(shot):
    left = shot.width // 2 - GRID // 2
    top = shot.height // 2 - GRID // 2
    return sum(1 for row in range(0, GRID, 2) for column in range(0, GRID, 2)
               if shot.pixel(left + column, top + row) == ROCK)


class WineTest(SessionChecks, unittest.TestCase):
    """Each test plays a fresh program, started and, at the end, ended with its Wine server."""

    def setUp(self):
        self.session = Session()
        self.addCleanup(self.session.close)

    def start_playing(self):
        maze = self.session.wait_for_maze()
        self.session.focus()
        return maze

    def close_dialog_with(self, title, key):
        super().close_dialog_with(title, key)
        # Wine does not give the focus back to the frame by itself.
        self.session.focus()

    def assert_nothing_opens(self, why):
        deadline = time.monotonic() + NOTHING_OPENS_SECONDS
        while time.monotonic() < deadline:
            for title in (VERSION, CAREER, NEXT_STAGE, KEYS):
                self.assertFalse(self.session.window_exists(starting_with(title)), why)
            time.sleep(0.1)

    def wait_for_title(self, title):
        session = self.session
        wait_until(lambda: session.main_title() == title, 30, f"the title {title!r}")
        for shown in session.shown_titles(session.main):
            self.assertEqual(shown, title)

    def test_frame_title_screen_then_maze(self):
        session = self.session
        for shown in session.shown_titles(session.main):
            self.assertEqual(shown, RUNNING)

        self.assertEqual(wait_until(self.first_picture, 60, "a first picture"), "title")
        maze = session.wait_for_maze()
        x, y = start_cell_position(maze)
        self.assertIn(maze.pixel(x, y), (PLAYER, ALIEN))
        # No menu bar: the picture starts at the top of the client area, below only the edge.
        strip = [maze.pixel(x, row) for row in range(0, 20) for x in range(0, maze.width, 37)]
        self.assertFalse(any(is_light(colour) for colour in strip), "a light strip at the top")

    def test_maze_unfolds_as_a_klein_bottle_at_every_zoom(self):
        self.start_playing()
        session = self.session
        self.assertIsNone(SquareView(session.frozen_shot()[0], 1).first_unfolding_fault())
        for zoom in (1, 2, 3):
            session.key(str(zoom))

            def unfolded():
                shot = session.frozen_shot()[0]
                view = SquareView(shot, zoom)
                return shot if view.is_even() and view.first_disagreeing_copy() is None else None

            shot = wait_until(unfolded, 30, f"the unfolded picture at zoom {zoom}")
            right, bottom = covered_end(shot.width, zoom), covered_end(shot.height, zoom)
            stale = [(x, y) for y in range(bottom, shot.height) for x in range(shot.width)
                     if shot.pixel(x, y) != FLOOR]
            stale += [(x, y) for y in range(shot.height) for x in range(right, shot.width)
                      if shot.pixel(x, y) != FLOOR]
            self.assertEqual(stale[:1], [], f"pixels of an older picture at zoom {zoom}")

    def test_s_opens_every_room(self):
        first = self.start_playing()
        self.assertGreater(rock_rooms_in_central_copy(first), GRID * GRID // 8)
        self.session.key("s")
        wait_until(lambda: rock_rooms_in_central_copy(self.session.frozen_shot()[0]) == 0, 30,
                   "every room of the central copy to open")

    def test_speed_keys_take_the_modifiers_held_at_tick_time(self):
        session = self.session
        self.start_playing()
        default_rate = self.floor_growth_rate()
        self.assertGreater(default_rate, 0, "the maze did not grow")
        session.hold_key_while("shift", "9")
        slow_rate = self.floor_growth_rate()
        self.assertLess(slow_rate, default_rate / 2,
                        f"{slow_rate:.0f} px/s after Shift+9, {default_rate:.0f} before")
        session.hold_key_while("ctrl+shift", "1")
        fast_rate = self.floor_growth_rate()
        self.assertGreater(fast_rate, default_rate * 2,
                           f"{fast_rate:.0f} px/s after Ctrl+Shift+1, {default_rate:.0f} at 20 ms")
        session.hold_key_while("ctrl", "9")
        slowest = self.floor_growth_rate()
        self.assertLess(slowest, slow_rate, f"{slowest:.0f} px/s after Ctrl+9")

    def test_accelerator_keystrokes_are_swallowed_and_v_a_open_their_dialogs(self):
        session = self.session
        self.start_playing()
        session.key(*ACCELERATOR_KEYSTROKES)
        self.assert_nothing_opens("an accelerator keystroke reached the game")
        self.assertEqual(session.main_title(), RUNNING)
        session.key("v")
        self.close_dialog_with(VERSION, "Return")
        session.key("ctrl+v")
        self.assert_nothing_opens("Ctrl+V reached the game after a dialog closed")
        session.key("v")
        self.close_dialog_with(VERSION, "Escape")
        session.key("a")
        self.close_dialog_with(CAREER, "Return")

    def test_escape_then_ok_starts_a_new_stage_and_escape_then_dismiss_plays_on(self):
        session = self.session
        self.start_playing()
        wait_until(lambda: session.shot().count(FLOOR) >= GROWN_FLOOR_PIXELS, 60,
                   "the maze to grow")
        grown = session.frozen_shot()[0].count(FLOOR)
        session.key("Escape")
        self.wait_for_dialog(NEXT_STAGE)
        # The dialog covers part of the frame: compare the frame with itself, not with before.
        frozen = session.shot()
        time.sleep(0.5)
        self.assertTrue(session.shot().words == frozen.words, "the game ran under the dialog")
        self.close_dialog_with(NEXT_STAGE, "Escape")
        self.assertGreaterEqual(session.frozen_shot()[0].count(FLOOR), grown,
                                "dismissing the dialog started a new maze")
        session.key("Escape")
        self.close_dialog_with(NEXT_STAGE, "Return")
        wait_until(lambda: session.frozen_shot()[0].count(FLOOR) < grown // 2, 30,
                   "a fresh maze")

    def test_pause_f1_and_full_screen(self):
        session = self.session
        self.start_playing()
        session.key("p")
        self.wait_for_title(PAUSED)
        before = session.shot()
        time.sleep(1.0)
        self.assertTrue(before.words == session.shot().words, "the maze changed while paused")
        session.key("Pause")
        self.wait_for_title(RUNNING)
        session.key("F1")
        self.close_dialog_with(KEYS, "Return")
        self.assertEqual(session.main_title(), RUNNING)
        windowed = session.geometry(session.main)
        session.key("F11")
        wait_until(lambda: session.geometry(session.main) == SCREEN, 30, "full screen")
        wait_until(lambda: SquareView(session.frozen_shot()[0], 1).first_unfolding_fault() is None,
                   30, "the whole picture in full screen")
        session.key("F11")
        wait_until(lambda: session.geometry(session.main) == windowed, 30, "the window back")

    def test_ctrl_q_ends_the_program_with_status_0(self):
        self.start_playing()
        self.session.key("ctrl+q")
        self.assertEqual(self.session.process.wait(timeout=30), 0, self.session.stderr_tail())


if __name__ == "__main__":
    unittest.main()
