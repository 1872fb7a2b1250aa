#!/usr/bin/env python3
"""Writes the deploy wizard's banner icons (48, 32 and 16 pixels, 32-bit):
a disc for the target page and a sheet with ticks for the options page.
Usage: make_deploy_icons.py TARGET.ico OPTIONS.ico"""
import sys
from bmpfile import ico


def disc(size, x, y):
    c = (size - 1) / 2.0
    d = ((x - c) ** 2 + (y - c) ** 2) ** 0.5
    r = size / 2.0
    if d > r - 0.5:
        return 0, 0, 0, 0
    if d > r - 1.5:
        return 0x30, 0x40, 0x60, 255
    if d < r * 0.15:
        return 0, 0, 0, 0
    if d < r * 0.3:
        return 0x90, 0x90, 0x98, 255
    shade = int(0xC0 + 0x30 * (x / float(size)))
    return shade, shade, 0xF0, 255


def sheet(size, x, y):
    m = size // 8
    if x < m or x >= size - m or y < m // 2 or y >= size - m // 2:
        return 0, 0, 0, 0
    if x in (m, size - m - 1) or y in (m // 2, size - m // 2 - 1):
        return 0x40, 0x40, 0x50, 255
    step = max(size // 6, 3)
    row = (y - m) % step
    if row == 0 and x > m + step:
        return 0x80, 0x90, 0xA0, 255
    if m + 2 <= x < m + 2 + step // 2 and 0 < row <= step // 2:
        return 0x20, 0xA0, 0x30, 255
    return 0xFF, 0xFF, 0xF8, 255


with open(sys.argv[1], "wb") as f:
    f.write(ico(disc, (48, 32, 16)))
with open(sys.argv[2], "wb") as f:
    f.write(ico(sheet, (48, 32, 16)))
