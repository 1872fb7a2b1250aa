#!/usr/bin/env python3
"""Writes the studio's own themes into a program's Themes folder:
Button/Dusk.zmt (a menu entry: normal, hover, selected and disabled pictures),
Progress/Dusk.zmt (a progress bar: track and chunk, horizontal and vertical)
and Pictures/Badge.png (a picture element's picture).
A theme file is a zip archive of one theme.ini and the pictures it names.
Usage: make_themes.py <Themes folder>"""
import math
import os
import struct
import sys
import zipfile
import zlib

# fixed entry times, so that the archives are the same on every build
kEntryTime = (2008, 1, 1, 0, 0, 0)


def png(width, height, pixel):
    """A 24-bit PNG; pixel(x, y) gives an (r, g, b) tuple."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\0" + b"".join(bytes(pixel(x, y)) for x in range(width)) for y in range(height))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(int(a[i] + (b[i] - a[i]) * t + 0.5) for i in range(3))


def framed(width, height, top, bottom, border, light):
    """A rounded plate: a border of one colour, a vertical gradient inside and
    a light line under the top edge. Corners outside the rounding take the
    border's darker shade, as the themes are drawn opaque."""
    def pixel(x, y):
        r = 4
        cx = r if x < r else (width - 1 - r if x > width - 1 - r else x)
        cy = r if y < r else (height - 1 - r if y > height - 1 - r else y)
        d = math.hypot(x - cx, y - cy)
        if d > r + 0.5:
            return mix(border, (0, 0, 0), 0.5)
        if d > r - 0.5 or x in (0, width - 1) or y in (0, height - 1):
            return border
        if y == 1:
            return light
        return mix(top, bottom, (y - 1) / max(1, height - 3))
    return pixel


def button_theme():
    w, h = 40, 32
    states = {
        "normal": ((86, 96, 168), (40, 44, 96), (24, 26, 60), (140, 150, 220)),
        "hover": ((250, 200, 110), (220, 120, 60), (120, 60, 30), (255, 236, 190)),
        "selected": ((200, 110, 50), (240, 170, 90), (110, 50, 20), (230, 140, 80)),
        "disabled": ((120, 120, 128), (84, 84, 92), (60, 60, 66), (150, 150, 156)),
    }
    entries = []
    ini = ["; Zavo Studio menu entry theme", "[Menu Theme]"]
    for state, (top, bottom, border, light) in states.items():
        name = "img/%s.png" % state
        ini.append("%s=%s" % (state, name))
        entries.append((name, png(w, h, framed(w, h, top, bottom, border, light))))
    ini += ["clipbox=(6, 6, 6, 6)", "anti-aliase=true", "author=Zavo", "date=2008-01-01", "url="]
    return [("theme.ini", ("\r\n".join(ini) + "\r\n").encode("ascii"))] + entries


def progress_theme():
    def track(x, y, w, h):
        edge = min(x, y, w - 1 - x, h - 1 - y)
        if edge == 0:
            return (24, 26, 60)
        return mix((30, 32, 70), (70, 76, 140), y / max(1, h - 1) if w >= h else x / max(1, w - 1))

    def chunk(x, y, w, h, horizontal):
        t = y / max(1, h - 1) if horizontal else x / max(1, w - 1)
        last = x == w - 1 if horizontal else y == h - 1
        return (30, 80, 160) if last else mix((170, 220, 255), (60, 130, 220), t)

    entries = [
        ("track.png", png(9, 19, lambda x, y: track(x, y, 9, 19))),
        ("chunk.png", png(10, 12, lambda x, y: chunk(x, y, 10, 12, True))),
        ("v_track.png", png(19, 9, lambda x, y: track(x, y, 19, 9))),
        ("v_chunk.png", png(12, 10, lambda x, y: chunk(x, y, 12, 10, False))),
    ]
    ini = ["; Zavo Studio progress bar theme", "[Progress Theme]", "track=track.png", "chunk=chunk.png",
           "v_track=v_track.png", "v_chunk=v_chunk.png", "clipbox=(3, 3, 4, 4)", "anti-aliase=false",
           "author=Zavo", "date=2008-01-01", "url="]
    return [("theme.ini", ("\r\n".join(ini) + "\r\n").encode("ascii"))] + entries


def badge(size=96):
    c = (size - 1) / 2.0

    def pixel(x, y):
        d = math.hypot(x - c, y - c)
        if d > size / 2 - 6:
            return mix((40, 44, 96), (86, 96, 168), y / (size - 1))
        if d > size / 2 - 10:
            return (250, 240, 220)
        return mix((250, 200, 110), (220, 120, 60), y / (size - 1))
    return png(size, size, pixel)


def write_zip(path, entries):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        for name, data in entries:
            info = zipfile.ZipInfo(name, kEntryTime)
            info.compress_type = zipfile.ZIP_DEFLATED
            z.writestr(info, data)


def main(folder):
    write_zip(os.path.join(folder, "Button", "Dusk.zmt"), button_theme())
    write_zip(os.path.join(folder, "Progress", "Dusk.zmt"), progress_theme())
    os.makedirs(os.path.join(folder, "Pictures"), exist_ok=True)
    with open(os.path.join(folder, "Pictures", "Badge.png"), "wb") as f:
        f.write(badge())
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1]))
