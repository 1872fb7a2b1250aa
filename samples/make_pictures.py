#!/usr/bin/env python3
"""Writes the sample project's pictures: wallpaper.png (800 x 600, an evening
gradient with soft discs, hills and a light band) and logo.png (128 x 128, a
framed tile with a badge) and chunk.png (10 x 12, a chunk of the progress bar).
Usage: make_pictures.py <folder>"""
import math
import os
import struct
import sys
import zlib


def write_png(path, width, height, rows):
    """rows: one bytes object of width * 3 RGB bytes per line."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\0" + bytes(row) for row in rows)
    png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
           + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))
    with open(path, "wb") as f:
        f.write(png)


def mix(a, b, t):
    return tuple(int(a[i] + (b[i] - a[i]) * t + 0.5) for i in range(3))


def wallpaper(width=800, height=600):
    top, middle, bottom = (18, 32, 74), (64, 72, 138), (214, 128, 96)
    discs = [(620, 150, 90, (255, 214, 150), 0.55), (150, 110, 46, (200, 220, 255), 0.25),
             (700, 420, 140, (120, 90, 170), 0.20)]
    rows = []
    for y in range(height):
        t = y / (height - 1)
        base = mix(top, middle, t / 0.6) if t < 0.6 else mix(middle, bottom, (t - 0.6) / 0.4)
        row = bytearray(base * width)
        # two rows of hills, the far one lighter
        for x in range(width):
            far = 430 + 28 * math.sin(x / 95.0) + 14 * math.sin(x / 37.0 + 1.3)
            near = 500 + 36 * math.sin(x / 140.0 + 2.0) + 10 * math.sin(x / 51.0)
            colour = None
            if y >= near:
                colour = mix((36, 30, 62), (20, 16, 36), min(1.0, (y - near) / 120.0))
            elif y >= far:
                colour = mix((72, 58, 110), (56, 44, 92), min(1.0, (y - far) / 80.0))
            else:
                colour = tuple(row[3 * x:3 * x + 3])
                for cx, cy, r, c, alpha in discs:
                    d = math.hypot(x - cx, y - cy)
                    if d < r + 2:
                        colour = mix(colour, c, alpha * min(1.0, (r + 2 - d) / 4.0))
                # a faint light band across the sky
                band = abs((y - 40) - 0.35 * x)
                if band < 30:
                    colour = mix(colour, (255, 255, 255), 0.08 * (1 - band / 30.0))
            row[3 * x:3 * x + 3] = bytes(colour)
        rows.append(row)
    return rows


def logo(size=128):
    """A square tile (pictures are drawn opaque): a framed dusk ground with a
    round badge crossed by a bar."""
    rows = []
    c = (size - 1) / 2.0
    for y in range(size):
        t = y / (size - 1)
        row = bytearray()
        for x in range(size):
            d = math.hypot(x - c, y - c)
            if min(x, y, size - 1 - x, size - 1 - y) < 4:
                colour = (236, 226, 250)
            elif d > 54:
                colour = mix((58, 52, 120), (120, 70, 130), t)
            elif d > 50:
                colour = (250, 240, 220)
            elif 28 < d < 36:
                colour = mix(mix((250, 200, 90), (230, 110, 60), t), (255, 255, 255), 0.6)
            else:
                colour = mix((250, 200, 90), (230, 110, 60), t)
            if d <= 50 and abs((x - c) + (y - c)) < 8:
                colour = (70, 50, 110)
            row += bytes(colour)
        rows.append(row)
    return rows


def chunk(width=10, height=12):
    """One chunk of the progress bar: amber, lighter at the top."""
    rows = []
    for y in range(height):
        colour = mix((255, 226, 150), (232, 132, 40), y / (height - 1))
        rows.append(bytearray(b"".join(bytes((200, 100, 30) if x == width - 1 else colour) for x in range(width))))
    return rows


def main(folder):
    os.makedirs(folder, exist_ok=True)
    write_png(os.path.join(folder, "wallpaper.png"), 800, 600, wallpaper())
    write_png(os.path.join(folder, "logo.png"), 128, 128, logo())
    write_png(os.path.join(folder, "chunk.png"), 10, 12, chunk())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "."))
