#!/usr/bin/env python3
"""Writes Tessumgr's pictures into the folder given: the VISTA_IMGS pictures
(PNG, the 32-bit banner BMP), the two icons and the theme package (a zip of
Black/theme.ini and its bitmaps)."""
import os
import struct
import sys
import zipfile
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
    130: (0x30, 0x90, 0x30), 131: (0x30, 0x60, 0xC0), 132: (0x70, 0x50, 0xB0), 133: (0x60, 0x60, 0x60),
    134: (0x30, 0x60, 0xC0), 135: (0xC0, 0x80, 0x20), 136: (0x20, 0x90, 0xA0), 137: (0xA0, 0x70, 0x20),
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


def theme_files():
    key = (255, 0, 255)

    def top(x, y):   # active upper half, inactive lower half; key colour in the rounded corners
        half = y % 24
        if (x < 3 or x > 36) and half < 3 - min(x, 39 - x):
            return key
        return (0x20, 0x30, 0x50) if y < 24 else (0x50, 0x50, 0x58)

    def side(x, y):
        return (0x20, 0x30, 0x50) if x < 4 else (0x50, 0x50, 0x58)

    def bottom(x, y):
        return (0x20, 0x30, 0x50) if y < 4 else (0x50, 0x50, 0x58)

    def close(x, y):
        frame = x // 20
        base = [(0xC0, 0x40, 0x40), (0x80, 0x20, 0x20), (0xE0, 0x60, 0x60), (0x80, 0x80, 0x80)][frame]
        lx = x % 20
        return (255, 255, 255) if abs(lx - y) < 2 and 5 <= y <= 14 or abs(19 - lx - y) < 2 and 5 <= y <= 14 else base

    ini = ("[Personality]\r\nTop=top.bmp\r\nLeft=left.bmp\r\nRight=right.bmp\r\nBottom=bottom.bmp\r\n"
           "TopTopHeight=8\r\nTopBotHeight=8\r\nLeftTopHeight=2\r\nLeftBotHeight=2\r\nRightTopHeight=2\r\n"
           "RightBotHeight=2\r\nBottomTopHeight=4\r\nBottomBotHeight=4\r\nButtonCount=1\r\nButtonImgCount=4\r\n"
           "TextShift=28\r\nTextShiftVert=5\r\nUsesTran=1\r\n"
           "[Button0]\r\nButtonImage=close.bmp\r\nAction=0\r\nXCoord=26\r\nYCoord=2\r\n"
           "[Colours]\r\nTitleText=255 255 255\r\nInactiveTitleText=192 192 192\r\nTransColor=255 0 255\r\n"
           "[Buttons]\r\nButtonImage=button.bmp\r\n")

    def button(x, y):
        frame = x // 60
        base = [(0xE8, 0xE8, 0xF0), (0xC0, 0xC8, 0xE0), (0xF8, 0xF8, 0xFF), (0xD0, 0xD0, 0xD0)][min(frame, 3)]
        return (0x40, 0x50, 0x70) if y in (0, 21) or x % 60 in (0, 59) else base

    return {
        "Black/theme.ini": ini.encode(),
        "Black/top.bmp": bmp(40, 48, top),
        "Black/left.bmp": bmp(8, 20, side),
        "Black/right.bmp": bmp(8, 20, side),
        "Black/bottom.bmp": bmp(20, 8, bottom),
        "Black/close.bmp": bmp(80, 20, close),
        "Black/button.bmp": bmp(240, 22, button),
    }


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
    with zipfile.ZipFile(os.path.join(out, "theme.zip"), "w", zipfile.ZIP_DEFLATED) as z:
        for name, data in theme_files().items():
            z.writestr(zipfile.ZipInfo(name, (2008, 8, 23, 20, 38, 48)), data)


main(sys.argv[1])
