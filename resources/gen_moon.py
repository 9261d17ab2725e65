#!/usr/bin/env python3
"""Draws the two full-Moon pictures of the clock page as 24-bit BMP files.

usage: gen_moon.py OUTPUT_DIR  -> OUTPUT_DIR/moon_large.bmp (64 x 64), OUTPUT_DIR/moon_small.bmp (32 x 32)

The disc sits at the centre and radius the moon control shades by; every lit pixel lies inside the
span the shadow lines cover, so a new Moon goes fully dark. The surface is a grey highland albedo
with the main maria, a few bright ray craters and a light noise texture, seen as from the north.
"""
import math
import os
import struct
import sys

# name, size, disc centre x, centre y, radius (the moon control's size rows)
PICTURES = [
    ("moon_large.bmp", 64, 31, 28, 28),
    ("moon_small.bmp", 32, 15, 14, 14),
]

SUPERSAMPLE = 5

# Maria as ellipses on the disc seen from the Earth: centre u (right), v (up), half-axes, tilt in
# degrees and darkness (1 = full mare albedo).
MARIA = [
    (-0.25, 0.55, 0.28, 0.20, 10, 1.0),    # Imbrium
    (-0.78, 0.30, 0.17, 0.30, -10, 0.85),  # Procellarum, north
    (-0.62, 0.04, 0.16, 0.20, 0, 0.85),    # Procellarum, south
    (-0.55, 0.45, 0.13, 0.11, 0, 0.8),     # Procellarum, towards Imbrium
    (-0.46, -0.05, 0.12, 0.09, 0, 0.75),   # Insularum
    (0.27, 0.47, 0.16, 0.14, 0, 1.0),      # Serenitatis
    (0.45, 0.16, 0.21, 0.16, -25, 1.1),    # Tranquillitatis
    (0.80, 0.30, 0.09, 0.12, 0, 1.0),      # Crisium
    (0.68, -0.10, 0.13, 0.20, 15, 0.85),   # Fecunditatis
    (0.52, -0.27, 0.08, 0.08, 0, 0.85),    # Nectaris
    (-0.22, -0.38, 0.18, 0.14, 0, 0.85),   # Nubium
    (-0.38, -0.15, 0.12, 0.09, 0, 0.7),    # Cognitum
    (-0.57, -0.42, 0.09, 0.10, 0, 0.9),    # Humorum
    (-0.05, 0.78, 0.42, 0.055, 0, 0.5),    # Frigoris
    (0.07, 0.24, 0.07, 0.05, 0, 0.6),      # Vaporum
    (0.03, 0.04, 0.05, 0.05, 0, 0.5),      # Medii
    (0.95, 0.05, 0.03, 0.13, 0, 0.6),      # Smythii, on the limb
]

# Bright craters: u, v, radius, brightening.
CRATERS = [
    (-0.14, -0.69, 0.040, 0.25),  # Tycho
    (-0.34, 0.17, 0.035, 0.22),   # Copernicus
    (-0.61, 0.14, 0.025, 0.18),   # Kepler
    (-0.67, 0.40, 0.022, 0.40),   # Aristarchus
    (0.70, 0.28, 0.020, 0.20),    # Proclus
]

# Rays of Tycho: directions in degrees (0 = right, counter-clockwise) and reach.
TYCHO_RAYS = [(80, 1.05), (60, 0.8), (105, 0.9), (130, 0.6), (20, 0.7), (160, 0.5), (-20, 0.35), (200, 0.3)]


def _hash(ix, iy, seed):
    h = (ix * 374761393 + iy * 668265263 + seed * 2147483647) & 0xFFFFFFFF
    h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
    return ((h ^ (h >> 16)) & 0xFFFF) / 65535.0


def _value_noise(x, y, seed):
    ix, iy = math.floor(x), math.floor(y)
    fx, fy = x - ix, y - iy
    sx, sy = fx * fx * (3 - 2 * fx), fy * fy * (3 - 2 * fy)
    a = _hash(ix, iy, seed)
    b = _hash(ix + 1, iy, seed)
    c = _hash(ix, iy + 1, seed)
    d = _hash(ix + 1, iy + 1, seed)
    top = a + (b - a) * sx
    bottom = c + (d - c) * sx
    return top + (bottom - top) * sy  # 0..1


def fbm(x, y, seed, octaves=4):
    total, amp, norm = 0.0, 1.0, 0.0
    for o in range(octaves):
        total += amp * (_value_noise(x, y, seed + o * 17) - 0.5)
        norm += amp
        amp *= 0.5
        x, y = x * 2.03, y * 2.03
    return total / norm  # about -0.5..0.5


def mare_cover(u, v):
    """How much of the point is mare, 0..1, with ragged shores."""
    ragged = 0.45 * fbm(u * 6 + 11, v * 6 + 3, 7)
    clear = 1.0
    for cu, cv, a, b, tilt, dark in MARIA:
        t = math.radians(tilt)
        du, dv = u - cu, v - cv
        ru = du * math.cos(t) + dv * math.sin(t)
        rv = -du * math.sin(t) + dv * math.cos(t)
        d = math.sqrt((ru / a) ** 2 + (rv / b) ** 2) + ragged
        edge = min(1.0, max(0.0, (1.25 - d) / 0.5))
        clear *= 1.0 - min(1.0, dark * edge * edge * (3 - 2 * edge))
    return 1.0 - clear


def albedo(u, v):
    m = mare_cover(u, v)
    texture = fbm(u * 9, v * 9, 101) * 0.12 + fbm(u * 23, v * 23, 203) * 0.08 * (1.0 - m)
    a = (1.0 - 0.40 * m * (1.0 + 0.5 * fbm(u * 12, v * 12, 303))) * (1.0 + texture)
    for cu, cv, cr, gain in CRATERS:
        d = math.hypot(u - cu, v - cv) / cr
        if d < 2.5:
            a += gain * math.exp(-d * d) * (1.0 - 0.3 * m)
    tu, tv = CRATERS[0][0], CRATERS[0][1]
    for ang, reach in TYCHO_RAYS:
        du, dv = u - tu, v - tv
        ca, sa = math.cos(math.radians(ang)), math.sin(math.radians(ang))
        along = du * ca + dv * sa
        across = -du * sa + dv * ca
        if 0.05 < along < reach:
            a += 0.10 * math.exp(-(across / 0.018) ** 2) * (1 - along / reach)
    return a, m


def shade(u, v):
    """Colour of a point of the disc as floats 0..255 (r, g, b)."""
    a, m = albedo(u, v)
    rho2 = min(1.0, u * u + v * v)
    limb = 0.86 + 0.14 * math.sqrt(1.0 - rho2)
    level = 204.0 * a * limb
    # Highlands a little warm, maria a little cool.
    warm = (1.0, 0.98, 0.93)
    cool = (0.97, 0.975, 0.99)
    tint = [w + (c - w) * m for w, c in zip(warm, cool)]
    return [min(255.0, level * t) for t in tint]


def draw(size, cx, cy, r):
    """Rows of (r, g, b) tuples, top row first."""
    radius = r + 0.2
    ox, oy = cx + 0.5, cy + 0.5
    rows = []
    for y in range(size):
        k = abs(y - cy)
        # The lit span of this row is exactly what the shadow lines can cover.
        half = round(math.sqrt(r * r - k * k)) if k <= r else -1
        row = []
        for x in range(size):
            if half < 0 or abs(x - cx) > half:
                row.append((0, 0, 0))
                continue
            acc = [0.0, 0.0, 0.0]
            inside = 0
            for j in range(SUPERSAMPLE):
                for i in range(SUPERSAMPLE):
                    px = x + (i + 0.5) / SUPERSAMPLE
                    py = y + (j + 0.5) / SUPERSAMPLE
                    u, v = (px - ox) / radius, (oy - py) / radius
                    if u * u + v * v <= 1.0:
                        inside += 1
                        for c, val in enumerate(shade(u, v)):
                            acc[c] += val
            n = SUPERSAMPLE * SUPERSAMPLE
            if inside * 4 < n:  # a sliver would stand out as a stray dot on the rim
                acc = [0.0, 0.0, 0.0]
            row.append(tuple(min(255, int(round(val / n))) for val in acc))
        rows.append(row)
    return rows


def write_bmp(path, rows):
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        data += line
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    offset = 14 + len(header)
    filehead = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(filehead + header + data)
    os.replace(tmp, path)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name, size, cx, cy, r in PICTURES:
        write_bmp(os.path.join(out, name), draw(size, cx, cy, r))


if __name__ == "__main__":
    main()
