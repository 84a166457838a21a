#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# Draws the application icon (a small maze on dark green with the pale-cyan player) as PNGs.
"""Regenerate with: python3 resources/make_icons.py resources/icons

Standard library only, and deterministic: the maze comes from a fixed linear congruential
sequence, so the same files come out on every machine.
"""

import struct
import sys
import zlib
from pathlib import Path

SIZES = (16, 32, 48, 64, 96, 128, 256)
ROCK = (0x00, 0x80, 0x00)
FLOOR = (0x00, 0x00, 0x00)
PLAYER = (0xC0, 0xFF, 0xFF)
GOAL = (0xFF, 0xFF, 0x00)
SUPERSAMPLE = 4


def rooms_per_side(size):
    """Fewer, larger corridors at the small sizes, where single pixels would blur."""
    if size <= 16:
        return 3
    if size <= 32:
        return 5
    return 7


def carve_maze(rooms, seed=2026):
    """Depth-first carve of a perfect maze; rooms sit at odd coordinates inside a rim of rock."""
    cells = 2 * rooms + 1
    wall = [[True] * cells for _ in range(cells)]
    state = seed

    def next_index(n):
        nonlocal state
        state = (state * 1103515245 + 12345) & 0x7FFFFFFF
        return (state >> 16) % n

    start = (rooms // 2, rooms // 2)
    stack = [start]
    seen = {start}
    wall[2 * start[1] + 1][2 * start[0] + 1] = False
    while stack:
        x, y = stack[-1]
        ways = [(dx, dy) for dx, dy in ((0, -1), (1, 0), (0, 1), (-1, 0))
                if 0 <= x + dx < rooms and 0 <= y + dy < rooms and (x + dx, y + dy) not in seen]
        if not ways:
            stack.pop()
            continue
        dx, dy = ways[next_index(len(ways))]
        nx, ny = x + dx, y + dy
        wall[2 * y + 1 + dy][2 * x + 1 + dx] = False
        wall[2 * ny + 1][2 * nx + 1] = False
        seen.add((nx, ny))
        stack.append((nx, ny))
    return wall, start


def render(size):
    rooms = rooms_per_side(size)
    wall, start = carve_maze(rooms)
    cells = len(wall)
    goal = (rooms - 1, rooms - 1)
    dots = ((start, PLAYER), (goal, GOAL))
    fine = size * SUPERSAMPLE
    rows = []
    for py in range(size):
        row = bytearray()
        for px in range(size):
            total = [0, 0, 0]
            for sy in range(SUPERSAMPLE):
                for sx in range(SUPERSAMPLE):
                    fx = (px * SUPERSAMPLE + sx + 0.5) / fine * cells
                    fy = (py * SUPERSAMPLE + sy + 0.5) / fine * cells
                    colour = ROCK if wall[int(fy)][int(fx)] else FLOOR
                    for (rx, ry), dot in dots:
                        cx, cy = 2 * rx + 1.5, 2 * ry + 1.5
                        if (fx - cx) ** 2 + (fy - cy) ** 2 <= 0.45 ** 2 * 4:
                            colour = dot
                    for i in range(3):
                        total[i] += colour[i]
            samples = SUPERSAMPLE * SUPERSAMPLE
            row += bytes(round(c / samples) for c in total) + b"\xff"
        rows.append(bytes(row))
    return rows


def png_bytes(rows, size):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = b"".join(b"\x00" + row for row in rows)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    out = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).parent / "icons")
    out.mkdir(parents=True, exist_ok=True)
    for size in SIZES:
        (out / f"quillmoor-{size}.png").write_bytes(png_bytes(render(size), size))


if __name__ == "__main__":
    main()
