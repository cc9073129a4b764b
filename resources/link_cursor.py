#!/usr/bin/env python3
"""Draws the link cursor, pixel by pixel: a white pointing hand with a black
outline above the word LINK in black capitals. 32 x 32, fully opaque or fully
transparent pixels, the hot spot at x 6, y 0 (the fingertip). Writes it as a
PNG (for Qt) and as a Windows cursor (24-bit colour with its mask).

    python3 link_cursor.py link-cursor.png link-cursor.cur
"""
import struct
import sys
import zlib

from make_ico import dib

# B black, W white, . transparent.
HAND = """\
......BB
.....BWWB
.....BWWB
.....BWWB
.....BWWBBB
.....BWWBWWBBB
.....BWWBWWBWWBB
.....BWWBWWBWWBWWB
.BB..BWWBWWBWWBWWB
BWWB.BWWWWWWWWWWWB
BWWWBBWWWWWWWWWWWB
.BWWWBWWWWWWWWWWWB
..BWWWWWWWWWWWWWWB
...BWWWWWWWWWWWWWB
...BWWWWWWWWWWWWB
....BWWWWWWWWWWWB
.....BWWWWWWWWWB
......BWWWWWWWWB
......BWWWWWWWWB
......BBBBBBBBBB"""

LETTERS = {
    "L": ["B....", "B....", "B....", "B....", "B....", "B....", "BBBBB"],
    "I": ["BBB", ".B.", ".B.", ".B.", ".B.", ".B.", "BBB"],
    "N": ["B...B", "BB..B", "BB..B", "B.B.B", "B..BB", "B..BB", "B...B"],
    "K": ["B...B", "B..B.", "B.B..", "BB...", "B.B..", "B..B.", "B...B"],
}
WORD_TOP, WORD_LEFT = 23, 5
SIZE = 32
HOT_SPOT = (6, 0)
COLOURS = {"B": (0, 0, 0, 255), "W": (255, 255, 255, 255), ".": (0, 0, 0, 0)}


def pixels():
    grid = [["."] * SIZE for _ in range(SIZE)]
    for y, row in enumerate(HAND.splitlines()):
        for x, cell in enumerate(row):
            grid[y][x] = cell
    left = WORD_LEFT
    for letter in "LINK":
        rows = LETTERS[letter]
        for y, row in enumerate(rows):
            for x, cell in enumerate(row):
                if cell == "B":
                    grid[WORD_TOP + y][left + x] = "B"
        left += len(rows[0]) + 1
    return grid


def png(grid):
    raw = b"".join(b"\0" + b"".join(bytes(COLOURS[cell]) for cell in row) for row in grid)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def cur(grid):
    """A .cur file: an .ico whose directory holds the hot spot where an icon has planes and bits."""
    image = dib([COLOURS[cell] for row in grid for cell in row], SIZE, 24)
    directory = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, *HOT_SPOT, len(image), 6 + 16)
    return struct.pack("<HHH", 0, 2, 1) + directory + image


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as out:
        out.write(png(pixels()))
    with open(sys.argv[2], "wb") as out:
        out.write(cur(pixels()))
