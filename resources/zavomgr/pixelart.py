"""A small pixel-art painter for the toolbar and menu icons: shapes are given
on a 16 x 16 design grid and drawn at any icon size with hard edges, each
filled shape ringed by a one-pixel outline, on the magenta mask colour."""
import math

MAGENTA = (255, 0, 255)
INK = (40, 44, 56)


class Icon:
    def __init__(self, size, height=None):
        self.w = size
        self.h = height or size
        self.scale = size / 16.0
        self.px = [[MAGENTA] * self.w for _ in range(self.h)]

    # --- shapes: each takes a test in design units and paints the pixels whose
    # centres pass it; outline rings the shape with INK (or the given colour)
    def _paint(self, inside, fill, outline=INK):
        mask = [[False] * self.w for _ in range(self.h)]
        for y in range(self.h):
            for x in range(self.w):
                u, v = (x + 0.5) / self.scale, (y + 0.5) / self.scale
                mask[y][x] = inside(u, v)
        for y in range(self.h):
            for x in range(self.w):
                if not mask[y][x]:
                    continue
                edge = any(not (0 <= x + dx < self.w and 0 <= y + dy < self.h) or not mask[y + dy][x + dx]
                           for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                colour = outline if (edge and outline) else fill
                if colour:
                    self.px[y][x] = colour

    def rect(self, x0, y0, x1, y1, fill, outline=INK):
        self._paint(lambda u, v: x0 <= u < x1 and y0 <= v < y1, fill, outline)

    def circle(self, cx, cy, r, fill, outline=INK, r_in=0.0):
        self._paint(lambda u, v: r_in * r_in <= (u - cx) ** 2 + (v - cy) ** 2 <= r * r, fill, outline)

    def poly(self, points, fill, outline=INK):
        def inside(u, v):
            c = False
            n = len(points)
            for i in range(n):
                (xa, ya), (xb, yb) = points[i], points[(i + 1) % n]
                if (ya > v) != (yb > v) and u < (xb - xa) * (v - ya) / (yb - ya) + xa:
                    c = not c
            return c
        self._paint(inside, fill, outline)

    def line(self, x0, y0, x1, y1, colour, width=1.2):
        dx, dy = x1 - x0, y1 - y0
        length2 = dx * dx + dy * dy or 1e-9

        def inside(u, v):
            t = max(0.0, min(1.0, ((u - x0) * dx + (v - y0) * dy) / length2))
            return math.hypot(u - (x0 + t * dx), v - (y0 + t * dy)) <= width / 2
        self._paint(inside, colour, None)

    def dot(self, x, y, colour):
        """One pixel (design position), whatever the size."""
        px, py = int(x * self.scale), int(y * self.scale)
        if 0 <= px < self.w and 0 <= py < self.h:
            self.px[py][px] = colour

    def pixel(self, x, y):
        return self.px[y][x]


def strip(painters, size, height=None):
    """Icons side by side, one painter a cell: returns pixel(x, y) and the width."""
    icons = []
    for paint in painters:
        icon = Icon(size, height)
        paint(icon)
        icons.append(icon)

    def pixel(x, y):
        i, lx = divmod(x, size)
        return icons[i].pixel(lx, y)
    return pixel, size * len(icons)
