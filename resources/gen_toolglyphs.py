#!/usr/bin/env python3
"""Draws the 16 x 16 glyphs of the command buttons (tool window, quick day view) and the
notification-area pictures (a clock, and four frames of a memo being written) as 24-bit BMPs.

usage: gen_toolglyphs.py OUTPUT_DIR  -> OUTPUT_DIR/tool_<name>.bmp, tray_clock.bmp, tray_memo<0..3>.bmp

Pixels are hard-edged (tested at their centres) on magenta, the transparent colour: the glyph
button takes it from the bottom-left pixel, which every picture leaves empty.
"""
import math
import os
import sys

sys.dont_write_bytecode = True  # no cache files in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from gen_moon import write_bmp  # noqa: E402  the one BMP writer of the build's pictures

N = 16
KEY = (255, 0, 255)
BLACK, WHITE, GRAY, SILVER = (0, 0, 0), (255, 255, 255), (128, 128, 128), (192, 192, 192)
RED, DARKRED, PINK = (224, 0, 0), (128, 0, 0), (255, 168, 200)
YELLOW, GOLD, OCHRE = (255, 255, 0), (255, 200, 0), (176, 128, 0)
BLUE, NAVY, SKY = (0, 0, 255), (0, 0, 128), (96, 160, 255)
GREEN, LIME, DKGREEN = (0, 160, 0), (96, 224, 96), (0, 96, 0)
BROWN, TAN = (128, 64, 0), (224, 184, 120)


class Glyph:
    def __init__(self):
        self.px = [[KEY] * N for _ in range(N)]

    def set(self, x, y, c):
        if 0 <= x < N and 0 <= y < N:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        for x in range(x0, x1 + 1):
            self.set(x, y0, c)
            self.set(x, y1, c)
        for y in range(y0, y1 + 1):
            self.set(x0, y, c)
            self.set(x1, y, c)

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.set(x0, y0, c)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def shape(self, inside, fill, outline=None):
        """Fills the pixels whose centre is inside; those with a 4-neighbour outside get outline."""
        mask = [[inside(x + 0.5, y + 0.5) for x in range(N)] for y in range(N)]

        def on(x, y):
            return 0 <= x < N and 0 <= y < N and mask[y][x]

        for y in range(N):
            for x in range(N):
                if not mask[y][x]:
                    continue
                edge = not (on(x - 1, y) and on(x + 1, y) and on(x, y - 1) and on(x, y + 1))
                self.set(x, y, outline if edge and outline else fill)

    def disc(self, cx, cy, r, fill, outline=None):
        self.shape(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r, fill, outline)

    def polygon(self, pts, fill, outline=None):
        def inside(x, y):
            hit = False
            for i in range(len(pts)):
                (x1, y1), (x2, y2) = pts[i], pts[i - 1]
                if (y1 > y) != (y2 > y) and x < (x2 - x1) * (y - y1) / (y2 - y1) + x1:
                    hit = not hit
            return hit

        self.shape(inside, fill, outline)

    def art(self, x0, y0, rows, palette):
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch != " ":
                    self.set(x0 + dx, y0 + dy, palette[ch])

    def rows(self):
        assert self.px[N - 1][0] == KEY, "the bottom-left pixel names the transparent colour"
        return self.px


def clock(rim, hands):
    g = Glyph()
    g.disc(7.5, 7.5, 7.3, WHITE, rim)
    for x, y in ((7, 2), (12, 7), (7, 12), (2, 7)):
        g.set(x, y, GRAY)
    g.line(7, 7, 7, 3, hands)
    g.line(7, 7, 4, 5, hands)
    g.line(7, 7, 10, 10, RED)
    g.set(7, 7, RED)
    return g


def main_menu():
    return clock(BLACK, BLACK)


def launcher():
    g = Glyph()
    g.rect(1, 2, 14, 13, WHITE)
    g.frame(1, 2, 14, 13, BLACK)
    g.rect(2, 3, 13, 4, NAVY)
    g.polygon([(5, 6), (5, 13), (11.5, 9.5)], LIME, DKGREEN)
    return g


def memo():
    g = Glyph()
    g.polygon([(2, 1), (14, 1), (14, 11), (11, 14), (2, 14)], YELLOW, OCHRE)
    g.polygon([(10.5, 14), (10.5, 10.5), (14, 10.5)], GOLD, OCHRE)
    for y in (4, 7, 10):
        g.line(4, y, 11 if y < 10 else 8, y, GRAY)
    return g


def popup():
    g = Glyph()
    body = lambda x, y: ((x - 7.5) ** 2 + (y - 6.5) ** 2 <= 4.6 ** 2 and y <= 6.5) or (3 <= x <= 12 and 6.5 <= y <= 11) \
        or (2 <= x <= 13 and 11 <= y <= 12.9)
    g.shape(body, GOLD, BLACK)
    g.set(7, 1, BLACK)
    g.disc(7.5, 13.6, 1.5, BLACK)
    g.line(4, 4, 4, 9, YELLOW)
    for a, b in (((0, 2), (1, 4)), ((15, 2), (14, 4)), ((0, 7), (1, 7)), ((15, 7), (14, 7))):
        g.line(a[0], a[1], b[0], b[1], BLACK)
    return g


def schedule():
    g = Glyph()
    g.rect(1, 2, 14, 14, WHITE)
    g.frame(1, 2, 14, 14, BLACK)
    g.rect(2, 3, 13, 5, RED)
    for x in (4, 11):
        g.rect(x, 1, x, 3, BLACK)
    for y in (7, 9, 11, 13):
        for x in (3, 5, 7, 9, 11):
            g.set(x, y, GRAY)
    g.rect(8, 10, 10, 12, RED)
    return g


def schedule_list():
    g = Glyph()
    g.rect(2, 1, 13, 14, WHITE)
    g.frame(2, 1, 13, 14, BLACK)
    for y in (3, 6, 9, 12):
        g.rect(4, y, 5, y + 1, BLUE)
        g.line(7, y, 11, y, BLACK)
        g.line(7, y + 1, 9, y + 1, GRAY)
    return g


def data():
    g = Glyph()
    g.rect(1, 3, 6, 4, OCHRE)
    g.rect(1, 4, 14, 13, GOLD)
    g.frame(1, 4, 14, 13, BROWN)
    g.rect(4, 2, 12, 9, WHITE)
    g.frame(4, 2, 12, 9, BLACK)
    for y in (4, 6):
        g.line(6, y, 10, y, BLUE)
    g.polygon([(1, 7), (14.9, 7), (14, 14), (1, 14)], YELLOW, BROWN)
    return g


def telephone():
    g = Glyph()
    g.polygon([(4, 7), (11.9, 7), (14.9, 14), (1, 14)], RED, BLACK)
    g.disc(7.5, 10.9, 2.3, WHITE, BLACK)
    g.set(7, 10, BLACK)
    g.rect(2, 2, 13, 4, BLACK)
    g.rect(1, 3, 3, 6, BLACK)
    g.rect(12, 3, 14, 6, BLACK)
    g.rect(3, 3, 12, 3, DARKRED)
    return g


def todo_board():
    g = Glyph()
    g.line(3, 12, 1, 14, BROWN)
    g.line(12, 12, 14, 14, BROWN)
    g.rect(0, 1, 15, 12, BROWN)
    g.rect(1, 2, 14, 11, TAN)
    g.rect(2, 3, 7, 8, WHITE)
    g.frame(2, 3, 7, 8, GRAY)
    g.line(3, 5, 4, 7, RED)
    g.line(4, 7, 6, 3, RED)
    g.rect(9, 4, 13, 9, YELLOW)
    g.frame(9, 4, 13, 9, OCHRE)
    g.line(10, 6, 12, 6, GRAY)
    g.set(5, 2, RED)
    g.set(11, 3, BLUE)
    return g


def diary():
    g = Glyph()
    g.rect(4, 12, 14, 13, WHITE)
    g.frame(3, 11, 14, 14, BLACK)
    g.rect(3, 1, 14, 12, NAVY)
    g.frame(3, 1, 14, 12, BLACK)
    g.rect(2, 1, 3, 14, BLACK)
    g.rect(6, 4, 12, 6, WHITE)
    g.line(7, 5, 11, 5, GRAY)
    g.rect(11, 12, 11, 15, RED)
    g.set(9, 9, GOLD)
    return g


def birthday():
    g = Glyph()
    g.line(1, 14, 14, 14, GRAY)
    g.rect(2, 8, 13, 13, PINK)
    g.frame(2, 8, 13, 13, BROWN)
    g.rect(3, 9, 12, 9, WHITE)
    for x in (4, 7, 10):
        g.set(x + 1, 10, WHITE)
        g.rect(x, 4, x, 7, RED if x != 7 else BLUE)
        g.set(x, 2, GOLD)
        g.set(x, 3, YELLOW)
    g.line(3, 11, 12, 11, RED)
    return g


def setup():
    g = Glyph()

    def gear(x, y):
        dx, dy = x - 7.5, y - 7.5
        r = math.hypot(dx, dy)
        tooth = 7.4 if math.cos(6 * math.atan2(dy, dx)) > 0 else 5.3
        return r <= tooth

    g.shape(gear, SILVER, BLACK)
    g.disc(7.5, 7.5, 2.4, WHITE, BLACK)
    return g


def help_button():
    g = Glyph()
    g.disc(7.5, 7.5, 7.3, BLUE, NAVY)
    g.art(5, 3, [" www ",
                 "ww ww",
                 "   ww",
                 "  ww ",
                 "  ww ",
                 "     ",
                 "  ww ",
                 "  ww "], {"w": WHITE})
    return g


def close_button():
    g = Glyph()
    for d in (0, 1):
        g.line(3 + d, 3, 11 + d, 11, BLACK)
        g.line(3 + d, 11, 11 + d, 3, BLACK)
    return g


def launch_button():
    g = Glyph()
    g.polygon([(1, 6), (8, 6), (8, 2), (14.6, 7.5), (8, 13), (8, 9), (1, 9)], LIME, DKGREEN)
    return g


def memo_frame(n):
    """The memo icon of the notification area with n + 1 lines written, the pencil at the last."""
    g = Glyph()
    g.rect(1, 1, 12, 14, YELLOW)
    g.frame(1, 1, 12, 14, OCHRE)
    ys = (4, 7, 10, 13)
    for i in range(n + 1):
        g.line(3, ys[i] - 1, 9 if i < n else 6, ys[i] - 1, GRAY)
    y = ys[n] - 1
    g.line(7, y, 14, y - 7, BROWN)
    g.line(8, y, 15, y - 7, GOLD)
    g.set(7, y, BLACK)
    return g


GLYPHS = {
    "tool_main": main_menu, "tool_launcher": launcher, "tool_memo": memo, "tool_popup": popup,
    "tool_schedule": schedule, "tool_list": schedule_list, "tool_data": data, "tool_telephone": telephone,
    "tool_todo": todo_board, "tool_diary": diary, "tool_birthday": birthday, "tool_setup": setup,
    "tool_help": help_button, "tool_close": close_button, "tool_launch": launch_button,
    "tray_clock": lambda: clock(NAVY, NAVY),
}


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name, draw in GLYPHS.items():
        write_bmp(os.path.join(out, name + ".bmp"), draw().rows())
    for n in range(4):
        write_bmp(os.path.join(out, "tray_memo%d.bmp" % n), memo_frame(n).rows())


if __name__ == "__main__":
    main()
