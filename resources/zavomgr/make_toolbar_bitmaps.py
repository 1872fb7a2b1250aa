#!/usr/bin/env python3
"""Writes the toolbar bitmaps of the menus and bars (24-bit BMP, magenta mask)
and the notifier skin into the folder given (default: this folder). Each icon
is drawn from shapes that show its command."""
import os, sys

sys.dont_write_bytecode = True   # no cache folder among the resources
from bmpfile import bmp

from pixelart import Icon, strip, INK

PAPER = (250, 250, 242)
FOLD = (200, 205, 215)
YELLOW = (246, 206, 86)
FOLDER = (214, 160, 52)
BLUE = (46, 96, 196)
SKY = (150, 200, 240)
LIGHTBLUE = (128, 176, 232)
GREEN = (58, 158, 70)
RED = (204, 52, 40)
STEEL = (150, 152, 164)
DARK = (88, 90, 98)
BROWN = (150, 100, 52)
BLACK = (24, 24, 28)
WHITE = (250, 250, 250)


def page(i, x0=3, y0=1, x1=13, y1=15):
    i.poly([(x0, y0), (x1 - 3, y0), (x1, y0 + 3), (x1, y1), (x0, y1)], PAPER)
    i.poly([(x1 - 3, y0), (x1 - 3, y0 + 3), (x1, y0 + 3)], FOLD)


def new(i):
    page(i)


def open_(i):
    i.poly([(1, 3), (6, 3), (7, 5), (13, 5), (13, 14), (1, 14)], FOLDER)
    i.poly([(4, 8), (15.5, 8), (13, 14), (1, 14)], YELLOW)


def save(i):
    i.rect(2, 2, 14, 14.5, BLUE)
    i.rect(4, 2, 12, 7, PAPER)
    i.rect(5.5, 10, 11, 14.5, STEEL)


def cut(i):
    i.line(6, 9.5, 11.5, 1.5, DARK, 1.6)
    i.line(10, 9.5, 4.5, 1.5, DARK, 1.6)
    i.circle(5, 12, 2.9, RED, r_in=1.3)
    i.circle(11, 12, 2.9, RED, r_in=1.3)


def copy(i):
    i.rect(1.5, 1, 10, 11, PAPER)
    i.rect(6, 5, 14.5, 15, PAPER)
    for y in (8, 10, 12):
        i.line(8, y, 12.5, y, DARK, 0.9)


def paste(i):
    i.rect(1.5, 2.5, 12, 15, BROWN)
    i.rect(4.5, 1, 9, 4.5, STEEL)
    i.rect(6.5, 6, 14.5, 15, PAPER)
    for y in (9, 11, 13):
        i.line(8, y, 13, y, DARK, 0.9)


def disc(i):
    i.circle(8, 8, 7.2, FOLD, r_in=1.9)
    i.line(9.5, 3.6, 12.4, 6.1, LIGHTBLUE, 1.6)
    i.line(3.6, 9.9, 6.1, 12.4, YELLOW, 1.6)


def menu(i):
    i.rect(1, 1.5, 15, 14.5, WHITE)
    i.rect(1, 1.5, 15, 5, BLUE)
    i.rect(2.5, 6.5, 13.5, 9, LIGHTBLUE, None)
    i.line(3.5, 7.7, 10, 7.7, BLACK, 0.9)
    i.line(3.5, 11, 11, 11, DARK, 0.9)
    i.line(3.5, 13, 9, 13, DARK, 0.9)


def ellipse_ring(i, cx, cy, rx, ry, colour):
    i._paint(lambda u, v: ((u - cx) / rx) ** 2 + ((v - cy) / ry) ** 2 <= 1, None, colour)


def globe(i):
    i.circle(8, 8, 7.3, (86, 156, 224))
    ellipse_ring(i, 8, 8, 3.2, 7.3, (24, 84, 150))
    i.line(1, 8, 15, 8, (24, 84, 150), 0.9)
    i.line(2.5, 4.5, 13.5, 4.5, (24, 84, 150), 0.8)
    i.line(2.5, 11.5, 13.5, 11.5, (24, 84, 150), 0.8)


def lens(i):
    i.line(10, 10, 14.8, 14.8, BROWN, 2.6)
    i.circle(6.5, 6.5, 5.6, LIGHTBLUE)


def zoom_in(i):
    lens(i)
    i.line(4, 6.5, 9, 6.5, BLACK, 1.3)
    i.line(6.5, 4, 6.5, 9, BLACK, 1.3)


def zoom_100(i):
    lens(i)
    i.line(7, 3.8, 7, 9.4, BLACK, 1.3)
    i.line(7, 3.8, 5.2, 5.4, BLACK, 1.1)


def zoom_out(i):
    lens(i)
    i.line(4, 6.5, 9, 6.5, BLACK, 1.3)


def snap(i):
    for y in (1.5, 5.5, 10.5, 14.5):
        for x in (1.5, 5.5, 10.5, 14.5):
            i.rect(x - 0.7, y - 0.7, x + 0.7, y + 0.7, DARK, None)
    i.rect(5.5, 5.5, 10.6, 10.6, BLUE)
    i.line(10.5, 10.5, 14, 14, RED, 1.5)


def grid(i):
    i.rect(1, 1, 15, 15, WHITE)
    for t in (5.6, 10.3):
        i.line(t, 1.5, t, 14.5, LIGHTBLUE, 0.9)
        i.line(1.5, t, 14.5, t, LIGHTBLUE, 0.9)


def align(side):
    def paint(i):
        if side in ("left", "right"):
            x = 1.8 if side == "left" else 14.2
            i.line(x, 1, x, 15, BLACK, 1.4)
            if side == "left":
                i.rect(3, 3, 13.5, 7, BLUE)
                i.rect(3, 9, 9, 13, GREEN)
            else:
                i.rect(2.5, 3, 13, 7, BLUE)
                i.rect(7, 9, 13, 13, GREEN)
        else:
            y = 1.8 if side == "top" else 14.2
            i.line(1, y, 15, y, BLACK, 1.4)
            if side == "top":
                i.rect(3, 3, 7, 13.5, BLUE)
                i.rect(9, 3, 13, 9, GREEN)
            else:
                i.rect(3, 2.5, 7, 13, BLUE)
                i.rect(9, 7, 13, 13, GREEN)
    return paint


def properties(i):
    i.rect(1, 1.5, 15, 14.5, PAPER)
    i.rect(3, 4, 5.8, 6.8, BLUE)
    i.line(7.2, 5.4, 13, 5.4, DARK, 1)
    i.rect(3, 9, 5.8, 11.8, GREEN)
    i.line(7.2, 10.4, 13, 10.4, DARK, 1)


def gear(i):
    import math

    def inside(u, v):
        du, dv = u - 8, v - 8
        r = math.hypot(du, dv)
        a = math.atan2(dv, du)
        outer = 7.2 if math.cos(8 * a) > 0.15 else 5.4
        return 2.2 <= r <= outer
    i._paint(inside, STEEL, INK)


def about(i):
    i.circle(8, 8, 7.3, BLUE)
    i.rect(7, 3.3, 9.2, 5.5, WHITE, None)
    i.rect(7, 7, 9.2, 12.8, WHITE, None)


def drive(i):
    i.rect(1, 4.5, 15, 12, STEEL)
    i.line(2.5, 9.8, 9, 9.8, DARK, 0.9)
    i.rect(11.5, 9, 13.5, 10.8, GREEN, None)
    i.poly([(6, 1), (10, 1), (8, 3.6)], GREEN)


def browser(i):
    page(i, 1, 1, 11, 15)
    for y in (6, 8, 10):
        i.line(3, y, 7.5, y, DARK, 0.9)
    i.line(11.5, 11.5, 15, 15, BROWN, 2)
    i.circle(10, 10, 3.6, LIGHTBLUE)


def prompt(i):
    i.rect(1, 2, 15, 14, BLACK)
    i.rect(1, 2, 15, 4.5, STEEL)
    i.line(3.2, 6.8, 5.8, 9, WHITE, 1.1)
    i.line(5.8, 9, 3.2, 11.2, WHITE, 1.1)
    i.line(7.5, 11.5, 11.5, 11.5, WHITE, 1.1)


ARROW = [(3.5, 1), (3.5, 13.5), (6.5, 10.8), (8.8, 15.3), (11, 14.3), (8.8, 9.8), (12.5, 9.8)]


def pointer(i):
    i.poly(ARROW, WHITE)


def multi(i):
    i.poly([(x * 0.85, y * 0.85) for x, y in ARROW], WHITE)
    i.rect(9.5, 11.6, 15.5, 13.9, GREEN)
    i.rect(11.4, 9.7, 13.6, 15.8, GREEN)
    i.rect(9.6, 11.7, 15.4, 13.8, GREEN, None)


def button(i):
    i.rect(1, 4, 15, 12.5, (226, 228, 234))
    i.line(2, 5, 14, 5, WHITE, 0.9)
    i.line(4.5, 8.3, 11.5, 8.3, BLUE, 1.3)


def picture(i):
    i.rect(1, 2, 15, 14, SKY)
    i.poly([(1.5, 13.5), (6.5, 6), (9.5, 10), (11.5, 7.5), (14.5, 13.5)], GREEN)
    i.circle(11.6, 4.8, 1.7, YELLOW)


def text(i):
    i.poly([(2.5, 15), (7, 1), (9, 1), (13.5, 15), (10.8, 15), (9.8, 11.6), (6.2, 11.6), (5.2, 15)], BLUE)
    i.poly([(6.9, 9.4), (8, 5.2), (9.1, 9.4)], MAGENTA)


def progress(i):
    i.rect(0.5, 5, 15.5, 11.5, WHITE)
    i.rect(1.8, 6.3, 10, 10.2, GREEN, None)


MAGENTA = (255, 0, 255)
# in the order of the toolbar resources' buttons
MAIN = [new, open_, save, cut, copy, paste, disc, menu, globe, zoom_in, zoom_100, zoom_out,
        snap, grid, align("left"), align("right"), align("top"), align("bottom"), properties, gear]
MENU = MAIN + [about, drive, browser, prompt]
ELEMENTS = [pointer, multi, button, picture, text, progress]


def icon_strip(painters, size, height=None):
    pixel, width = strip(painters, size, height)
    return bmp(width, height or size, pixel)


def position_strip(count):
    # the position toolbar's buttons give way to its fields: plain cells
    return bmp(count * 16, 15, lambda x, y: MAGENTA)


def skin(width, height):
    def pixel(x, y):
        if x in (0, width - 1) or y in (0, height - 1):
            return (40, 60, 110)
        t = y * 255 // (height - 1)
        return (230 - t // 6, 236 - t // 8, 250)
    return bmp(width, height, pixel)

FILES = {
    "menu_images.bmp": lambda: icon_strip(MENU, 16),        # toolbar 186
    "position_bar.bmp": lambda: position_strip(20),         # toolbar 187
    "main_toolbar.bmp": lambda: icon_strip(MAIN, 24),       # bitmap 108, toolbar 117
    "elements_toolbar.bmp": lambda: icon_strip(ELEMENTS, 24),  # bitmap 109, toolbar 112
    "notifier_skin.bmp": lambda: skin(200, 90),             # bitmap 120
}

if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for name, make in FILES.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(make())
