#!/usr/bin/env python3
"""Draws the reminder window's built-in picture: a ringing alarm clock, as a 24-bit BMP.

usage: gen_popup.py OUTPUT_DIR  -> OUTPUT_DIR/popup_clock.bmp (128 x 128)
                                   OUTPUT_DIR/popup_default.bmp (137 x 137)

The window shows the first until a reminder brings a picture of its own; the second, the same
clock at the size of a reminder picture, is the default picture the settings window offers. Shapes are tested per
sub-sample and painted back to front, so edges come out smooth without any imaging library.
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from gen_moon import write_bmp  # noqa: E402

SIZE = 128
SUPERSAMPLE = 3
CX, CY = 64.0, 70.0  # centre of the clock body


def mix(a, b, t):
    t = min(1.0, max(0.0, t))
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def rotate(x, y, cx, cy, degrees):
    """(x, y) turned by -degrees around (cx, cy): the point in the shape's own frame."""
    a = math.radians(degrees)
    dx, dy = x - cx, y - cy
    return dx * math.cos(a) + dy * math.sin(a), -dx * math.sin(a) + dy * math.cos(a)


def segment_distance(x, y, x1, y1, x2, y2):
    dx, dy = x2 - x1, y2 - y1
    t = ((x - x1) * dx + (y - y1) * dy) / (dx * dx + dy * dy)
    t = min(1.0, max(0.0, t))
    return math.hypot(x - (x1 + t * dx), y - (y1 + t * dy))


class Shape:
    """A region with a bounding box, an inside test and a colour that may vary over it."""

    def __init__(self, box, inside, colour):
        self.box = box
        self.inside = inside
        self.colour = colour if callable(colour) else (lambda x, y, c=colour: c)


def circle(cx, cy, r, colour):
    return Shape((cx - r, cy - r, cx + r, cy + r), lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r, colour)


def ellipse(cx, cy, rx, ry, colour):
    return Shape((cx - rx, cy - ry, cx + rx, cy + ry),
                 lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0, colour)


def capsule(x1, y1, x2, y2, width, colour):
    h = width / 2
    box = (min(x1, x2) - h, min(y1, y2) - h, max(x1, x2) + h, max(y1, y2) + h)
    return Shape(box, lambda x, y: segment_distance(x, y, x1, y1, x2, y2) <= h, colour)


def arc(cx, cy, r, start, end, width, colour):
    """A stroke along the circle from start to end degrees (0 = right, counter-clockwise)."""
    h = width / 2
    lo, hi = math.radians(start), math.radians(end)

    def inside(x, y):
        if abs(math.hypot(x - cx, y - cy) - r) > h:
            return False
        a = math.atan2(cy - y, x - cx)
        return lo <= a <= hi

    return Shape((cx - r - h, cy - r - h, cx + r + h, cy + r + h), inside, colour)


def bell(cx, cy, tilt, colour_at):
    """A dome of radius 17 standing on its rim at (cx, cy), leaning by tilt degrees."""

    def inside(x, y):
        u, v = rotate(x, y, cx, cy, tilt)
        dome = v <= 0 and (u / 17.0) ** 2 + (v / 15.0) ** 2 <= 1.0
        rim = -2.5 <= v <= 2.5 and abs(u) <= 18.5
        knob = u * u + (v + 17.5) ** 2 <= 3.2 ** 2
        return dome or rim or knob

    def colour(x, y):
        u, v = rotate(x, y, cx, cy, tilt)
        return colour_at(u, v)

    return Shape((cx - 24, cy - 24, cx + 24, cy + 24), inside, colour)


def brass(u, v):
    # Lit from the upper left: a highlight band on the dome, darker towards the rim's right.
    light = 0.5 + 0.5 * math.cos(math.hypot(u + 6, v + 8) / 9.0)
    base = mix((196, 128, 24), (255, 222, 120), light)
    if v > -2.5:
        base = mix(base, (150, 92, 16), 0.45)
    return base


def body_colour(x, y):
    d = math.hypot(x - (CX - 14), y - (CY - 16))
    return mix((250, 96, 84), (176, 26, 30), d / 56.0)


def face_colour(x, y):
    d = math.hypot(x - (CX - 8), y - (CY - 10))
    return mix((255, 255, 250), (226, 230, 238), d / 40.0)


def background(x, y):
    sky = mix((214, 236, 255), (255, 246, 224), y / SIZE)
    glow = max(0.0, 1.0 - math.hypot(x - CX, y - CY) / 70.0)
    return mix(sky, (255, 252, 240), glow * 0.7)


def hand(angle_deg, length, width, colour, tail=0.0):
    a = math.radians(angle_deg)
    return capsule(CX - math.cos(a) * tail, CY + math.sin(a) * tail,
                   CX + math.cos(a) * length, CY - math.sin(a) * length, width, colour)


def scene():
    shapes = []
    # Shadow on the ground.
    shapes.append(ellipse(CX, 119, 40, 5, (188, 196, 210)))
    # Legs.
    shapes.append(capsule(CX - 26, 100, CX - 36, 116, 7, (120, 30, 30)))
    shapes.append(capsule(CX + 26, 100, CX + 36, 116, 7, (120, 30, 30)))
    # Ringing lines beside the bells.
    for side in (-1, 1):
        for i, r in enumerate((24, 30)):
            start, end = (105, 160) if side < 0 else (20, 75)
            shapes.append(arc(CX + side * 27, 36, r, start, end, 2.6 - i * 0.6, (238, 140, 30)))
    # The hammer between the bells and its post.
    shapes.append(capsule(CX, 30, CX, 14, 3.5, (110, 110, 120)))
    shapes.append(capsule(CX - 6, 12, CX + 6, 16, 5, (90, 90, 100)))
    # Bells, leaning outwards as they shake.
    shapes.append(bell(CX - 27, 36, 32, brass))
    shapes.append(bell(CX + 27, 36, -32, brass))
    # Body, bezel and face.
    shapes.append(circle(CX, CY, 42, (120, 16, 22)))
    shapes.append(circle(CX, CY, 40, body_colour))
    shapes.append(circle(CX, CY, 32, (232, 222, 200)))
    shapes.append(circle(CX, CY, 30, face_colour))
    # Hour marks, heavier at 12, 3, 6 and 9.
    for h in range(12):
        a = math.radians(90 - h * 30)
        heavy = h % 3 == 0
        inner = 22.5 if heavy else 24.5
        shapes.append(capsule(CX + math.cos(a) * inner, CY - math.sin(a) * inner,
                              CX + math.cos(a) * 27, CY - math.sin(a) * 27, 3.0 if heavy else 1.8, (50, 56, 80)))
    # Ten past ten, the friendly face of a clock; the red second hand sweeps on.
    shapes.append(hand(90 - 305, 15, 4.5, (30, 36, 70)))
    shapes.append(hand(90 - 60, 23, 3.2, (30, 36, 70)))
    shapes.append(hand(90 - 200, 25, 1.4, (220, 30, 30), tail=7))
    shapes.append(circle(CX, CY, 3.2, (220, 30, 30)))
    shapes.append(circle(CX, CY, 1.3, (255, 230, 230)))
    # Gloss on the bezel.
    shapes.append(arc(CX, CY, 36, 110, 160, 2.2, (255, 170, 160)))
    return shapes


def draw(size=SIZE):
    """The scene, drawn in SIZE units, scaled to size x size pixels."""
    shapes = scene()
    rows = []
    n = SUPERSAMPLE * SUPERSAMPLE
    k = SIZE / size
    for y in range(size):
        row = []
        # Only the shapes whose box meets this row are tested.
        live = [s for s in shapes if s.box[1] - 1 <= y * k <= s.box[3] + 1 + k]
        for x in range(size):
            here = [s for s in live if s.box[0] - 1 <= x * k <= s.box[2] + 1 + k]
            acc = [0.0, 0.0, 0.0]
            for j in range(SUPERSAMPLE):
                for i in range(SUPERSAMPLE):
                    px, py = (x + (i + 0.5) / SUPERSAMPLE) * k, (y + (j + 0.5) / SUPERSAMPLE) * k
                    colour = background(px, py)
                    for s in here:
                        if s.inside(px, py):
                            colour = s.colour(px, py)
                    for c in range(3):
                        acc[c] += colour[c]
            row.append(tuple(min(255, int(round(v / n))) for v in acc))
        rows.append(row)
    return rows


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    write_bmp(os.path.join(out, "popup_clock.bmp"), draw())
    write_bmp(os.path.join(out, "popup_default.bmp"), draw(137))


if __name__ == "__main__":
    main()
