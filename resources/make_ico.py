#!/usr/bin/env python3
"""Packs the icon's three images into a Windows .ico: 16 x 16 with a
256-colour palette, 32 x 32 and 48 x 48 in 24-bit colour, each with a 1-bit
transparency mask. The pixels come from ImageMagick as raw RGBA.

    python3 make_ico.py tarnwick.ico icon-16.png icon-32.png icon-48.png
"""
import struct
import subprocess
import sys

CONVERT = "/usr/bin/convert"  # ImageMagick itself, not a wrapper earlier on PATH


def rgba(path, size):
    data = subprocess.run([CONVERT, path, "-depth", "8", "rgba:-"], check=True, capture_output=True).stdout
    assert len(data) == size * size * 4, path
    return [tuple(data[i:i + 4]) for i in range(0, len(data), 4)]


def padded(row):
    return row + b"\0" * (-len(row) % 4)


def dib(pixels, size, bits):
    """A BMP image as an .ico holds it: bottom-up colour rows, then the AND mask."""
    opaque = [a >= 128 for (_, _, _, a) in pixels]
    palette = b""
    if bits == 8:
        colours = sorted({(r, g, b) for (r, g, b, a), shown in zip(pixels, opaque) if shown} | {(0, 0, 0)})
        assert len(colours) <= 256, "quantise the 16 x 16 image to 256 colours first"
        index = {colour: i for i, colour in enumerate(colours)}
        palette = b"".join(bytes((b, g, r, 0)) for (r, g, b) in colours) + b"\0" * 4 * (256 - len(colours))
    rows, mask = [], []
    for y in reversed(range(size)):
        line = pixels[y * size:(y + 1) * size]
        shown = opaque[y * size:(y + 1) * size]
        if bits == 8:
            rows.append(padded(bytes(index[(r, g, b)] if s else index[(0, 0, 0)] for (r, g, b, _), s in zip(line, shown))))
        else:
            rows.append(padded(b"".join(bytes((b, g, r)) if s else b"\0\0\0" for (r, g, b, _), s in zip(line, shown))))
        bitsrow = bytearray((size + 7) // 8)
        for x, s in enumerate(shown):
            if not s:
                bitsrow[x // 8] |= 0x80 >> (x % 8)
        mask.append(padded(bytes(bitsrow)))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, 0, 0, 0, 256 if bits == 8 else 0, 0)
    return header + palette + b"".join(rows) + b"".join(mask)


def main(out_path, *png_paths):
    images = []
    for path, (size, bits) in zip(png_paths, [(16, 8), (32, 24), (48, 24)]):
        images.append((size, bits, dib(rgba(path, size), size, bits)))
    offset = 6 + 16 * len(images)
    directory, blobs = b"", b""
    for size, bits, blob in images:
        colour_count = 0  # 256 colours are written as 0 in the directory
        directory += struct.pack("<BBBBHHII", size, size, colour_count, 0, 1, bits, len(blob), offset + len(blobs))
        blobs += blob
    with open(out_path, "wb") as out:
        out.write(struct.pack("<HHH", 0, 1, len(images)) + directory + blobs)


if __name__ == "__main__":
    main(*sys.argv[1:])
