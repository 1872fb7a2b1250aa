#!/usr/bin/env python3
"""Writes the screen capture's pictures into the folder given: the selection
cursors (capture_*.cur), the information box background (capture_info.bmp,
180 x 150, 24 bits) and the capture button icon (capture.ico)."""
import os, struct, sys
from bmpfile import bmp, ico

SIZE = 32


def cursor(shape, hot):
    """A 32x32 monochrome cursor; shape(x, y) -> True for a black pixel."""
    stride = SIZE // 8
    xor_rows, and_rows = [], []
    for y in reversed(range(SIZE)):                # bottom-up
        xor_row, and_row = bytearray(stride), bytearray(stride)
        for x in range(SIZE):
            bit = 0x80 >> (x % 8)
            if shape(x, y):
                pass                               # black: AND 0, XOR 0
            else:
                and_row[x // 8] |= bit             # transparent: AND 1, XOR 0
        xor_rows.append(bytes(xor_row))
        and_rows.append(bytes(and_row))
    head = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    blob = head + palette + b"".join(xor_rows) + b"".join(and_rows)
    return struct.pack("<HHH", 0, 2, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, hot[0], hot[1],
                                                       len(blob), 22) + blob


def line(x0, y0, x1, y1, width=1):
    """Points within width of the segment (x0, y0)-(x1, y1)."""
    def inside(x, y):
        dx, dy = x1 - x0, y1 - y0
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / float(dx * dx + dy * dy)))
        px, py = x0 + t * dx, y0 + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= width * width
    return inside


def any_of(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def main(folder):
    c = 15
    cursors = {
        "capture_cross.cur": (any_of(line(c, 4, c, 26), line(4, c, 26, c)), (c, c)),
        "capture_nwse.cur": (any_of(line(6, 6, 24, 24), line(6, 6, 12, 6), line(6, 6, 6, 12),
                                    line(24, 24, 18, 24), line(24, 24, 24, 18)), (c, c)),
        "capture_nesw.cur": (any_of(line(24, 6, 6, 24), line(24, 6, 18, 6), line(24, 6, 24, 12),
                                    line(6, 24, 12, 24), line(6, 24, 6, 18)), (c, c)),
        "capture_move.cur": (any_of(line(c, 4, c, 26), line(4, c, 26, c), line(c, 4, c - 4, 8),
                                    line(c, 4, c + 4, 8), line(c, 26, c - 4, 22), line(c, 26, c + 4, 22),
                                    line(4, c, 8, c - 4), line(4, c, 8, c + 4), line(26, c, 22, c - 4),
                                    line(26, c, 22, c + 4)), (c, c)),
        "capture_we.cur": (any_of(line(4, c, 26, c), line(4, c, 8, c - 4), line(4, c, 8, c + 4),
                                  line(26, c, 22, c - 4), line(26, c, 22, c + 4)), (c, c)),
        "capture_ns.cur": (any_of(line(c, 4, c, 26), line(c, 4, c - 4, 8), line(c, 4, c + 4, 8),
                                  line(c, 26, c - 4, 22), line(c, 26, c + 4, 22)), (c, c)),
    }
    for name, (shape, hot) in cursors.items():
        write(os.path.join(folder, name), cursor(shape, hot))

    def info(x, y):                                 # dark blue, lighter towards the bottom
        k = y * 60 // 150
        return (20 + k // 2, 40 + k, 90 + k)
    write(os.path.join(folder, "capture_info.bmp"), bmp(180, 150, info, 24))

    def icon(size, x, y):                           # a dotted frame
        frame = (x in (2, size - 3) or y in (2, size - 3)) and (x // 2 + y // 2) % 2 == 0 \
            and 2 <= x <= size - 3 and 2 <= y <= size - 3
        return (0x0A, 0x64, 0x82, 255) if frame else (0, 0, 0, 0)
    write(os.path.join(folder, "capture.ico"), ico(icon))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__)))
