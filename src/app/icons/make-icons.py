#!/usr/bin/env python3
"""Writes the player's play/stop icons and link cursor as .ico/.cur files.

Each image is 32 x 32, one bit per pixel, with a two-entry palette and an
AND mask. The icons are fully opaque: a light grey field with a black 10 x 10
figure in columns and rows 11 to 20. Run from anywhere; the files land beside
this script.
"""
import os
import struct

SIZE = 32
HERE = os.path.dirname(os.path.abspath(__file__))


def packed_rows(bits):
    """Rows of 0/1 values (top row first) as a bottom-up 1-bpp bitmap."""
    data = b""
    for row in reversed(bits):
        value = 0
        for bit in row:
            value = (value << 1) | bit
        data += struct.pack(">I", value)
    return data


def image_file(kind, palette, xor_bits, and_bits, hotspot=(0, 0)):
    """One-image .ico (kind 1) or .cur (kind 2) file."""
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    body = header + colours + packed_rows(xor_bits) + packed_rows(and_bits)
    if kind == 1:
        planes, bit_count = 1, 1
    else:
        planes, bit_count = hotspot
    directory = struct.pack("<HHH", 0, kind, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, planes, bit_count, len(body), 6 + 16)
    return directory + entry + body


def figure(inside):
    return [[1 if inside(x, y) else 0 for x in range(SIZE)] for y in range(SIZE)]


def in_square(x, y):
    return 11 <= x <= 20 and 11 <= y <= 20


def in_play_triangle(x, y):
    if not in_square(x, y):
        return False
    # Rows 15 and 16 reach column 20 (the tip); each row further out is two
    # pixels shorter, down to two pixels on rows 11 and 20.
    distance = 15 - y if y <= 15 else y - 16
    return x <= 20 - 2 * distance


OPAQUE = [[0] * SIZE for _ in range(SIZE)]

# A pointing arrow whose tip is the hot spot (6, 0): X black, . white.
ARROW = [
    "X",
    "XX",
    "X.X",
    "X..X",
    "X...X",
    "X....X",
    "X.....X",
    "X......X",
    "X.......X",
    "X........X",
    "X.....XXXXX",
    "X..X..X",
    "X.XX..X",
    "XX  X..X",
    "X   X..X",
    "     X..X",
    "     X..X",
    "      XX",
]


def arrow_cursor():
    xor_bits = [[0] * SIZE for _ in range(SIZE)]
    and_bits = [[1] * SIZE for _ in range(SIZE)]
    for y, line in enumerate(ARROW):
        for column, mark in enumerate(line):
            x = 6 + column
            if mark == "X":
                and_bits[y][x], xor_bits[y][x] = 0, 0
            elif mark == ".":
                and_bits[y][x], xor_bits[y][x] = 0, 1
    return xor_bits, and_bits


def main():
    black = (0, 0, 0)
    outputs = {
        "play.ico": image_file(1, [(244, 244, 244), black], figure(in_play_triangle), OPAQUE),
        "stop.ico": image_file(1, [(234, 234, 234), black], figure(in_square), OPAQUE),
        "link.cur": image_file(2, [black, (255, 255, 255)], *arrow_cursor(), hotspot=(6, 0)),
    }
    for name, data in outputs.items():
        with open(os.path.join(HERE, name), "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main()
