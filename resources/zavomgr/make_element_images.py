#!/usr/bin/env python3
"""Writes the stand-in built-in picture of the picture element (resource
type CTRL_IMGS 149): 132 x 27, 32-bit, a framed blue gradient."""
import os
import sys

sys.dont_write_bytecode = True   # no cache folder among the resources
from bmpfile import bmp

out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
W, H = 132, 27


def pixel(x, y):
    if x in (0, W - 1) or y in (0, H - 1):
        return (40, 70, 120)
    t = y / (H - 1)
    return (int(120 + 100 * t), int(170 + 60 * t), 240)


with open(os.path.join(out, "ctrl_picture.bmp"), "wb") as f:
    f.write(bmp(W, H, pixel, 32))
