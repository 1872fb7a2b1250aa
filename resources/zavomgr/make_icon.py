#!/usr/bin/env python3
"""Writes the studio's icon (32x32 and 16x16, 32-bit) to the path given."""
import struct, sys

def image(size):
    rows = []
    for y in range(size - 1, -1, -1):          # bottom-up
        row = b""
        for x in range(size):
            edge = x in (0, size - 1) or y in (0, size - 1)
            band = size // 3 <= y < 2 * size // 3
            b, g, r = (0x40, 0x20, 0x10) if edge else ((0xE0, 0x90, 0x30) if band else (0xF8, 0xF0, 0xE8))
            row += bytes((b, g, r, 255))
        rows.append(row)
    mask = b"\0" * (((size + 31) // 32) * 4 * size)
    head = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    return head + b"".join(rows) + mask

sizes = (32, 16)
blobs = [image(s) for s in sizes]
out = struct.pack("<HHH", 0, 1, len(sizes))
offset = 6 + 16 * len(sizes)
for s, blob in zip(sizes, blobs):
    out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(blob), offset)
    offset += len(blob)
with open(sys.argv[1], "wb") as f:
    f.write(out + b"".join(blobs))
