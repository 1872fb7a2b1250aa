#!/usr/bin/env python3
"""Writes the 64 x 64 24-bit placeholder picture of the menu package list:
a light grey square with a darker frame and a diagonal cross."""
import struct
import sys

SIZE = 64


def pixel(x, y):
    if x in (0, SIZE - 1) or y in (0, SIZE - 1):
        return (128, 128, 128)
    if abs(x - y) <= 1 or abs(x + y - SIZE + 1) <= 1:
        return (176, 176, 176)
    return (232, 232, 232)


def main(out):
    row = SIZE * 3
    pixels = bytearray()
    for y in range(SIZE - 1, -1, -1):
        for x in range(SIZE):
            r, g, b = pixel(x, y)
            pixels += bytes((b, g, r))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    assert row % 4 == 0
    with open(out, "wb") as f:
        f.write(header + info + pixels)


if __name__ == "__main__":
    main(sys.argv[1])
