#!/usr/bin/env python3
"""Writes Pelsys's toolbar bitmap (eight 16x16 images in one 128x16 24-bit
strip, grey 192 transparent) and its icon: make_images.py <bmp> <ico>."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "zavomgr"))
from bmpfile import bmp, ico  # noqa: E402

GREY = (192, 192, 192)
INK = (40, 40, 60)
PAPER = (250, 250, 250)
FOLDER = (240, 200, 80)
BLUE = (40, 110, 210)
GREEN = (40, 160, 70)
RED = (200, 50, 50)


def page(x, y):
    if 3 <= x <= 12 and 1 <= y <= 14:
        return INK if x in (3, 12) or y in (1, 14) else PAPER
    return None


def new(x, y):
    if (x, y) in ((11, 2), (12, 3), (13, 2), (12, 1)) or (x == 12 and y == 2):
        return (240, 190, 0)
    return page(x, y)


def folder(x, y):
    if 1 <= x <= 6 and 3 <= y <= 4:
        return FOLDER if y == 4 else INK
    if 1 <= x <= 14 and 5 <= y <= 13:
        return INK if x in (1, 14) or y in (5, 13) else FOLDER
    return None


def open_(x, y):
    if 9 <= x <= 14 and 1 <= y <= 4 and x - 9 == 4 - y:
        return GREEN
    return folder(x, y)


def save(x, y):
    if 1 <= x <= 14 and 1 <= y <= 14:
        if x in (1, 14) or y in (1, 14):
            return INK
        if 4 <= x <= 11 and 2 <= y <= 6:
            return PAPER
        if 5 <= x <= 10 and 10 <= y <= 13:
            return (120, 120, 130)
        return BLUE
    return None


def from_folder(x, y):
    if 10 <= x <= 15 and 9 <= y <= 15:
        return INK if x in (10, 15) or y in (9, 15) else (120, 200, 255)
    return folder(x, y)


def cut(x, y):
    if (x - 4) ** 2 + (y - 12) ** 2 <= 5 or (x - 11) ** 2 + (y - 12) ** 2 <= 5:
        return RED
    if 2 <= y <= 10 and (x == 4 + (y - 2) // 2 + 1 or x == 11 - (y - 2) // 2 - 1):
        return INK
    return None


def copy(x, y):
    if 7 <= x <= 14 and 5 <= y <= 14:
        return INK if x in (7, 14) or y in (5, 14) else PAPER
    if 1 <= x <= 8 and 1 <= y <= 10:
        return INK if x in (1, 8) or y in (1, 10) else PAPER
    return None


def paste(x, y):
    if 7 <= x <= 14 and 6 <= y <= 14:
        return INK if x in (7, 14) or y in (6, 14) else PAPER
    if 1 <= x <= 11 and 2 <= y <= 13:
        return INK if x in (1, 11) or y in (2, 13) else (170, 120, 60)
    return None


def about(x, y):
    d = (x - 7.5) ** 2 + (y - 7.5) ** 2
    if d <= 49:
        if x in (7, 8) and (y in (3, 4) or 6 <= y <= 12):
            return PAPER
        return BLUE if d <= 36 else INK
    return None


IMAGES = [new, open_, save, from_folder, cut, copy, paste, about]


def strip(x, y):
    return IMAGES[x // 16](x % 16, y) or GREY


def icon(size, x, y):
    u, v = x * 16 // size, y * 16 // size
    c = from_folder(u, v)
    return (*c, 255) if c else (0, 0, 0, 0)


with open(sys.argv[1], "wb") as f:
    f.write(bmp(128, 16, strip))
with open(sys.argv[2], "wb") as f:
    f.write(ico(icon))
