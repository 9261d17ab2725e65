#!/usr/bin/env python3
"""Draws the dial button's glyph: a telephone, as the button shows it enabled and disabled, side
by side in one 32 x 16 24-bit BMP.

usage: gen_dial.py OUTPUT_DIR  -> OUTPUT_DIR/dial.bmp
"""
import os
import sys

sys.dont_write_bytecode = True  # no cache files in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from gen_moon import write_bmp  # noqa: E402
from gen_toolglyphs import KEY, telephone  # noqa: E402

SHADOW, LIGHT = (128, 128, 128), (255, 255, 255)


def disabled(rows):
    """The usual embossed grey: shadow where the picture is, light one pixel below right."""
    n = len(rows)
    out = [[KEY] * n for _ in range(n)]
    for y in range(n):
        for x in range(n):
            if rows[y][x] != KEY:
                if x + 1 < n and y + 1 < n and out[y + 1][x + 1] == KEY:
                    out[y + 1][x + 1] = LIGHT
                out[y][x] = SHADOW
    return out


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    up = telephone().rows()
    grey = disabled(up)
    write_bmp(os.path.join(out, "dial.bmp"), [a + b for a, b in zip(up, grey)])


if __name__ == "__main__":
    main()
