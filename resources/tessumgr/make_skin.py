#!/usr/bin/env python3
"""Writes Tessumgr's skin pictures into a folder:
theme.zip (the theme package: "Black/" with theme.ini, the frame's border and
caption button bitmaps and the push button bitmap of [Buttons]), the same
folder unpacked as theme/Black, pushbutton.bmp (380 x 23, five cells of 76),
radio_on.bmp and radio_off.bmp (13 x 13), highlight.png (900 x 16) and
highlight_png.inc, the same PNG as the bytes of a C array.
Magenta (255, 0, 255) is the key colour of every cut-out corner.
Usage: make_skin.py <folder>"""
import os
import sys
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "zavomgr"))
import bmpfile  # noqa: E402

KEY = (255, 0, 255)

# The shipped measurements: caption 28, sides 8, bottom 8; caption buttons
# 20 high in four frames (normal, pressed, hover, disabled).
CAPTION, SIDE, BOTTOM = 28, 8, 8
TOP_WIDTH, TOP_START, TOP_END = 200, 40, 110
SIDE_LENGTH, SIDE_FIXED = 60, 10
BOTTOM_LENGTH, BOTTOM_FIXED = 60, 10
FRAMES, BUTTON_HEIGHT = 4, 20
BUTTONS = [  # section, file, action, xcoord, frame width
    ("close.bmp", 0, 48, 43),
    ("max.bmp", 1, 74, 26),
    ("restore.bmp", 1, 74, 26),
    ("min.bmp", 2, 100, 26),
]
CELL_WIDTH, CELL_HEIGHT = 30, 23

THEME_INI = """[Personality]
Top=Black\\top.bmp
Left=left.bmp
Right=right.bmp
Bottom=bottom.bmp
TopTopHeight={tt}
TopBotHeight={tb}
LeftTopHeight={sf}
LeftBotHeight={sf}
RightTopHeight={sf}
RightBotHeight={sf}
BottomTopHeight={bf}
BottomBotHeight={bf}
ButtonCount={count}
ButtonImgCount={frames}
TextShift=32
TextShiftVert=2
UsesTran=1

{buttons}
[Colours]
TitleText=255 255 255
InactiveTitleText=150 150 150
TransColor=255 0 255
ActiveTitle=0 0 0
Hilight=51 153 255

[Buttons]
Bitmap=button.bmp
TopHeight=3
BottomHeight=3
LeftWidth=3
RightWidth=3
FontName=Tahoma
MouseOver=1
"""


def shade(active, level):
    base = 24 if active else 96
    return (base + level, base + level, base + level + 8)


def top(x, y):
    active = y < CAPTION
    row = y % CAPTION
    # rounded outer corners of the caption
    for cx in (0, TOP_WIDTH - 1):
        if row < 3 and abs(x - cx) < 3 - row:
            return KEY
    if row == 0:
        return (90, 90, 100) if active else (150, 150, 150)
    return shade(active, 30 - row)


def side(x, y):
    active = x < SIDE
    edge = x % SIDE
    return (70, 70, 80) if edge in (0, SIDE - 1) else shade(active, 4)


def bottom(x, y):
    active = y < BOTTOM
    row = y % BOTTOM
    return (70, 70, 80) if row == BOTTOM - 1 else shade(active, 4)


def glyph(kind, x, y, w, h):
    cx, cy = x - w // 2, y - h // 2
    if kind == "close.bmp":
        return abs(cx) < 5 and abs(abs(cx) - abs(cy)) < 1
    if kind == "min.bmp":
        return abs(cx) < 5 and cy == 4
    if kind == "max.bmp":
        return abs(cx) <= 5 and abs(cy) <= 4 and (abs(cx) == 5 or abs(cy) == 4 or cy == -3)
    inner = abs(cx + 1) <= 3 and abs(cy - 1) <= 3 and (abs(cx + 1) == 3 or abs(cy - 1) == 3)
    outer = -1 <= cx <= 5 and -4 <= cy <= 1 and (cx in (-1, 5) or cy in (-4, 1)) and not (cx < 3 and cy > -2)
    return inner or outer


def caption_button(kind, frame_width):
    def pixel(x, y):
        frame, fx = divmod(x, frame_width)
        corner = (fx in (0, frame_width - 1)) and (y in (0, BUTTON_HEIGHT - 1))
        if corner:
            return KEY
        if kind == "close.bmp":
            fill = [(170, 40, 30), (120, 20, 15), (220, 70, 55), (110, 90, 90)][frame]
        else:
            fill = [(50, 50, 60), (20, 20, 30), (90, 90, 110), (70, 70, 70)][frame]
        if glyph(kind, fx, y, frame_width, BUTTON_HEIGHT):
            return (140, 140, 140) if frame == 3 else (255, 255, 255)
        return fill
    return pixel


def push_cells(cell_width, height):
    colours = [(225, 230, 240), (170, 190, 220), (210, 210, 210), (200, 220, 250), (240, 240, 240)]

    def pixel(x, y):
        cell, cx = divmod(x, cell_width)
        if (cx in (0, cell_width - 1)) and (y in (0, height - 1)):
            return KEY
        if cx in (0, cell_width - 1) or y in (0, height - 1):
            return (100, 110, 130)
        r, g, b = colours[cell]
        fade = y * 20 // height
        return (r - fade, g - fade, b - fade)
    return pixel


def radio(checked):
    def pixel(x, y):
        d = (x - 6) ** 2 + (y - 6) ** 2
        if d > 36:
            return (244, 244, 244)
        if d > 25:
            return (60, 80, 120)
        if checked and d <= 9:
            return (0, 160, 0)
        return (255, 255, 255)
    return pixel


def highlight(x, y):
    return (255, 255, 255, max(0, 110 - y * 7))


def theme_files():
    files = {
        "top.bmp": bmpfile.bmp(TOP_WIDTH, 2 * CAPTION, top),
        "left.bmp": bmpfile.bmp(2 * SIDE, SIDE_LENGTH, side),
        "right.bmp": bmpfile.bmp(2 * SIDE, SIDE_LENGTH, side),
        "bottom.bmp": bmpfile.bmp(BOTTOM_LENGTH, 2 * BOTTOM, bottom),
        "button.bmp": bmpfile.bmp(5 * CELL_WIDTH, CELL_HEIGHT, push_cells(CELL_WIDTH, CELL_HEIGHT)),
    }
    sections = []
    for i, (name, action, xcoord, width) in enumerate(BUTTONS):
        files[name] = bmpfile.bmp(FRAMES * width, BUTTON_HEIGHT, caption_button(name, width))
        sections.append("[Button%d]\nButtonImage=%s\nAction=%d\nXCoord=%d\nYCoord=1\nAlign=2\n"
                        % (i, name, action, xcoord))
    ini = THEME_INI.format(tt=TOP_START, tb=TOP_WIDTH - TOP_END, sf=SIDE_FIXED, bf=BOTTOM_FIXED,
                           count=len(BUTTONS), frames=FRAMES, buttons="\n".join(sections))
    files["theme.ini"] = ini.replace("\n", "\r\n").encode("ascii")
    return files


def main(folder):
    os.makedirs(os.path.join(folder, "theme", "Black"), exist_ok=True)
    files = theme_files()
    with zipfile.ZipFile(os.path.join(folder, "theme.zip"), "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("Black/", b"")
        for name, data in sorted(files.items()):
            z.writestr("Black/" + name, data)
    for name, data in files.items():
        with open(os.path.join(folder, "theme", "Black", name), "wb") as f:
            f.write(data)
    pictures = {
        "pushbutton.bmp": bmpfile.bmp(380, 23, push_cells(76, 23)),
        "radio_on.bmp": bmpfile.bmp(13, 13, radio(True)),
        "radio_off.bmp": bmpfile.bmp(13, 13, radio(False)),
        "highlight.png": bmpfile.png(900, 16, highlight),
    }
    for name, data in pictures.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
    png = pictures["highlight.png"]
    with open(os.path.join(folder, "highlight_png.inc"), "w") as f:
        for i in range(0, len(png), 16):
            f.write(" ".join("0x%02x," % b for b in png[i:i + 16]) + "\n")


if __name__ == "__main__":
    main(sys.argv[1])
