#!/usr/bin/env python3
"""Writes the stand-in pictures of the status bar's position and size panes
(16 x 16, 24-bit BMP, magenta background) into the folder given (default:
this folder)."""
import os, sys

sys.dont_write_bytecode = True   # no cache folder among the resources
from bmpfile import bmp

MAGENTA = (255, 0, 255)
INK = (0, 64, 160)

def position(x, y):
    # a cross-hair
    if (x == 7 or y == 7) and 1 <= x <= 13 and 1 <= y <= 13:
        return INK
    return MAGENTA

def size(x, y):
    # a frame with a diagonal from its top-left to its bottom-right corner
    frame = (x in (1, 14) and 1 <= y <= 14) or (y in (1, 14) and 1 <= x <= 14)
    if frame or (x == y and 1 <= x <= 14):
        return INK
    return MAGENTA

def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for name, fn in (("status_position.bmp", position), ("status_size.bmp", size)):
        with open(os.path.join(out, name), "wb") as f:
            f.write(bmp(16, 16, fn))

if __name__ == "__main__":
    main()
