#!/usr/bin/env python3
"""Draws the link cursor, pixel by pixel: a white pointing hand with a black
outline above the word LINK in black capitals. 32 x 32, fully opaque or fully
transparent pixels, the hot spot at x 6, y 0 (the fingertip). For screens of
more pixels to the inch, the same drawing with every pixel made 1.5, 2 and 3
pixels wide (48, 64 and 96 pixels), its hot spot with it, so that its edges
stay as sharp as the text's. Writes each size as a PNG (for Qt), and all
four in one Windows cursor (24-bit colour with its mask), from which Windows
takes the size for the window's DPI.

    python3 link_cursor.py link-cursor   # link-cursor.png, link-cursor@1.5x.png, @2x, @3x, link-cursor.cur
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


SCALES = (1, 1.5, 2, 3)


def scaled(grid, scale):
    """The drawing at `scale`, each pixel of it taken from the one under it."""
    size = round(SIZE * scale)
    return [[grid[int(y / scale)][int(x / scale)] for x in range(size)] for y in range(size)]


def png(grid):
    size = len(grid)
    raw = b"".join(b"\0" + b"".join(bytes(COLOURS[cell]) for cell in row) for row in grid)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def cur(grids):
    """A .cur file: an .ico whose directory holds the hot spot where an icon has planes and bits."""
    images = [(len(grid), scale, dib([COLOURS[cell] for row in grid for cell in row], len(grid), 24))
              for grid, scale in grids]
    offset = 6 + 16 * len(images)
    directory, blobs = b"", b""
    for size, scale, image in images:
        hot_x, hot_y = (round(c * scale) for c in HOT_SPOT)
        directory += struct.pack("<BBBBHHII", size, size, 0, 0, hot_x, hot_y, len(image), offset + len(blobs))
        blobs += image
    return struct.pack("<HHH", 0, 2, len(images)) + directory + blobs


def suffix(scale):
    return "" if scale == 1 else f"@{scale:g}x"


if __name__ == "__main__":
    name = sys.argv[1]
    grids = [(scaled(pixels(), scale), scale) for scale in SCALES]
    for grid, scale in grids:
        with open(f"{name}{suffix(scale)}.png", "wb") as out:
            out.write(png(grid))
    with open(f"{name}.cur", "wb") as out:
        out.write(cur(grids))
