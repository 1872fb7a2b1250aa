#!/usr/bin/env python3
"""Writes the stand-in built-in picture of the picture element (resource
type CTRL_IMGS 149): 132 x 27, 32-bit, a framed blue gradient."""
import os
import struct
import sys

out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
W, H = 132, 27


def pixel(x, y):
    if x in (0, W - 1) or y in (0, H - 1):
        return (40, 70, 120)
    t = y / (H - 1)
    return (int(120 + 100 * t), int(170 + 60 * t), 240)


rows = []
for y in reversed(range(H)):
    rows.append(b"".join(struct.pack("BBBB", b, g, r, 255) for r, g, b in (pixel(x, y) for x in range(W))))
pixels = b"".join(rows)
header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 32, 0, len(pixels), 2835, 2835, 0, 0)
with open(os.path.join(out, "ctrl_picture.bmp"), "wb") as f:
    f.write(header + info + pixels)
