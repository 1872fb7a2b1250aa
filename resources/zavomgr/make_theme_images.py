#!/usr/bin/env python3
"""Writes the stand-in pictures of the built-in button and progress themes
(resource type CTRL_IMGS): 32-bit button states and 8-bit progress parts."""
import os
import sys

sys.dont_write_bytecode = True   # no cache folder among the resources
from bmpfile import bmp

out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))


def framed(width, height, border, top, bottom):
    """A one-pixel frame around a vertical gradient from top to bottom."""
    def pixel(x, y):
        if x in (0, width - 1) or y in (0, height - 1):
            return border
        t = y / max(1, height - 1)
        return tuple(int(a + (b - a) * t) for a, b in zip(top, bottom))
    return pixel


pictures = {
    "ctrl_button_normal.bmp": (20, 21, framed(20, 21, (112, 112, 112), (250, 250, 250), (214, 214, 214)), 32),
    "ctrl_button_hover.bmp": (20, 21, framed(20, 21, (60, 127, 177), (234, 246, 253), (190, 230, 253)), 32),
    "ctrl_button_selected.bmp": (20, 21, framed(20, 21, (44, 98, 139), (194, 228, 246), (109, 182, 221)), 32),
    "ctrl_button_disabled.bmp": (20, 21, framed(20, 21, (173, 178, 181), (244, 244, 244), (244, 244, 244)), 32),
    "ctrl_progress_track.bmp": (9, 19, framed(9, 19, (160, 160, 160), (240, 240, 240), (220, 220, 220)), 8),
    "ctrl_progress_chunk.bmp": (10, 12, lambda x, y: (6, 176, 37) if x < 9 else (220, 220, 220), 8),
    "ctrl_progress_vtrack.bmp": (19, 9, framed(19, 9, (160, 160, 160), (240, 240, 240), (220, 220, 220)), 8),
    "ctrl_progress_vchunk.bmp": (12, 10, lambda x, y: (6, 176, 37) if y < 9 else (220, 220, 220), 8),
}
for name, (w, h, pixel, bpp) in pictures.items():
    with open(os.path.join(out, name), "wb") as f:
        f.write(bmp(w, h, pixel, bpp))
