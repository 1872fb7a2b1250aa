#!/usr/bin/env python3
"""The toolbar bitmaps are what their script draws: the script reproduces the
committed files byte for byte, every icon differs from every other of its
strip, and each keeps the magenta mask around a drawn shape."""
import os
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.dirname(HERE)
STRIPS = {"main_toolbar.bmp": 24, "elements_toolbar.bmp": 24, "menu_images.bmp": 16}
MAGENTA = (255, 0, 255)
failures = []


def pixels(data):
    offset, = struct.unpack_from("<I", data, 10)
    width, height, _, bpp = struct.unpack_from("<iiHH", data, 18)
    assert bpp == 24 and height > 0
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height):
        row = data[offset + (height - 1 - y) * stride:][:width * 3]
        rows.append([(row[3 * x + 2], row[3 * x + 1], row[3 * x]) for x in range(width)])
    return width, height, rows


with tempfile.TemporaryDirectory() as out:
    subprocess.run([sys.executable, os.path.join(RES, "make_toolbar_bitmaps.py"), out], check=True)
    for name in sorted(os.listdir(out)):
        made = open(os.path.join(out, name), "rb").read()
        committed = open(os.path.join(RES, name), "rb").read()
        if made != committed:
            failures.append("%s: the script draws something else than the committed file" % name)

for name, size in STRIPS.items():
    width, height, rows = pixels(open(os.path.join(RES, name), "rb").read())
    cells = []
    for i in range(width // size):
        cell = tuple(tuple(r[i * size:(i + 1) * size]) for r in rows)
        flat = [p for r in cell for p in r]
        if MAGENTA not in flat:
            failures.append("%s icon %d has no mask colour" % (name, i))
        if all(p == MAGENTA for p in flat):
            failures.append("%s icon %d is empty" % (name, i))
        if flat[0] != MAGENTA:
            failures.append("%s icon %d: its top-left pixel is not the mask" % (name, i))
        for j, other in enumerate(cells):
            if other == cell:
                failures.append("%s icons %d and %d are the same" % (name, j, i))
        cells.append(cell)

for f in failures:
    print("FAIL:", f)
print("%d passed, %d failed" % (1 if not failures else 0, 1 if failures else 0))
sys.exit(1 if failures else 0)
