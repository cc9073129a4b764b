#!/usr/bin/env python3
"""Pads a Windows program with zeros to a multiple of eight bytes and sets the
checksum in its header to match, in place.

An Authenticode signature is appended at such a multiple, so signing pads
the file first, and taking the signature off leaves the padding (with the
checksum of the padded file). Padded here, every tarnwick.exe handed out
is what taking the signature off its signed copy gives back, byte for
byte: anyone can check a signed exe against their own build.

    align_exe.py tarnwick.exe
"""
import struct
import sys


def checksum_offset(image):
    """Where the optional header's CheckSum is: after the PE signature, the
    file header and 64 bytes of the optional header, in PE32 and PE32+."""
    (pe_header,) = struct.unpack_from("<I", image, 0x3C)
    if image[pe_header : pe_header + 4] != b"PE\0\0":
        raise SystemExit(f"{sys.argv[1]}: not a Windows program")
    return pe_header + 4 + 20 + 64


def pe_checksum(image):
    """The checksum Windows' own tools compute: the 16-bit words of the file
    (its checksum field zero) added with their carries folded back, plus
    the file's length."""
    total = 0
    for (word,) in struct.iter_unpack("<H", image):
        total += word
        total = (total & 0xFFFF) + (total >> 16)
    return total + len(image)


def main():
    path = sys.argv[1]
    with open(path, "rb") as f:
        image = bytearray(f.read())
    image += bytes(-len(image) % 8)
    offset = checksum_offset(image)
    struct.pack_into("<I", image, offset, 0)
    struct.pack_into("<I", image, offset, pe_checksum(image))
    with open(path, "wb") as f:
        f.write(image)


if __name__ == "__main__":
    main()
