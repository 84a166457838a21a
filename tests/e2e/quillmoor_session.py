# SPDX-License-Identifier: MIT
"""Drives the real program on a display: start it, find its windows, type, take screenshots.

Everything waits for a condition with a generous time-out instead of sleeping a fixed time,
because CI machines are slow and a flaky test blocks every landing. The same tests run on X11
(under xvfb-run, as ctest does: QUILLMOOR_DISPLAY unset or "x11") and on Wayland (under the sway
compositor that run_wayland.py starts, which sets QUILLMOOR_DISPLAY=wayland). QUILLMOOR_BINARY
names the program. The program gets the platform of the display under test, whatever the
caller's own session is, and never outlives its session.
"""

import array
import atexit
import os
import signal
import subprocess
import sys
import tempfile
import time

from display_tools import wait_until
from wayland_display import WaylandDisplay
from x11_display import X11Display

ROCK = 0x008000
GOAL = 0xFFFF00
FLOOR = 0x000000
PLAYER = 0xC0FFFF
ALIEN = 0xFF0000

MAIN_TITLE = "^Quillmoor"  # by its start, so that a wrong suffix shows in a test
START_SECONDS = 60
STDERR_TAIL = 4000


def current_display():
    """The display side the tests run on, chosen by whoever started the display."""
    chosen = os.environ.get("QUILLMOOR_DISPLAY")
    if chosen == "wine":
        # The Windows program under Wine in an X server: tests/windows beside this folder.
        from wine_display import WineDisplay
        return WineDisplay()
    return WaylandDisplay() if chosen == "wayland" else X11Display()


def on_wayland():
    return isinstance(current_display(), WaylandDisplay)


# Programs still running when the interpreter ends, whatever ended it.
_running = set()


@atexit.register
def _kill_leftovers():
    for process in list(_running):
        if process.poll() is None:
            process.send_signal(signal.SIGCONT)
            process.kill()
            process.wait(timeout=30)


def _word(colour):
    """The screenshot word of an opaque 0xRRGGBB colour: bytes R, G, B, A read little-endian."""
    return 0xFF000000 | ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF)


def _colour(word):
    return ((word & 0xFF) << 16) | (word & 0xFF00) | ((word >> 16) & 0xFF)


class Shot:
    """A screenshot of one window; colours are 0xRRGGBB, rows top to bottom."""

    def __init__(self, width, height, rgba):
        self.width = width
        self.height = height
        self.words = array.array("I")
        self.words.frombytes(rgba)
        if sys.byteorder != "little":
            self.words.byteswap()

    def pixel(self, x, y):
        return _colour(self.words[y * self.width + x])

    def count(self, colour):
        return self.words.count(_word(colour))

    def fraction(self, colour):
        return self.count(colour) / len(self.words)

    def sample(self, step):
        """Every step-th pixel's colour, for estimates over the whole picture."""
        return [_colour(word) for word in self.words[::step]]

    def most_common(self):
        """The commonest colour and its share of the picture."""
        counts = {}
        for colour in self.sample(max(1, len(self.words) // 20000)):
            counts[colour] = counts.get(colour, 0) + 1
        colour = max(counts, key=counts.get)
        return colour, self.count(colour) / len(self.words)


def is_light(colour):
    return all(((colour >> shift) & 0xFF) >= 0xC0 for shift in (16, 8, 0))


def is_dark(colour):
    return all(((colour >> shift) & 0xFF) < 0x60 for shift in (16, 8, 0))


def looks_like_title(shot):
    """Mostly one light colour (the window colour), with some dark text on it."""
    background, share = shot.most_common()
    if not is_light(background) or share < 0.8:
        return False
    dark = sum(1 for colour in shot.sample(7) if is_dark(colour))
    return dark >= 100


def looks_like_maze(shot):
    """Mostly rock: the maze starts as solid rock around a few carved cells."""
    return shot.fraction(ROCK) > 0.3


def start_cell_position(shot):
    """Where the start cell (row 64, column 128) sits at one pixel per cell."""
    return shot.width // 2, shot.height // 2 - 64


class Session:
    """One running instance of the program; always call close().

    A session that fails to start kills its program before the error reaches the test, and any
    question asked of a program that has exited fails at once with its standard error.
    """

    def __init__(self, binary=None, environment=None, start_timeout=START_SECONDS):
        binary = binary or os.environ.get("QUILLMOOR_BINARY")
        if not binary:
            raise RuntimeError("QUILLMOOR_BINARY is not set")
        self.display = current_display()
        self.errors = tempfile.TemporaryFile()
        program_environment = self.display.program_environment({**os.environ,
                                                                **(environment or {})})
        self.process = subprocess.Popen(self.display.program_command(binary),
                                        stdout=subprocess.DEVNULL, stderr=self.errors,
                                        env=program_environment)
        _running.add(self.process)
        try:
            self.main = wait_until(lambda: self.find_window(MAIN_TITLE), start_timeout,
                                   "the main window")
            self.width, self.height = self.geometry(self.main)
        except BaseException:
            self.close()
            raise

    def close(self):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGCONT)
            self.process.kill()
        self.process.wait(timeout=30)
        _running.discard(self.process)
        self.errors.close()
        # A display whose programs leave helpers behind (Wine's server) ends them here.
        getattr(self.display, "after_program", lambda: None)()

    def stderr_tail(self):
        self.errors.seek(0)
        return self.errors.read().decode("utf-8", "replace")[-STDERR_TAIL:]

    def check_running(self):
        if self.process.poll() is not None:
            raise AssertionError(
                f"the program exited with {self.process.returncode}:\n{self.stderr_tail()}")

    def find_window(self, title_pattern):
        """The largest visible window of this process whose title matches, or None."""
        self.check_running()
        windows = self.display.find_windows(self.process.pid, title_pattern)
        if not windows:
            return None
        return max(windows, key=lambda window: window[1] * window[2])[0]

    def window_exists(self, title_pattern):
        return self.find_window(title_pattern) is not None

    def geometry(self, window):
        return self.display.geometry(window)

    def shown_titles(self, window):
        """The window's title as each property the window system shows it holds."""
        return self.display.shown_titles(window)

    def full_screen(self, window=None):
        """Whether the window manager shows the window full screen; only a compositor can tell."""
        self.check_running()
        return self.display.full_screen(window or self.main)

    def main_title(self):
        """The main window's title as the window system shows it (its first title property)."""
        return self.shown_titles(self.main)[0]

    def focus(self, window=None):
        self.check_running()
        self.display.focus(window or self.main)

    def key(self, *keys):
        """Types keys named as xdotool names them (ctrl+v, Escape, 9)."""
        self.check_running()
        self.display.key(*keys)

    def hold_key_while(self, modifiers, key, hold_seconds=0.3):
        """Holds the modifiers ("shift", "ctrl+shift") until a tick has read them with the key."""
        self.check_running()
        self.display.hold_modifiers_while(modifiers.split("+"), key, hold_seconds)

    def shot(self, window=None):
        self.check_running()
        width, height, data = self.display.screenshot(window or self.main)
        if len(data) != width * height * 4:
            raise AssertionError(f"screenshot of {len(data)} bytes for {width} x {height}")
        return Shot(width, height, data)

    def frozen_shot(self, window=None):
        """A screenshot taken while the program is stopped, so no tick passes during it.

        Returns the shot and the monotonic times at which the program stopped and resumed.
        """
        self.check_running()
        self.process.send_signal(signal.SIGSTOP)
        stopped = time.monotonic()
        try:
            shot = self.shot(window)
        finally:
            self.process.send_signal(signal.SIGCONT)
        return shot, stopped, time.monotonic()

    def wait_for_maze(self, timeout=60):
        return wait_until(lambda: self._maze_shot(), timeout, "the maze picture")

    def _maze_shot(self):
        shot = self.shot()
        return shot if looks_like_maze(shot) else None
