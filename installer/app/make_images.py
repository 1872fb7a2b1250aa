#!/usr/bin/env python3
"""Writes Tessumgr's pictures into the folder given: the VISTA_IMGS pictures
(PNG, the 32-bit banner BMP) and the two icons. The skin's theme package and
button bitmaps come from resources/tessumgr/make_skin.py."""
import os
import struct
import sys
import zlib

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "resources", "zavomgr"))
from bmpfile import bmp, ico  # noqa: E402


def png(width, height, pixel):
    """A 32-bit RGBA PNG of pixel(x, y) -> (r, g, b, a)."""
    raw = bytearray()
    for y in range(height):
        raw.append(0)
        for x in range(width):
            raw += bytes(pixel(x, y))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    head = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", head) + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + \
        chunk(b"IEND", b"")


def disc(colour, mark):
    """A round 32 x 32 command picture of one colour with a light mark."""
    def pixel(x, y):
        dx, dy = x - 15.5, y - 15.5
        if dx * dx + dy * dy > 15 * 15:
            return (0, 0, 0, 0)
        if mark(x, y):
            return (255, 255, 255, 255)
        shade = 40 if y < 16 else 0
        return tuple(min(255, c + shade) for c in colour) + (255,)
    return pixel


MARKS = {
    130: (0x30, 0x90, 0x30), 131: (0x30, 0x60, 0xC0), 132: (0x70, 0x50, 0xB0), 135: (0xC0, 0x80, 0x20), 136: (0x20, 0x90, 0xA0), 137: (0xA0, 0x70, 0x20),
    138: (0x20, 0x70, 0xB0), 139: (0x50, 0x50, 0x90), 146: (0x30, 0x50, 0x90), 147: (0xD0, 0x40, 0x20),
}


def bar(x, y):
    return 9 <= y <= 12 and 8 <= x <= 23 or 19 <= y <= 22 and 8 <= x <= 23


def banner_background(x, y):
    t = y / 74.0
    return (int(0x20 + 0x30 * t), int(0x40 + 0x40 * t), int(0x80 + 0x50 * t), 255)


def banner_moving(x, y):
    dx = (x - 246) / 246.0
    a = max(0, int(200 * (1 - dx * dx)))
    return (255, 255, 255, a)


def folder(size, x, y):
    """A small yellow folder."""
    if 2 <= x <= 6 and 3 <= y <= 4 or 1 <= x <= 14 and 5 <= y <= 13:
        edge = x in (1, 14) or y in (5, 13) or (y == 3 and x <= 6)
        return (0x80, 0x60, 0x10, 255) if edge else (0xF0, 0xC8, 0x40, 255)
    return (0, 0, 0, 0)


def main(out):
    os.makedirs(out, exist_ok=True)

    def write(name, data):
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)
    write("vista_129.png", png(800, 75, banner_background))
    write("vista_153.bmp", bmp(492, 89, banner_moving, bpp=32))
    for rid, colour in MARKS.items():
        write("vista_%d.png" % rid, png(32, 32, disc(colour, bar)))
    write("tessumgr.ico", ico(lambda s, x, y: disc((0x30, 0x60, 0xC0), bar)(x * 32 // s, y * 32 // s)))
    write("browse.ico", ico(folder, sizes=(16,)))

main(sys.argv[1])
