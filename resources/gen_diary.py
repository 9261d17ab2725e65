#!/usr/bin/env python3
"""Draws the diary's five weather glyphs as 16 x 16 24-bit BMP files.

usage: gen_diary.py OUTPUT_DIR  -> OUTPUT_DIR/weather_<name>.bmp for
  hare (sun), kumori (cloud), ame (rain), kaminari (thunder), yuki (snow).

The glyph buttons treat the bottom-left pixel's colour as transparent, so the background is
magenta; edges are smoothed against the button face (light grey) by each pixel's coverage.
"""
import math
import os
import sys

sys.dont_write_bytecode = True  # no cache files in the source tree
from gen_moon import write_bmp  # noqa: E402  the one BMP writer of the build's pictures
from gen_zodiac import circle, polygon, rounded_rect as box, union  # noqa: E402  the shared distance functions

SIZE = 16
SUB = 4  # sub-samples per pixel side
KEY = (255, 0, 255)
FACE = (240, 240, 240)


def segment(x1, y1, x2, y2, w):
    def d(x, y):
        dx, dy = x2 - x1, y2 - y1
        t = max(0.0, min(1.0, ((x - x1) * dx + (y - y1) * dy) / (dx * dx + dy * dy)))
        return math.hypot(x - x1 - t * dx, y - y1 - t * dy) - w / 2
    return d


class Glyph:
    def __init__(self):
        self.px = [[list(KEY) for _ in range(SIZE)] for _ in range(SIZE)]
        self.alpha = [[0.0] * SIZE for _ in range(SIZE)]

    def fill(self, dist, colour, outline=None, width=0.9):
        """Paints a shape, optionally with an outline of the given width just inside its edge."""
        for py in range(SIZE):
            for px in range(SIZE):
                body = edge = 0
                for sy in range(SUB):
                    for sx in range(SUB):
                        x, y = px + (sx + 0.5) / SUB, py + (sy + 0.5) / SUB
                        v = dist(x, y)
                        if v < 0:
                            if outline and v > -width:
                                edge += 1
                            else:
                                body += 1
                total = SUB * SUB
                a = (body + edge) / total
                if a <= 0:
                    continue
                mixed = [(colour[c] * body + (outline[c] if outline else 0) * edge) / (body + edge) for c in range(3)]
                old = self.px[py][px] if self.alpha[py][px] > 0 else FACE
                self.px[py][px] = [old[c] + (mixed[c] - old[c]) * a for c in range(3)]
                self.alpha[py][px] = min(1.0, self.alpha[py][px] + a)

    def rows(self):
        out = []
        for py in range(SIZE):
            row = []
            for px in range(SIZE):
                a = self.alpha[py][px]
                if a < 0.2:
                    row.append(KEY)
                else:
                    row.append(tuple(int(round(v)) for v in self.px[py][px]))
            out.append(row)
        out[SIZE - 1][0] = KEY  # the transparent colour is read from here
        return out


def cloud(g, dx=0.0, dy=0.0, scale=1.0, colour=(236, 240, 246), line=(96, 110, 130)):
    s = scale
    shape = union(circle(4.6 * s + dx, 9.6 * s + dy, 2.8 * s), circle(8.4 * s + dx, 7.4 * s + dy, 3.9 * s),
                  circle(12.0 * s + dx, 9.8 * s + dy, 2.6 * s),
                  box(1.8 * s + dx, 9.0 * s + dy, 14.6 * s + dx, 12.4 * s + dy, 1.6 * s))
    g.fill(shape, colour, line)


def hare():
    g = Glyph()
    cx, cy = 8.0, 8.0
    for i in range(8):
        a = i * math.pi / 4
        g.fill(segment(cx + 5.0 * math.cos(a), cy + 5.0 * math.sin(a), cx + 7.4 * math.cos(a), cy + 7.4 * math.sin(a), 1.3),
               (230, 90, 10))
    g.fill(circle(cx, cy, 4.0), (255, 196, 40), (220, 100, 10))
    return g


def kumori():
    g = Glyph()
    cloud(g, 0.0, 0.8, 1.0, (214, 220, 230), (88, 96, 112))
    return g


def ame():
    g = Glyph()
    cloud(g, 0.4, -2.2, 0.85, (196, 204, 218), (80, 90, 110))
    for x in (4.8, 8.6, 12.4):
        g.fill(segment(x, 11.6, x - 1.2, 14.6, 1.2), (20, 100, 230))
    return g


def kaminari():
    g = Glyph()
    cloud(g, 0.4, -2.2, 0.85, (150, 156, 170), (60, 64, 78))
    g.fill(polygon([(9.5, 8.0), (5.5, 12.2), (8.2, 12.2), (6.2, 15.8), (11.6, 10.8), (8.8, 10.8), (11.0, 8.0)]),
           (255, 220, 40), (200, 130, 0), 0.7)
    return g


def yuki():
    g = Glyph()
    cx, cy = 8.0, 8.0
    arms = []
    for i in range(3):
        a = i * math.pi / 3 + math.pi / 2
        arms.append(segment(cx - 6.6 * math.cos(a), cy - 6.6 * math.sin(a), cx + 6.6 * math.cos(a), cy + 6.6 * math.sin(a), 1.2))
        for sgn in (-1, 1):
            tx, ty = cx + sgn * 4.2 * math.cos(a), cy + sgn * 4.2 * math.sin(a)
            for side in (-1, 1):
                b = a + side * math.pi / 4 + (math.pi if sgn < 0 else 0)
                arms.append(segment(tx, ty, tx + 2.2 * math.cos(b + math.pi), ty + 2.2 * math.sin(b + math.pi), 1.0))
    g.fill(union(*arms), (40, 130, 225))
    g.fill(circle(cx, cy, 1.6), (200, 230, 255), (60, 150, 235), 0.8)
    return g


GLYPHS = {"hare": hare, "kumori": kumori, "ame": ame, "kaminari": kaminari, "yuki": yuki}


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name, draw in GLYPHS.items():
        write_bmp(os.path.join(out, "weather_%s.bmp" % name), draw().rows())


if __name__ == "__main__":
    main()
