#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes the fuzz target's starting inputs to tests/fuzz_corpus, in the layout fuzz_game.cpp
reads: n, n random bytes, the starting hit points, then a key byte and a flag byte per tick."""

import pathlib
import random

CORPUS = pathlib.Path(__file__).resolve().parents[2] / "tests" / "fuzz_corpus"

# Key bytes: indices into the accepted keys, then the rejected ones, then steering.
ESCAPE, SPACE, LEFT, UP, RIGHT, DOWN = range(6)
DIGIT_1 = 6
A, F, N, R, S, V, W = range(15, 22)
REJECTED_FROM, STEER, NOTHING = 22, 32, 255
# Holds: a pause, the keys dialog, and V, A or Esc with their dialogs answered later.
PAUSE, KEYS_DIALOG, LATE_V, LATE_A, LATE_ESCAPE = range(48, 53)
FULL_HIT_POINTS, LAST_HIT_POINT = 19, 0  # the game starts with 1 + byte % 20


def flags(shift=0, ctrl=0, answer=0, second=0, quiet=0):
    """answer: 0 OK, 1 Cancel, 2 none, 3 an error; quiet: steps of two quiet ticks."""
    return shift | ctrl << 1 | answer << 2 | second << 4 | quiet << 5


def write(name, random_bytes, hit_points, ticks):
    data = bytes([len(random_bytes), *random_bytes, hit_points])
    data += bytes(byte for tick in ticks for byte in tick)
    (CORPUS / name).write_bytes(data)


def main():
    rng = random.Random(8)
    noise = lambda count: [rng.randrange(256) for _ in range(count)]
    CORPUS.mkdir(exist_ok=True)
    write("quiet_growth", [], FULL_HIT_POINTS, [(NOTHING, flags(quiet=7))] * 40)
    write("rush_to_goal", noise(32), FULL_HIT_POINTS, [(S, 0)] + [(STEER, 0)] * 1200)
    write("keys_and_answers", noise(64), FULL_HIT_POINTS,
          [(NOTHING, flags(quiet=2)), (DIGIT_1, flags(shift=1, ctrl=1)),
           (DIGIT_1 + 8, flags(ctrl=1)), (DIGIT_1 + 4, flags(shift=1)), (DIGIT_1 + 1, 0),
           (DIGIT_1 + 2, 0), (DIGIT_1 + 6, 0), (ESCAPE, flags(answer=1)),
           (ESCAPE, flags(answer=2)), (ESCAPE, flags(answer=3)), (SPACE, 0), (A, 0), (V, 0),
           (F, flags(quiet=1)), (W, flags(quiet=2)), (N, flags(quiet=1)), (R, 0), (LEFT, 0),
           (UP, 0), (RIGHT, 0), (DOWN, 0), (S, 0), (ESCAPE, flags(answer=1)), (ESCAPE, 0),
           (NOTHING, flags(quiet=3))])
    write("rejected_and_double_keys", [0xFF] * 8, FULL_HIT_POINTS,
          [(key, flags(second=1, shift=key & 1)) for key in range(REJECTED_FROM, STEER)] +
          [(key, flags(second=1)) for key in range(REJECTED_FROM)])
    write("wander_into_aliens", noise(200), FULL_HIT_POINTS,
          [(S, 0), (F, flags(quiet=7))] + [(NOTHING, flags(quiet=7))] * 30)
    # Every random word is the start cell: all aliens start on the player, and the last hit
    # point goes in the first tick; the dialog is closed without OK.
    write("aliens_on_the_start_cell", [0x80, 0x40], LAST_HIT_POINT,
          [(NOTHING, flags(answer=1)), (ESCAPE, flags(answer=1)), (NOTHING, flags(answer=2))])
    write("holds_and_late_answers", noise(48), FULL_HIT_POINTS,
          [(PAUSE, flags(quiet=3)), (R, 0), (KEYS_DIALOG, flags(quiet=2)), (LATE_V, flags(quiet=1)),
           (LATE_A, flags(quiet=4)), (LATE_ESCAPE, flags(answer=1, quiet=2)),
           (LATE_ESCAPE, flags(quiet=1)), (DIGIT_1 + 1, flags(shift=1)), (PAUSE, 0),
           (S, 0)] + [(STEER, 0)] * 400)


if __name__ == "__main__":
    main()
