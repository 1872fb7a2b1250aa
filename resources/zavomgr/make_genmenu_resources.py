#!/usr/bin/env python3
"""Makes the menu generation dialog's stand-in resources:
genmenu.avi (an uncompressed 24-bit clip of a dot circling a ring) and the
built-in pointer images pointer_cursor.gz and pointer_hand.gz (gzip of 32 x 32
24-bit BMPs; the key colour RGB(0, 0, 0x42) marks transparent pixels)."""
import gzip
import math
import os
import struct
import sys

sys.dont_write_bytecode = True   # no cache folder among the resources
from bmpfile import bmp

KEY = (0x00, 0x00, 0x42)  # r, g, b
BLACK, WHITE = (0, 0, 0), (255, 255, 255)


def arrow(x, y):
    # a left-aligned arrow: outline black, body white
    if y < 20:
        inside = x <= y // 1 * 0.6 + 0.5 and x >= 0
        edge = x == 0 or abs(x - int(y * 0.6 + 0.5)) < 1 or y == 19 and x <= 12
        if inside or edge:
            return BLACK if edge else WHITE
    if 17 <= y < 28 and 5 <= x <= 8 + (y - 17) // 4:
        return BLACK if x in (5, 8 + (y - 17) // 4) or y == 27 else WHITE
    return KEY


def hand(x, y):
    # a pointing finger over a palm
    if 6 <= x <= 10 and 1 <= y <= 16:
        return BLACK if x in (6, 10) or y == 1 else WHITE
    if 6 <= x <= 22 and 14 <= y <= 28:
        return BLACK if x in (6, 22) or y in (14, 28) else WHITE
    return KEY


def avi(width, height, frames):
    stride = (width * 3 + 3) & ~3
    size = stride * height
    chunks = []
    for f in range(frames):
        angle = 2 * math.pi * f / frames
        cx = width / 2 + math.cos(angle) * width / 3
        cy = height / 2 + math.sin(angle) * height / 3
        data = bytearray()
        for y in range(height - 1, -1, -1):
            row = bytearray()
            for x in range(width):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                ring = abs(math.hypot(x + 0.5 - width / 2, y + 0.5 - height / 2) - width / 3) < 1
                if d < width / 8:
                    row += bytes((0xC6, 0x7B, 0x4A))
                elif ring:
                    row += bytes((0xC0, 0xC0, 0xC0))
                else:
                    row += bytes((0xFF, 0xFF, 0xFF))
            row += b"\0" * (stride - len(row))
            data += row
        chunks.append(bytes(data))

    def chunk(fourcc, payload):
        pad = b"\0" if len(payload) % 2 else b""
        return fourcc + struct.pack("<I", len(payload)) + payload + pad

    def lst(kind, payload):
        return chunk(b"LIST", kind + payload)

    avih = struct.pack("<IIIIIIIIII16x", 100000, size * 10, 0, 0x10, frames, 0, 1, size, width, height)
    strh = struct.pack("<4s4sIHHIIIIIIIIhhhh", b"vids", b"DIB ", 0, 0, 0, 0, 1, 10, 0, frames, size,
                       0xFFFFFFFF, 0, 0, 0, width, height)
    strf = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, size, 0, 0, 0, 0)
    hdrl = lst(b"hdrl", chunk(b"avih", avih) + lst(b"strl", chunk(b"strh", strh) + chunk(b"strf", strf)))
    movi_body = b""
    index = b""
    for data in chunks:
        index += struct.pack("<4sIII", b"00db", 0x10, 4 + len(movi_body), len(data))
        movi_body += chunk(b"00db", data)
    body = b"AVI " + hdrl + lst(b"movi", movi_body) + chunk(b"idx1", index)
    return b"RIFF" + struct.pack("<I", len(body)) + body


def write_gz(path, data):
    # a fixed time stamp keeps the output the same on every run
    with open(path, "wb") as raw:
        with gzip.GzipFile(filename="", mode="wb", fileobj=raw, mtime=0) as gz:
            gz.write(data)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    write_gz(os.path.join(out, "pointer_cursor.gz"), bmp(32, 32, arrow))
    write_gz(os.path.join(out, "pointer_hand.gz"), bmp(32, 32, hand))
    with open(os.path.join(out, "genmenu.avi"), "wb") as f:
        f.write(avi(32, 32, 8))


if __name__ == "__main__":
    main()
