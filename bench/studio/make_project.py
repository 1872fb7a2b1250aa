#!/usr/bin/env python3
"""Writes a 300-element project for the studio benchmark: 150 menu entries,
75 texts, 74 pictures and a progress bar on a 1024 x 768 page with a
wallpaper. Usage: make_project.py <folder> <folder as the studio sees it> [elements]
With another count, half are entries, a quarter texts, the rest pictures and
one progress bar, laid over the same places again.
Writes <folder>/Big.kel, wallpaper.png and pic0.png to pic7.png."""
import os
import struct
import sys
import zlib


def write_png(path, width, height, pixel):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\0" + b"".join(bytes(pixel(x, y)) for x in range(width)) for y in range(height))
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(raw, 6)) + chunk(b"IEND", b""))


def element(kind, name, caption, theme, rect):
    left, top, right, bottom = rect
    return ("<UICONTROL UITYPE=\"%s\">\n<CAPTION>%s</CAPTION>\n<NAME>%s</NAME>\n<TITLE>%s</TITLE>\n"
            "<CMDLINE>%s</CMDLINE>\n<THEMEFILE>%s</THEMEFILE>\n<SHORTKEY/>\n<QUICKGO>FALSE</QUICKGO>\n"
            "<ASMENU>%s</ASMENU>\n<FONT NAME=\"Tahoma\">-14-0-0-0-400-0-0-0-1-0-0-2-18-35-ffffff</FONT>\n"
            "<GROUP>0</GROUP>\n<ITEMPOS LEFT=\"%d\" RIGTH=\"%d\" TOP=\"%d\" BOTTOM=\"%d\"/>\n<PASSWORD/>\n"
            "<ENABLEPASS>0</ENABLEPASS>\n<ADDPATH/>\n<CHUNKCOLOR>0</CHUNKCOLOR>\n</UICONTROL>\n"
            % (kind, caption, name, caption, "root (hd0,0)\\r\\nchainloader +1" if kind == "button" else "",
               theme, "TRUE" if kind == "button" else "FALSE", left, right, top, bottom))


def main(folder, seen_as, count=300):
    os.makedirs(folder, exist_ok=True)
    write_png(os.path.join(folder, "wallpaper.png"), 1024, 768,
              lambda x, y: ((x // 4) & 255, (y // 3) & 255, ((x + y) // 8) & 255))
    for i in range(8):
        write_png(os.path.join(folder, "pic%d.png" % i), 64, 48,
                  lambda x, y, i=i: ((x * 4 + i * 30) & 255, (y * 5) & 255, (i * 31) & 255))
    sep = "\\" if "\\" in seen_as else "/"
    parts = []
    # entries: 6 columns x 25 rows on the left 780 pixels; texts and pictures
    # beside them; the bottom right corner stays free for clicks
    entries, texts = count // 2, count // 4
    for i in range(entries):
        x, y = 10 + (i % 6) * 128, 10 + (i // 6 % 25) * 28
        parts.append(element("button", "entry%d" % i, "Entry %d" % i, "", (x, y, x + 120, y + 24)))
    for i in range(texts):
        x, y = 790 + (i % 3) * 76, 10 + (i // 3 % 25) * 24
        parts.append(element("static", "text%d" % i, "Text %d" % i, "", (x, y, x + 72, y + 20)))
    for i in range(count - entries - texts - 1):
        x, y = 10 + (i % 15) * 50, 720 + (i // 15 % 5) * 8
        parts.append(element("picture", "picture%d" % i, "", seen_as + sep + "pic%d.png" % (i % 8),
                             (x, y - 40, x + 48, y)))
    parts.append(element("progress", "progress", "", "", (790, 620, 1000, 640)))
    text = ("<ROOT Description=\"Zavomgr Settings File\">\n<COMMON>\n<VERSION>Zavomgr.Doc.Ver:2.01</VERSION>\n"
            "<WALLPAPER>%s</WALLPAPER>\n<DEFAULT>0</DEFAULT>\n<TIMEOUT>10</TIMEOUT>\n<SINGLEGO>0</SINGLEGO>\n"
            "<CENTCURSOR>0</CENTCURSOR>\n<USESHELLICON>0</USESHELLICON>\n<PAPER>1024,768;</PAPER>\n</COMMON>\n"
            % (seen_as + sep + "wallpaper.png")) + "".join(parts) + "</ROOT>\n"
    with open(os.path.join(folder, "Big.kel"), "w", newline="\r\n") as f:
        f.write(text)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2], int(sys.argv[3]) if len(sys.argv) > 3 else 300)
