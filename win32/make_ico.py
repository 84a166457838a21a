#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Build tool: the Windows icon group from the project's icon art (resources/icons/*.png).

    make_ico.py <output.ico> <png>...

Every PNG (8-bit RGBA, as resources/make_icons.py draws them) becomes three images of its size:
24-bit, 8-bit with a palette of the image's own commonest colours, and 4-bit in the standard
16-colour palette, each with a 1-bit mask from the alpha channel. Standard library only and
deterministic, so two builds give the same bytes.
"""

import struct
import sys
import zlib

# The 16 colours every Windows display has, in their usual order.
VGA_PALETTE = (
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
)
DEPTHS = (24, 8, 4)
OPAQUE_FROM = 128


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def read_png(path):
    """Width, height and rows of (r, g, b, a) pixels, top row first."""
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(f"{path}: not a PNG file")
    pos, idat, header = 8, b"", None
    while pos < len(data):
        (length,) = struct.unpack(">I", data[pos:pos + 4])
        kind, body = data[pos + 4:pos + 8], data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour != 6 or interlace != 0:
        raise ValueError(f"{path}: only 8-bit RGBA without interlacing is read")
    raw = zlib.decompress(idat)
    stride, bpp = width * 4, 4
    rows, previous, pos = [], bytearray(stride), 0
    for _ in range(height):
        kind, line = raw[pos], bytearray(raw[pos + 1:pos + 1 + stride])
        pos += 1 + stride
        for i in range(stride):
            left = line[i - bpp] if i >= bpp else 0
            up = previous[i]
            corner = previous[i - bpp] if i >= bpp else 0
            predictor = (0, left, up, (left + up) // 2, paeth(left, up, corner))[kind]
            line[i] = (line[i] + predictor) & 0xFF
        rows.append([tuple(line[i:i + 4]) for i in range(0, stride, 4)])
        previous = line
    return width, height, rows


def nearest(colour, palette):
    return min(range(len(palette)),
               key=lambda i: sum((c - p) ** 2 for c, p in zip(colour, palette[i])))


def own_palette(rows):
    """The 256 commonest opaque colours, black first for the masked pixels, in a fixed order."""
    counts = {}
    for row in rows:
        for r, g, b, a in row:
            if a >= OPAQUE_FROM:
                counts[(r, g, b)] = counts.get((r, g, b), 0) + 1
    ranked = sorted(counts, key=lambda colour: (-counts[colour], colour))
    palette = [(0, 0, 0)] + [colour for colour in ranked if colour != (0, 0, 0)]
    return palette[:256]


def padded(row_bytes):
    return row_bytes + b"\0" * (-len(row_bytes) % 4)


def bmp_image(width, height, rows, depth):
    """A DIB as an icon holds it: header of double height, colour rows bottom-up, then mask."""
    palette = []
    if depth == 8:
        palette = own_palette(rows)
    elif depth == 4:
        palette = list(VGA_PALETTE)
    colours = 1 << depth if depth < 24 else 0
    header = struct.pack("<IiiHHIIiiII", 40, width, 2 * height, 1, depth, 0, 0, 0, 0, colours, 0)
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    table += b"\0" * (4 * colours - len(table))
    index_of = {}
    pixels, mask = b"", b""
    for row in reversed(rows):
        if depth == 24:
            line = b"".join(bytes((b, g, r)) if a >= OPAQUE_FROM else b"\0\0\0"
                            for r, g, b, a in row)
        else:
            indices = []
            for r, g, b, a in row:
                colour = (r, g, b) if a >= OPAQUE_FROM else (0, 0, 0)
                if colour not in index_of:
                    index_of[colour] = nearest(colour, palette)
                indices.append(index_of[colour])
            if depth == 8:
                line = bytes(indices)
            else:
                indices += [0] * (len(indices) % 2)
                line = bytes((indices[i] << 4) | indices[i + 1] for i in range(0, len(indices), 2))
        pixels += padded(line)
        bits = [0 if a >= OPAQUE_FROM else 1 for _, _, _, a in row]
        bits += [0] * (-len(bits) % 8)
        mask += padded(bytes(sum(bit << (7 - k) for k, bit in enumerate(bits[i:i + 8]))
                             for i in range(0, len(bits), 8)))
    return header + table + pixels + mask, colours


def main(argv):
    if len(argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    images = []
    sizes = [read_png(path) for path in argv[2:]]
    # Largest first, as the shell looks for the best size from the top.
    for width, height, rows in sorted(sizes, key=lambda image: -image[0]):
        for depth in DEPTHS:
            data, colours = bmp_image(width, height, rows, depth)
            images.append((width, height, depth, colours, data))
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    body = b""
    for width, height, depth, colours, data in images:
        directory += struct.pack("<BBBBHHII", width % 256, height % 256, colours % 256, 0, 1,
                                 depth, len(data), offset + len(body))
        body += data
    with open(argv[1], "wb") as out:
        out.write(directory + body)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
