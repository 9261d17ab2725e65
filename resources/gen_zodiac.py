#!/usr/bin/env python3
"""Draws the birthday register's 37 pictures as 64 x 64 24-bit BMP files.

usage: gen_zodiac.py OUTPUT_DIR  -> OUTPUT_DIR/<name>.bmp for
  13 western signs (ohituji .. uo, hebitukai): the sign's mark in white on a tile of its element's colour;
  12 animals (ne .. i): a simple face or emblem of the animal on a pale medallion;
  12 months (one .. twelve): the month's birth stone, cut, above the month number.

Shapes are drawn from signed distances, so every edge is smoothed by the pixel's coverage.
"""
import math
import os
import sys

sys.dont_write_bytecode = True  # no cache files in the source tree
from gen_moon import write_bmp  # noqa: E402  the one BMP writer of the build's pictures

SIZE = 64
INF = 1e9


class Canvas:
    def __init__(self, colour):
        self.px = [list(colour) for _ in range(SIZE * SIZE)]

    def blend(self, i, colour, a):
        if a <= 0:
            return
        p = self.px[i]
        for c in range(3):
            p[c] += (colour[c] - p[c]) * a

    def fill(self, dist, colour, alpha=1.0, box=None):
        """Covers the pixels where dist(x, y) < 0; colour may be a function of (x, y)."""
        x0, y0, x1, y1 = box or (0, 0, SIZE, SIZE)
        x0, y0 = max(0, int(x0)), max(0, int(y0))
        x1, y1 = min(SIZE, int(math.ceil(x1))), min(SIZE, int(math.ceil(y1)))
        for y in range(y0, y1):
            for x in range(x0, x1):
                cov = 0.5 - dist(x + 0.5, y + 0.5)
                if cov > 0:
                    col = colour(x + 0.5, y + 0.5) if callable(colour) else colour
                    self.blend(y * SIZE + x, col, min(1.0, cov) * alpha)

    def stroke(self, path, width, colour, alpha=1.0, dx=0.0, dy=0.0):
        """Draws a path (segments from Path) as one stroke, so crossings do not darken."""
        field = [INF] * (SIZE * SIZE)
        reach = width / 2 + 1.5
        for (ax, ay, bx, by) in path.segments:
            ax, ay, bx, by = ax + dx, ay + dy, bx + dx, by + dy
            xa, xb = int(max(0, min(ax, bx) - reach)), int(min(SIZE, max(ax, bx) + reach + 1))
            ya, yb = int(max(0, min(ay, by) - reach)), int(min(SIZE, max(ay, by) + reach + 1))
            vx, vy = bx - ax, by - ay
            ll = vx * vx + vy * vy
            for y in range(ya, yb):
                py = y + 0.5
                for x in range(xa, xb):
                    px = x + 0.5
                    t = 0.0 if ll == 0 else max(0.0, min(1.0, ((px - ax) * vx + (py - ay) * vy) / ll))
                    d = math.hypot(px - ax - t * vx, py - ay - t * vy)
                    i = y * SIZE + x
                    if d < field[i]:
                        field[i] = d
        half = width / 2
        for i, d in enumerate(field):
            cov = half + 0.5 - d
            if cov > 0:
                self.blend(i, colour, min(1.0, cov) * alpha)

    def rows(self):
        return [[tuple(max(0, min(255, int(round(v)))) for v in self.px[y * SIZE + x]) for x in range(SIZE)]
                for y in range(SIZE)]


class Path:
    """Line segments of lines, arcs and curves; angles in degrees, 0 = right, 90 = down."""

    def __init__(self):
        self.segments = []

    def line(self, *pts):
        for (ax, ay), (bx, by) in zip(pts, pts[1:]):
            self.segments.append((ax, ay, bx, by))
        return self

    def arc(self, cx, cy, r, a0, a1, ry=None):
        ry = r if ry is None else ry
        n = max(4, int(abs(a1 - a0) / 8))
        pts = [(cx + r * math.cos(math.radians(a0 + (a1 - a0) * k / n)),
                cy + ry * math.sin(math.radians(a0 + (a1 - a0) * k / n))) for k in range(n + 1)]
        return self.line(*pts)

    def curve(self, p0, p1, p2, n=14):
        pts = []
        for k in range(n + 1):
            t = k / n
            u = 1 - t
            pts.append((u * u * p0[0] + 2 * u * t * p1[0] + t * t * p2[0],
                        u * u * p0[1] + 2 * u * t * p1[1] + t * t * p2[1]))
        return self.line(*pts)

    def scaled(self, s, ox, oy):
        p = Path()
        p.segments = [(ox + ax * s, oy + ay * s, ox + bx * s, oy + by * s) for ax, ay, bx, by in self.segments]
        return p


# ---- distance functions ----

def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def ellipse(cx, cy, rx, ry):
    return lambda x, y: (math.hypot((x - cx) / rx, (y - cy) / ry) - 1) * min(rx, ry)


def rounded_rect(x0, y0, x1, y1, r):
    cx, cy, hx, hy = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def d(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        return math.hypot(max(qx, 0), max(qy, 0)) + min(max(qx, qy), 0) - r
    return d


def polygon(pts):
    def d(x, y):
        best, inside = INF, False
        for (ax, ay), (bx, by) in zip(pts, pts[1:] + pts[:1]):
            vx, vy = bx - ax, by - ay
            t = max(0.0, min(1.0, ((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy)))
            best = min(best, math.hypot(x - ax - t * vx, y - ay - t * vy))
            if (ay > y) != (by > y) and x < ax + (y - ay) * vx / vy:
                inside = not inside
        return -best if inside else best
    return d


def union(*fs):
    return lambda x, y: min(f(x, y) for f in fs)


def mix(a, b, t):
    return tuple(a[c] + (b[c] - a[c]) * t for c in range(3))


def vertical(top, bottom):
    return lambda x, y: mix(top, bottom, max(0.0, min(1.0, (y - 2) / 60)))


WHITE = (255, 255, 255)
BLACK = (30, 30, 36)
FACE = (240, 240, 240)


def tile(top, bottom):
    c = Canvas(FACE)
    c.fill(rounded_rect(1, 1, 63, 63, 9), vertical(top, bottom))
    c.stroke(Path().line((10, 2.5), (54, 2.5)), 1.2, WHITE, 0.35)
    return c


# ---- western signs: element colours and marks ----

FIRE = ((250, 120, 70), (190, 40, 40))
EARTH = ((120, 190, 90), (40, 110, 60))
AIR = ((130, 190, 250), (60, 90, 200))
WATER = ((70, 170, 200), (20, 60, 130))
SERPENT = ((170, 120, 220), (80, 40, 140))


def sign_marks():
    m = {}
    m["ohituji"] = (FIRE, Path().arc(23.5, 27, 8.5, 140, 360).arc(40.5, 27, 8.5, 180, 400).line((32, 27), (32, 50)))
    m["ousi"] = (EARTH, Path().arc(32, 40, 10, 0, 360).arc(32, 15, 14, 15, 165))
    m["hutago"] = (AIR, Path().curve((16, 16), (32, 23), (48, 16)).curve((16, 49), (32, 42), (48, 49))
                   .line((25, 20), (25, 45)).line((39, 20), (39, 45)))
    m["kani"] = (WATER, Path().arc(21, 26, 5.5, 0, 360).curve((21, 20.5), (38, 13), (49, 27))
                 .arc(43, 38, 5.5, 0, 360).curve((43, 43.5), (26, 51), (15, 37)))
    m["sisi"] = (FIRE, Path().arc(21, 40, 6.5, 0, 360).curve((26, 35), (17, 15), (35, 15))
                 .curve((35, 15), (51, 16), (42, 35)).curve((42, 35), (36, 48), (50, 46)))
    virgo = Path().line((14, 20), (14, 46)).arc(19.5, 24, 5.5, 180, 360).line((25, 24), (25, 46))
    virgo.arc(30.5, 24, 5.5, 180, 360).line((36, 24), (36, 42))
    m["otome"] = (EARTH, virgo.curve((36, 42), (38, 52), (47, 44)).curve((47, 44), (53, 33), (43, 33))
                  .line((43, 33), (38, 52)))
    m["tenbin"] = (AIR, Path().line((13, 47), (51, 47)).line((13, 38), (23.5, 38)).arc(32, 33.5, 9.5, 152, 388)
                   .line((40.5, 38), (51, 38)))
    scorpio = Path().line((13, 20), (13, 46)).arc(18.5, 24, 5.5, 180, 360).line((24, 24), (24, 46))
    scorpio.arc(29.5, 24, 5.5, 180, 360).line((35, 24), (35, 41))
    m["sasori"] = (WATER, scorpio.curve((35, 41), (35, 50), (43, 48)).line((43, 48), (51, 40))
                   .line((51, 40), (44, 40)).line((51, 40), (51, 47)))
    m["ite"] = (FIRE, Path().line((15, 49), (49, 15)).line((49, 15), (36, 15)).line((49, 15), (49, 28))
                .line((21, 31), (33, 43)))
    m["yagi"] = (EARTH, Path().line((12, 20), (21, 45)).line((21, 45), (29, 20)).curve((29, 20), (30, 48), (42, 46))
                 .arc(43, 39, 6.5, 100, 460).curve((37, 44), (33, 53), (25, 51)))
    wave = [(13 + 6 * k, 24 + (6 if k % 2 else 0)) for k in range(7)]
    m["midugame"] = (AIR, Path().line(*wave).line(*[(x, y + 13) for x, y in wave]))
    m["uo"] = (WATER, Path().arc(6, 32, 21, -50, 50).arc(58, 32, 21, 130, 230).line((16, 32), (48, 32)))
    m["hebitukai"] = (SERPENT, Path().arc(32, 30, 14, 0, 180).line((18, 30), (18, 24)).line((46, 30), (46, 24))
                      .curve((10, 18), (18, 8), (26, 18)).curve((26, 18), (34, 28), (42, 18))
                      .curve((42, 18), (48, 10), (54, 16)).line((32, 44), (32, 52)))
    return m


def draw_sign(colours, path):
    c = tile(*colours)
    for sx, sy, r in ((9, 10, 1.1), (55, 9, 0.9), (56, 55, 1.2), (8, 54, 0.8), (50, 26, 0.6)):
        c.fill(circle(sx, sy, r), WHITE, 0.7, (sx - 3, sy - 3, sx + 3, sy + 3))
    c.stroke(path, 5.0, (0, 0, 30), 0.28, 1.2, 1.6)
    c.stroke(path, 4.6, WHITE)
    return c


# ---- animals ----

def eyes(c, y, dx=6.5, r=1.9, x=32):
    for ex in (x - dx, x + dx):
        c.fill(circle(ex, y, r), BLACK, 1, (ex - 4, y - 4, ex + 4, y + 4))
        c.fill(circle(ex + 0.6, y - 0.6, 0.6), WHITE, 0.9, (ex - 2, y - 3, ex + 3, y + 2))


def medallion(colour):
    c = Canvas(FACE)
    light = mix(colour, WHITE, 0.75)
    c.fill(rounded_rect(1, 1, 63, 63, 9), vertical(mix(light, WHITE, 0.3), light))
    c.fill(circle(32, 33, 28), lambda x, y: mix(WHITE, colour, 0.25 + (y - 5) / 200))
    c.stroke(Path().arc(32, 33, 28, 0, 360), 1.6, mix(colour, BLACK, 0.2), 0.8)
    return c


def rat():
    c = medallion((150, 160, 180))
    grey, pink = (150, 150, 160), (240, 160, 175)
    for x in (19, 45):
        c.fill(circle(x, 22, 9), grey)
        c.fill(circle(x, 22, 5.5), pink)
    c.fill(ellipse(32, 38, 15, 13), grey)
    c.fill(ellipse(32, 43, 8, 6), (200, 200, 208))
    eyes(c, 35, 6, 2.1)
    c.fill(circle(32, 42, 2.4), pink)
    for s in (-1, 1):
        for dy in (-2, 2):
            c.stroke(Path().line((32 + s * 7, 44 + dy / 2), (32 + s * 19, 42 + dy * 1.5)), 0.9, BLACK, 0.7)
    return c


def ox():
    c = medallion((150, 110, 80))
    horn, hide = (235, 220, 180), (110, 75, 50)
    c.stroke(Path().curve((22, 24), (10, 22), (11, 10)), 5, horn)
    c.stroke(Path().curve((42, 24), (54, 22), (53, 10)), 5, horn)
    c.fill(ellipse(12, 29, 6, 3.5), hide)
    c.fill(ellipse(52, 29, 6, 3.5), hide)
    c.fill(ellipse(32, 33, 14, 15), hide)
    c.fill(ellipse(32, 44, 11, 8), (230, 190, 170))
    eyes(c, 30, 6.5)
    for x in (28, 36):
        c.fill(ellipse(x, 45, 1.6, 2.2), (120, 70, 70))
    return c


def tiger():
    c = medallion((240, 160, 60))
    orange = (240, 140, 40)
    c.fill(polygon([(15, 24), (18, 10), (28, 19)]), orange)
    c.fill(polygon([(49, 24), (46, 10), (36, 19)]), orange)
    c.fill(circle(32, 35, 17), orange)
    c.fill(ellipse(32, 43, 10, 7.5), (255, 245, 230))
    stripes = Path().line((32, 19), (32, 25)).line((27, 20), (28, 25)).line((37, 20), (36, 25))
    stripes.line((15, 32), (21, 34)).line((16, 38), (21, 38)).line((49, 32), (43, 34)).line((48, 38), (43, 38))
    c.stroke(stripes, 2.2, BLACK, 0.9)
    eyes(c, 31, 7, 2.2)
    c.fill(polygon([(29, 40), (35, 40), (32, 43.5)]), (200, 90, 90))
    return c


def rabbit():
    c = medallion((190, 160, 220))
    fur, pink = (250, 250, 252), (245, 170, 190)
    for x, tilt in ((25, -1), (39, 1)):
        c.fill(ellipse(x, 19, 5, 13), fur)
        c.fill(ellipse(x, 20, 2.4, 9), pink)
    c.fill(ellipse(32, 40, 14, 12), fur)
    c.stroke(Path().arc(32, 40, 14, 0, 360, 12), 1.2, (170, 160, 190), 0.8)
    eyes(c, 38, 6, 2.0)
    c.fill(circle(32, 43, 1.8), pink)
    c.stroke(Path().line((32, 44.5), (32, 46)).arc(30, 46, 2, 0, 150).arc(34, 46, 2, 30, 180), 1.0, BLACK, 0.7)
    return c


def dragon():
    c = medallion((80, 170, 120))
    green, belly = (40, 150, 90), (220, 230, 140)
    body = Path().curve((18, 54), (8, 40), (24, 36)).curve((24, 36), (42, 32), (36, 22))
    c.stroke(body, 8, green)
    c.stroke(body, 2.4, belly, 0.9)
    c.fill(ellipse(38, 18, 9, 7), green)
    c.fill(polygon([(33, 13), (30, 5), (37, 11)]), (240, 200, 60))
    c.fill(polygon([(41, 12), (44, 4), (45, 12)]), (240, 200, 60))
    c.fill(circle(40, 16, 1.8), BLACK)
    c.stroke(Path().curve((46, 20), (54, 22), (56, 30)), 1.4, (220, 60, 40))
    c.stroke(Path().curve((44, 22), (50, 28), (48, 34)), 1.4, (220, 60, 40))
    for x, y in ((14, 46), (22, 38), (31, 31)):
        c.fill(polygon([(x - 3, y - 2), (x, y - 8), (x + 3, y - 2)]), (30, 110, 60))
    return c


def snake():
    c = medallion((170, 180, 80))
    olive, spot = (140, 160, 40), (230, 220, 120)
    spiral = Path()
    pts = []
    for k in range(80):
        a = math.radians(90 + k * 9)
        r = 16 - k * 0.16
        pts.append((32 + r * math.cos(a), 38 + r * 0.8 * math.sin(a)))
    spiral.line(*pts)
    c.stroke(spiral, 6.5, olive)
    c.stroke(spiral, 1.6, spot, 0.9)
    neck = Path().curve((32, 50.8), (48, 52), (46, 30)).curve((46, 30), (45, 18), (36, 16))
    c.stroke(neck, 6.5, olive)
    c.fill(ellipse(34, 15, 7, 5), olive)
    c.fill(circle(33, 13.5, 1.4), BLACK)
    c.stroke(Path().line((27, 16), (22, 17)).line((22, 17), (19, 15)).line((22, 17), (19, 19)), 1.1, (220, 40, 40))
    return c


def horse():
    c = medallion((200, 150, 70))
    gold, dark = (225, 180, 60), (160, 115, 30)
    shoe = Path().arc(32, 30, 15, 150, 390)
    c.stroke(shoe, 9, dark, 1, 0.8, 1.2)
    c.stroke(shoe, 8, gold)
    for a in (165, 205, 245, 295, 335, 375):
        x, y = 32 + 15 * math.cos(math.radians(a)), 30 + 15 * math.sin(math.radians(a))
        c.fill(circle(x, y, 1.3), dark, 1, (x - 3, y - 3, x + 3, y + 3))
    c.stroke(Path().line((17, 38), (17, 50)).line((47, 38), (47, 50)), 8, gold)
    c.stroke(Path().line((13, 52), (21, 52)).line((43, 52), (51, 52)), 2.4, dark)
    c.fill(polygon([(32, 20), (33.5, 24), (37, 25), (33.5, 26), (32, 30), (30.5, 26), (27, 25), (30.5, 24)]),
           WHITE, 0.9)
    return c


def sheep():
    c = medallion((170, 190, 150))
    wool, face = (252, 250, 240), (80, 70, 70)
    for k in range(10):
        a = math.radians(k * 36)
        c.fill(circle(32 + 14 * math.cos(a), 33 + 12 * math.sin(a), 7), wool)
    c.fill(circle(32, 33, 13), wool)
    c.fill(ellipse(32, 37, 7.5, 10), face)
    c.stroke(Path().arc(22, 28, 5, 300, 600), 2.6, (200, 170, 120))
    c.stroke(Path().arc(42, 28, 5, -60, 240), 2.6, (200, 170, 120))
    eyes(c, 35, 3.6, 1.4)
    c.fill(circle(30.6, 34.4, 0.5), WHITE)
    c.fill(ellipse(32, 43, 2.2, 1.4), (230, 160, 170))
    return c


def monkey():
    c = medallion((190, 140, 100))
    brown, skin = (130, 80, 50), (240, 200, 160)
    for x in (14, 50):
        c.fill(circle(x, 34, 7), brown)
        c.fill(circle(x, 34, 4), skin)
    c.fill(circle(32, 34, 17), brown)
    c.fill(union(circle(26, 30, 7), circle(38, 30, 7), ellipse(32, 40, 11, 9)), skin)
    eyes(c, 30, 6, 2.0)
    for x in (30.5, 33.5):
        c.fill(circle(x, 38, 0.9), BLACK)
    c.stroke(Path().arc(32, 41, 5, 30, 150), 1.3, BLACK, 0.8)
    return c


def rooster():
    c = medallion((230, 140, 90))
    red, body = (220, 40, 40), (252, 248, 236)
    for x, y, r in ((27, 15, 4), (32, 12, 4.5), (37, 15, 4)):
        c.fill(circle(x, y, r), red)
    c.fill(ellipse(32, 33, 13, 16), body)
    c.stroke(Path().arc(32, 33, 13, 0, 360, 16), 1.2, (200, 170, 140), 0.8)
    c.fill(polygon([(42, 28), (52, 31), (42, 34)]), (245, 190, 40))
    c.fill(ellipse(42, 39, 3, 5), red)
    c.fill(circle(37, 26, 2.1), BLACK)
    c.fill(circle(37.6, 25.4, 0.6), WHITE)
    c.stroke(Path().curve((22, 38), (30, 46), (36, 46)), 1.4, (220, 190, 150))
    for x in (27, 37):
        c.stroke(Path().line((x, 48), (x, 55)).line((x, 55), (x - 3, 57)).line((x, 55), (x + 3, 57)), 1.6,
                 (230, 160, 40))
    return c


def dog():
    c = medallion((200, 170, 120))
    tan, ear = (225, 180, 120), (140, 90, 50)
    c.fill(circle(32, 33, 15), tan)
    c.fill(ellipse(16, 32, 5.5, 11), ear)
    c.fill(ellipse(48, 32, 5.5, 11), ear)
    c.fill(ellipse(32, 41, 9, 7), (250, 235, 215))
    eyes(c, 30, 6, 2.1)
    c.fill(ellipse(32, 38, 3, 2.2), BLACK)
    c.stroke(Path().line((32, 40), (32, 43)).arc(29.5, 43, 2.5, 0, 140).arc(34.5, 43, 2.5, 40, 180), 1.1, BLACK, 0.8)
    c.fill(ellipse(32, 47, 2.2, 2.8), (230, 90, 100))
    return c


def boar():
    c = medallion((150, 110, 90))
    hide, snout = (120, 80, 60), (220, 150, 140)
    c.fill(polygon([(16, 24), (17, 12), (26, 19)]), hide)
    c.fill(polygon([(48, 24), (47, 12), (38, 19)]), hide)
    c.fill(ellipse(32, 33, 17, 15), hide)
    c.stroke(Path().line((24, 20), (40, 20)).line((26, 17), (38, 17)), 1.2, (80, 50, 35), 0.8)
    eyes(c, 29, 7, 1.9)
    c.fill(ellipse(32, 39, 8, 6), snout)
    for x in (29, 35):
        c.fill(ellipse(x, 39, 1.5, 2.2), (110, 60, 60))
    c.stroke(Path().curve((23, 42), (20, 36), (18, 33)), 2.4, WHITE)
    c.stroke(Path().curve((41, 42), (44, 36), (46, 33)), 2.4, WHITE)
    return c


ANIMALS = {"ne": rat, "usi": ox, "tora": tiger, "u": rabbit, "tatu": dragon, "mi": snake, "uma": horse,
           "hituji": sheep, "saru": monkey, "tori": rooster, "inu": dog, "i": boar}


# ---- months: birth stone and number ----

STONES = [(150, 20, 45), (130, 60, 175), (95, 195, 225), (205, 225, 245), (20, 155, 85), (200, 205, 230),
          (210, 20, 60), (150, 200, 40), (30, 60, 185), (240, 110, 165), (240, 180, 30), (50, 190, 190)]
MONTHS = ["one", "two", "three", "four", "five", "six", "seven", "eight", "nine", "ten", "eleven", "twelve"]


def digit(ch):
    p = Path()
    if ch == "0":
        p.arc(4, 4, 4, 180, 360).arc(4, 10, 4, 0, 180).line((0, 4), (0, 10)).line((8, 4), (8, 10))
    elif ch == "1":
        p.line((1.5, 3), (4.5, 0), (4.5, 14))
    elif ch == "2":
        p.arc(4, 4, 4, 180, 400).line((7.1, 6.6), (0, 14), (8.2, 14))
    elif ch == "3":
        p.arc(4, 3.5, 3.5, 200, 450).arc(4, 10.5, 3.5, 270, 520)
    elif ch == "4":
        p.line((6, 0), (0, 10), (8.5, 10)).line((6, 0), (6, 14))
    elif ch == "5":
        p.line((7.8, 0), (1, 0), (0.6, 6.2)).arc(3.9, 9.5, 4.4, 225, 490)
    elif ch == "6":
        p.arc(4, 10, 4, 0, 360).curve((7, 1), (0.5, -0.5), (0, 10))
    elif ch == "7":
        p.line((0, 0), (8, 0), (3, 14))
    elif ch == "8":
        p.arc(4, 3.5, 3.5, 0, 360).arc(4, 10.5, 3.5, 0, 360)
    elif ch == "9":
        p.arc(4, 4, 4, 0, 360).curve((8, 4), (8.5, 13), (1, 14))
    return p


def number(text, cx, top, height):
    s = height / 14
    width = (len(text) * 8 + (len(text) - 1) * 4) * s
    x = cx - width / 2
    out = Path()
    for ch in text:
        out.segments += digit(ch).scaled(s, x, top).segments
        x += 12 * s
    return out


def draw_month(n):
    gem = STONES[n - 1]
    c = Canvas(FACE)
    c.fill(rounded_rect(1, 1, 63, 63, 9), vertical(mix(gem, WHITE, 0.9), mix(gem, WHITE, 0.7)))
    if n == 6:
        cabochon(c, gem)
    else:
        brilliant(c, gem)
    ink = mix(gem, (20, 30, 60), 0.75)
    digits = number(str(n), 32, 43, 15)
    c.stroke(digits, 3.2, WHITE, 0.8, 0.7, 0.7)
    c.stroke(digits, 2.8, ink)
    return c


def cabochon(c, gem):
    """A milky stone polished round, with its blue sheen."""
    c.fill(ellipse(32.8, 23.2, 17, 13), mix(gem, BLACK, 0.3), 0.5)
    c.fill(ellipse(32, 22, 17, 13), vertical(mix(gem, WHITE, 0.6), mix(gem, (120, 130, 170), 0.5)))
    c.fill(ellipse(33, 24, 10, 7), (150, 190, 255), 0.45)
    c.fill(ellipse(26, 16, 6, 3.2), WHITE, 0.8)
    c.stroke(Path().arc(32, 22, 17, 0, 360, 13), 0.9, mix(gem, BLACK, 0.45), 0.7)


def brilliant(c, gem):
    light, mid, dark = mix(gem, WHITE, 0.45), gem, mix(gem, BLACK, 0.35)
    # A brilliant seen from the side: table and crown facets above the girdle, pavilion below.
    ta, tb, ga, gb, tip = (22, 8), (42, 8), (11, 17), (53, 17), (32, 38)
    c.fill(polygon([ta, tb, gb, ga]), mid)
    c.fill(polygon([ta, tb, (38, 17), (26, 17)]), light)
    c.fill(polygon([ga, (26, 17), tip]), dark)
    c.fill(polygon([(26, 17), (38, 17), tip]), mid)
    c.fill(polygon([(38, 17), gb, tip]), mix(gem, WHITE, 0.2))
    edge = mix(gem, BLACK, 0.5)
    c.stroke(Path().line(ta, tb, gb, tip, ga, ta).line(ga, gb).line((26, 17), ta).line((38, 17), tb)
             .line((26, 17), tip).line((38, 17), tip), 0.9, edge, 0.8)
    c.stroke(Path().line((44, 5), (44, 13)).line((40, 9), (48, 9)), 1.3, WHITE, 0.95)


# ---- output ----

def pictures():
    for name, (colours, path) in sign_marks().items():
        yield name, lambda colours=colours, path=path: draw_sign(colours, path)
    for name, fn in ANIMALS.items():
        yield name, fn
    for n, name in enumerate(MONTHS, 1):
        yield name, lambda n=n: draw_month(n)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name, draw in pictures():
        write_bmp(os.path.join(out, "zodiac_" + name + ".bmp"), draw().rows())


if __name__ == "__main__":
    main()
