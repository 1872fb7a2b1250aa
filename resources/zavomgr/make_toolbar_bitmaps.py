#!/usr/bin/env python3
"""Writes the stand-in toolbar bitmaps of the menus and bars (24-bit BMP, magenta
background) and the notifier skin into the folder given (default: this folder).
Each icon is a simple shape of its own colour, so every command is told apart."""
import os, sys

sys.dont_write_bytecode = True   # no cache folder among the resources
from bmpfile import bmp

MAGENTA = (255, 0, 255)

def colour(i):
    # distinct, saturated colours that are never magenta, grey 0xC0C0C0 or white
    palette = [(200, 40, 40), (40, 140, 40), (40, 60, 200), (200, 140, 0), (0, 140, 160),
               (140, 40, 160), (90, 90, 90), (160, 80, 20), (20, 100, 60), (60, 20, 120)]
    return palette[i % len(palette)]

def icon_strip(count, size, height=None):
    height = height or size
    def pixel(x, y):
        i, lx = divmod(x, size)
        c = colour(i)
        m = max(1, size // 8)
        shape = i % 4
        inside = False
        if shape == 0:      # square
            inside = m <= lx < size - m and m <= y < height - m
        elif shape == 1:    # disc
            cx, cy, r = (size - 1) / 2, (height - 1) / 2, size / 2 - m
            inside = (lx - cx) ** 2 + (y - cy) ** 2 <= r * r
        elif shape == 2:    # triangle
            inside = y >= m and abs(lx - (size - 1) / 2) <= (y - m) / 2 + 0.5 and y < height - m
        else:               # frame with a bar
            inside = (m <= lx < size - m and m <= y < height - m and
                      (lx in (m, size - m - 1) or y in (m, height - m - 1) or y == height // 2))
        if not inside:
            return MAGENTA
        # a dark outline pixel gives every icon some black
        if lx == size // 2 and y == height // 2:
            return (0, 0, 0)
        return c
    return bmp(count * size, height, pixel)

def skin(width, height):
    def pixel(x, y):
        if x in (0, width - 1) or y in (0, height - 1):
            return (40, 60, 110)
        t = y * 255 // (height - 1)
        return (230 - t // 6, 236 - t // 8, 250)
    return bmp(width, height, pixel)

FILES = {
    "menu_images.bmp": lambda: icon_strip(24, 16),          # toolbar 186
    "position_bar.bmp": lambda: icon_strip(20, 16, 15),     # toolbar 187
    "main_toolbar.bmp": lambda: icon_strip(20, 24),         # bitmap 108, toolbar 117
    "elements_toolbar.bmp": lambda: icon_strip(6, 24),      # bitmap 109, toolbar 112
    "notifier_skin.bmp": lambda: skin(200, 90),             # bitmap 120
}

if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for name, make in FILES.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(make())
