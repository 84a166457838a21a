# SPDX-License-Identifier: MIT
"""Drives the real program under X: start it, find its windows, type, take screenshots.

Everything waits for a condition with a generous time-out instead of sleeping a fixed time,
because CI machines are slow and a flaky test blocks every landing. Run the tests as ctest does:
xvfb-run -a -s "-noreset -screen 0 1280x800x24" python3 -m unittest discover -s tests/e2e
with QUILLMOOR_BINARY naming the program.
"""

import array
import os
import re
import signal
import subprocess
import sys
import tempfile
import time

ROCK = 0x008000
FLOOR = 0x000000
PLAYER = 0xC0FFFF
ALIEN = 0xFF0000

MAIN_TITLE = "^Quillmoor$"
POLL_SECONDS = 0.05


def run(*args, check=True):
    """Runs a command and returns its standard output as text."""
    result = subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                            check=check, timeout=60)
    return result.stdout.decode("utf-8", "replace")


def wait_until(condition, timeout, what):
    """Polls condition until it returns a true value, which is returned."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {timeout} s waiting for {what}")
        time.sleep(POLL_SECONDS)


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
    """One running instance of the program; always call close()."""

    def __init__(self):
        binary = os.environ.get("QUILLMOOR_BINARY")
        if not binary:
            raise RuntimeError("QUILLMOOR_BINARY is not set")
        self.errors = tempfile.TemporaryFile()
        self.process = subprocess.Popen([binary], stdout=subprocess.DEVNULL, stderr=self.errors)
        self.main = wait_until(lambda: self.find_window(MAIN_TITLE), 60, "the main window")
        self.width, self.height = self.geometry(self.main)

    def close(self):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGCONT)
            self.process.kill()
        self.process.wait(timeout=30)
        self.errors.close()

    def find_window(self, title_pattern):
        """The largest visible window of this process whose title matches, or None."""
        if self.process.poll() is not None:
            self.errors.seek(0)
            output = self.errors.read().decode("utf-8", "replace")[-4000:]
            raise AssertionError(f"the program exited with {self.process.returncode}:\n{output}")
        output = run("xdotool", "search", "--onlyvisible", "--name", title_pattern, check=False)
        best, best_area = None, 0
        for line in output.split():
            try:
                width, height = self.geometry(line)
            except (subprocess.CalledProcessError, ValueError):
                continue
            if width * height > best_area:
                best, best_area = line, width * height
        return best

    def window_exists(self, title_pattern):
        return self.find_window(title_pattern) is not None

    @staticmethod
    def geometry(window):
        text = run("xdotool", "getwindowgeometry", "--shell", window)
        values = dict(re.findall(r"^(\w+)=(\d+)$", text, re.MULTILINE))
        return int(values["WIDTH"]), int(values["HEIGHT"])

    def focus(self, window=None):
        run("xdotool", "windowfocus", "--sync", window or self.main)

    def key(self, *keys):
        run("xdotool", "key", *keys)

    def hold_key_while(self, modifier, key, hold_seconds=0.2):
        """Holds the modifier until the game's tick has read it along with the key."""
        run("xdotool", "keydown", modifier)
        try:
            run("xdotool", "key", key)
            time.sleep(hold_seconds)
        finally:
            run("xdotool", "keyup", modifier)

    def shot(self, window=None):
        window = window or self.main
        width, height = self.geometry(window)
        data = subprocess.run(["import", "-window", window, "-depth", "8", "rgba:-"],
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, check=True,
                              timeout=60).stdout
        if len(data) != width * height * 4:
            raise AssertionError(f"screenshot of {len(data)} bytes for {width} x {height}")
        return Shot(width, height, data)

    def frozen_shot(self, window=None):
        """A screenshot taken while the program is stopped, so no tick passes during it.

        Returns the shot and the monotonic times at which the program stopped and resumed.
        """
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
