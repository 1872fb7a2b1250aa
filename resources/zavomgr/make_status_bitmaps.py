#!/usr/bin/env python3
"""Writes the stand-in pictures of the status bar's position and size panes
(16 x 16, 24-bit BMP, magenta background) into the folder given (default:
this folder)."""
import os, struct, sys

MAGENTA = (255, 0, 255)
INK = (0, 64, 160)

def bmp(width, height, pixel):
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):          # bottom-up
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (stride - width * 3)
        rows.append(bytes(row))
    data = b"".join(rows)
    head = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return head + info + data

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
