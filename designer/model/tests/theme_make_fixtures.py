#!/usr/bin/env python3
"""Makes theme archives (.zmt) with Python's zip, tar and gzip writers.

The pictures are small 24-bit BMPs of one colour each, so that window tests can
decode and draw them; menu.zmt, progress.zmt and twoini.zmt seed theme_fuzzer."""
import gzip
import io
import os
import struct
import sys
import tarfile
import zipfile

out = sys.argv[1]
os.makedirs(out, exist_ok=True)


def write(name, data):
    with open(os.path.join(out, name), "wb") as f:
        f.write(data)


def bmp(width, height, rgb):
    """A bottom-up 24-bit BMP filled with one colour."""
    row = bytes((rgb[2], rgb[1], rgb[0])) * width
    row += b"\0" * ((4 - len(row) % 4) % 4)
    pixels = row * height
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + pixels


def zip_of(entries):
    buf = io.BytesIO()
    with zipfile.ZipFile(buf, "w", zipfile.ZIP_DEFLATED) as z:
        for name, data in entries:
            if name.endswith("/"):
                z.writestr(zipfile.ZipInfo(name), b"")
            else:
                z.writestr(name, data)
    return buf.getvalue()


def targz_of(entries):
    raw = io.BytesIO()
    with tarfile.open(fileobj=raw, mode="w", format=tarfile.USTAR_FORMAT) as t:
        for name, data in entries:
            info = tarfile.TarInfo(name)
            info.size = len(data)
            t.addfile(info, io.BytesIO(data))
    return gzip.compress(raw.getvalue())


RED, GREEN, BLUE, GREY = (255, 0, 0), (0, 160, 0), (0, 0, 255), (128, 128, 128)

MENU_INI = (b"; a menu entry theme\r\n"
            b"normal=ignored-before-header.bmp\r\n"
            b"[Menu Theme]\r\n"
            b"Normal = img/normal.bmp\r\n"
            b"  hover=img/Hover.BMP  \r\n"
            b"selected=img/selected.bmp\r\n"
            b"disabled=img/disabled.bmp\r\n"
            b"clipbox=(3, 4, 5, 6)\r\n"
            b"anti-aliase=TRUE\r\n"
            b"author=Somebody\r\n"
            b"date=2008-05-01\r\n"
            b"url=http://example.invalid/themes\r\n"
            b"[menu theme]\r\n"
            b"normal=second-section.bmp\r\n")
MENU_PICS = [("img/", b""),
             ("img/normal.bmp", bmp(20, 21, RED)),
             ("img/hover.bmp", bmp(20, 21, GREEN)),
             ("img/selected.bmp", bmp(20, 21, BLUE)),
             ("img/disabled.bmp", bmp(20, 21, GREY))]
menu = zip_of([("theme.INI", MENU_INI)] + MENU_PICS)
write("menu.zmt", menu)
write("menu_truncated.zmt", menu[: len(menu) // 2])

PROGRESS_INI = (b"[progress theme]\n"
                b"track=track.bmp\n"
                b"chunk=chunk.bmp\n"
                b"v_track=vtrack.bmp\n"
                b"v_chunk=vchunk.bmp\n"
                b"clipbox=(\"2\",\"3\",\"4\",\"5\")\n"
                b"anti-aliase= true\n")
PROGRESS_PICS = [("track.bmp", bmp(9, 19, GREY)),
                 ("chunk.bmp", bmp(10, 12, GREEN)),
                 ("vtrack.bmp", bmp(19, 9, GREY)),
                 ("vchunk.bmp", bmp(12, 10, BLUE))]
progress = targz_of([("progress.ini", PROGRESS_INI)] + PROGRESS_PICS)
write("progress.zmt", progress)
write("progress_truncated.zmt", progress[: len(progress) - 40])

# The first text names a picture that is missing; the second one is complete.
write("twoini.zmt", zip_of([("a.ini", MENU_INI.replace(b"img/normal.bmp", b"img/none.bmp")),
                            ("b.ini", MENU_INI)] + MENU_PICS))
# A menu theme whose hover picture is not a picture.
write("badpicture.zmt", zip_of([("theme.ini", MENU_INI)] + MENU_PICS[:2] +
                               [("img/hover.bmp", b"not a picture at all")] + MENU_PICS[3:]))
# A menu theme without its pictures.
write("nopictures.zmt", zip_of([("theme.ini", MENU_INI)]))
# The text of a menu theme read as a progress theme: no section.
write("wrongsection.zmt", zip_of([("theme.ini", MENU_INI)] + MENU_PICS))
# A plain gzip file: its one entry is called "unknown", never a text.
write("plain.zmt", gzip.compress(MENU_INI))
write("empty.zmt", zip_of([]))
write("text.zmt", b"[menu theme]\r\nnormal=a.bmp\r\n")

# Pointer themes: pixels of colour 0x420000 (COLORREF: blue 0x42) are transparent.
KEY = (0, 0, 0x42)


def pointer(colour):
    """A 32 x 32 pointer picture: a filled square at the top left, the rest key colour."""
    width = height = 32
    row_bytes = width * 3
    rows = []
    for y in reversed(range(height)):
        row = bytearray()
        for x in range(width):
            r, g, b = colour if x < 8 and y < 8 else KEY
            row += bytes((b, g, r))
        rows.append(bytes(row))
    pixels = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    assert row_bytes % 4 == 0
    return header + info + pixels


write("pointers.zip", zip_of([("Cursor.BMP", pointer(RED)), ("hand.bmp", pointer(GREEN))]))
write("nohand.zip", zip_of([("cursor.bmp", pointer(BLUE)), ("sub/hand.bmp", pointer(GREEN))]))
