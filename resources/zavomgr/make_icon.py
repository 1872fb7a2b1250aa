#!/usr/bin/env python3
"""Writes the studio's icon (32x32 and 16x16, 32-bit) to the path given."""
import sys
from bmpfile import ico


def pixel(size, x, y):
    edge = x in (0, size - 1) or y in (0, size - 1)
    band = size // 3 <= y < 2 * size // 3
    b, g, r = (0x40, 0x20, 0x10) if edge else ((0xE0, 0x90, 0x30) if band else (0xF8, 0xF0, 0xE8))
    return r, g, b, 255


with open(sys.argv[1], "wb") as f:
    f.write(ico(pixel))
