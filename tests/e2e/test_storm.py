# SPDX-License-Identifier: MIT
"""Storms at the 1 ms tick: a thousand resizes, ten thousand random keys. Afterwards the program
is alive, answers V within 2 s, and holds no more memory than after the first hundred. P and
Pause in the storm pause the game, so it is resumed, by its title, before anything is timed."""

import os
import random
import subprocess
import time
import unittest

from quillmoor_session import Session, on_wayland

VERSION = "^バージョン情報 Quillmoor$"
ANY_DIALOG = "^(Go To Next Stage|バージョン情報 Quillmoor|著者経歴 Author Carrier|操作方法 Keys)$"
RUNNING_TITLE = "Quillmoor"

RESIZES = 1000
KEY_EVENTS = 10000
WARM_UP = 100  # events after which the memory is taken as the reference
RESIZES_PER_CALL = 50
KEYS_PER_CALL = 100
MAX_WIDTH, MAX_HEIGHT = 4000, 3000
MEASURE_SIZE = (800, 600)  # the window is brought back to this size for every reading
MEMORY_GROWTH = 1.2
VERSION_WITHIN_SECONDS = 2.0
MODIFIER_HOLD_SECONDS = 0.3
SETTLE_SECONDS = 1.0
POLL_SECONDS = 0.05

LETTERS = [chr(code) for code in range(ord("a"), ord("z") + 1)]
DIGITS = [str(digit) for digit in range(1, 10)]
MODIFIED_DIGITS = [f"{modifiers}+{digit}" for modifiers in ("shift", "ctrl", "ctrl+shift")
                   for digit in DIGITS]
KEYPAD = [f"KP_{digit}" for digit in range(10)] + ["KP_Add", "KP_Enter", "KP_Decimal", "KP_End"]
FUNCTION_KEYS = [f"F{number}" for number in range(1, 13)]
# Alt+F4 and Ctrl+Q are left out: each closes the window, as it should.
ALT_COMBINATIONS = [f"alt+{key}" for key in LETTERS + DIGITS + ["Left", "space", "F1", "F10"]]
OTHER_KEYS = ["Left", "Up", "Right", "Down", "space", "Escape", "Return", "Tab", "BackSpace",
              "ctrl+v", "ctrl+c", "shift+Delete", "shift+Insert", "F6", "Pause"]
KEY_POOLS = [LETTERS, DIGITS + MODIFIED_DIGITS, KEYPAD, FUNCTION_KEYS, ALT_COMBINATIONS,
             OTHER_KEYS]


def xdotool(*args):
    subprocess.run(["xdotool", *args], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                   check=True, timeout=120)


def resident_kib(pid):
    with open(f"/proc/{pid}/status", encoding="ascii") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    raise AssertionError(f"no VmRSS for process {pid}")


def random_size(rng):
    return rng.randint(1, MAX_WIDTH), rng.randint(1, MAX_HEIGHT)


@unittest.skipIf(on_wayland(), "the storms drive X11 windows and keys through xdotool")
class StormTest(unittest.TestCase):
    def setUp(self):
        seed = int(os.environ.get("QUILLMOOR_STORM_SEED", time.time_ns() % 2**32))
        self.rng = random.Random(seed)
        self.seed_note = f"storm seed {seed} (QUILLMOOR_STORM_SEED repeats it)"
        self.session = Session()
        self.addCleanup(self.session.close)
        self.session.focus()
        self.fastest_tick()

    def fastest_tick(self):
        """Ctrl+Shift+1, with the modifiers held until a tick has read them."""
        xdotool("keydown", "ctrl", "shift")
        try:
            xdotool("key", "1")
            time.sleep(MODIFIER_HOLD_SECONDS)
        finally:
            xdotool("keyup", "ctrl", "shift")

    def answer_dialogs(self):
        """Closes whatever dialogs are open, each with OK or without; fails if the program died."""
        session = self.session
        deadline = time.monotonic() + 30
        while (dialog := session.find_window(ANY_DIALOG)) is not None:
            self.assertLess(time.monotonic(), deadline, "a dialog would not close")
            try:
                session.focus(dialog)
                xdotool("key", self.rng.choice(["Return", "Escape"]))
            except subprocess.CalledProcessError:
                pass  # it closed on its own meanwhile
            time.sleep(POLL_SECONDS)
        session.focus()

    def resume(self):
        """Ends a pause the storm left, as the title tells it."""
        session = self.session
        deadline = time.monotonic() + 30
        while session.main_title() != RUNNING_TITLE:
            self.assertLess(time.monotonic(), deadline, "the game would not resume")
            session.key("p")
            pressed = time.monotonic()
            while (session.main_title() != RUNNING_TITLE
                   and time.monotonic() - pressed < SETTLE_SECONDS):
                time.sleep(POLL_SECONDS)

    def settled_memory(self):
        """Resident memory at the measuring size, after the program has ticked for a while."""
        xdotool("windowsize", self.session.main, *map(str, MEASURE_SIZE))
        self.answer_dialogs()
        self.resume()
        time.sleep(SETTLE_SECONDS)
        return resident_kib(self.session.process.pid)

    def assert_alive_and_answering(self):
        session = self.session
        self.assertIsNone(session.process.poll(), f"the program exited; {self.seed_note}")
        self.answer_dialogs()
        # Paused, the fastest-tick keys would wait for a tick with nobody holding the modifiers.
        self.resume()
        self.fastest_tick()
        # A key of the storm still waiting for its tick may open a dialog of its own first.
        time.sleep(SETTLE_SECONDS)
        self.answer_dialogs()
        self.resume()
        session.key("v")
        pressed = time.monotonic()
        while not session.window_exists(VERSION):
            if time.monotonic() - pressed >= VERSION_WITHIN_SECONDS:
                other = session.find_window(ANY_DIALOG)
                self.fail(f"V opened no dialog within {VERSION_WITHIN_SECONDS} s"
                          f"{'; another dialog is open' if other else ''}; {self.seed_note}")
            time.sleep(POLL_SECONDS)
        self.answer_dialogs()

    def assert_memory_held(self, reference_kib):
        after_kib = self.settled_memory()
        self.assertLessEqual(after_kib, reference_kib * MEMORY_GROWTH,
                             f"resident memory grew from {reference_kib} KiB to {after_kib} KiB; "
                             f"{self.seed_note}")

    def resize(self, sizes):
        for start in range(0, len(sizes), RESIZES_PER_CALL):
            arguments = []
            for width, height in sizes[start:start + RESIZES_PER_CALL]:
                arguments += ["windowsize", self.session.main, str(width), str(height)]
            xdotool(*arguments)
            self.assertIsNone(self.session.process.poll(), f"the program exited; {self.seed_note}")

    def type_keys(self, keys):
        for start in range(0, len(keys), KEYS_PER_CALL):
            xdotool("key", "--delay", "1", *keys[start:start + KEYS_PER_CALL])
            self.answer_dialogs()

    def test_resize_storm(self):
        # The largest frame comes first, so the reference already holds one of its size.
        sizes = [(MAX_WIDTH, MAX_HEIGHT)] + [random_size(self.rng) for _ in range(RESIZES - 1)]
        self.resize(sizes[:WARM_UP])
        reference_kib = self.settled_memory()
        self.fastest_tick()
        self.resize(sizes[WARM_UP:])
        self.assert_alive_and_answering()
        self.assert_memory_held(reference_kib)

    def test_key_storm(self):
        # Every dialog once before the reference, so its fonts and code are already in memory.
        for key in ("v", "a", "F1", "Escape"):
            self.session.key(key)
            deadline = time.monotonic() + 30
            while self.session.find_window(ANY_DIALOG) is None:
                self.assertLess(time.monotonic(), deadline, f"{key} opened no dialog")
                time.sleep(POLL_SECONDS)
            self.answer_dialogs()
        self.fastest_tick()
        keys = [self.rng.choice(self.rng.choice(KEY_POOLS)) for _ in range(KEY_EVENTS)]
        self.type_keys(keys[:WARM_UP])
        reference_kib = self.settled_memory()
        self.type_keys(keys[WARM_UP:])
        self.assert_alive_and_answering()
        self.assert_memory_held(reference_kib)


if __name__ == "__main__":
    unittest.main()
