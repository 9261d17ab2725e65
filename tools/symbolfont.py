#!/usr/bin/python3
"""Writes Wine's Symbol face with the cmap a Windows symbol font has, for rich text bullets.

fonts-wine's symbol.ttf keeps the Symbol encoding only in its Macintosh cmap; its Unicode cmaps
read those codes as Mac Roman, so a symbol-charset 0xB7 (the bullet the rich edit draws) comes
out as an angle bracket. The Windows symbol cmap (3,0) holds each code at 0xF000 + code, which
is where Wine looks for a symbol-charset character in a font that has one.
usage: symbolfont.py IN.ttf OUT.ttf
"""
import sys

from fontTools.ttLib import TTFont
from fontTools.ttLib.tables._c_m_a_p import CmapSubtable

src, out = sys.argv[1:3]
font = TTFont(src)
mac = font["cmap"].getcmap(1, 0)
if mac is None or mac.cmap.get(0xB7) != "bullet":
    sys.exit(f"symbolfont: {src} has no Symbol-encoded Macintosh cmap")
sym = CmapSubtable.newSubtable(4)
sym.platformID, sym.platEncID, sym.language = 3, 0, 0
sym.cmap = {0xF000 + code: glyph for code, glyph in mac.cmap.items() if code >= 0x20}
font["cmap"].tables = [mac, sym]
font.save(out)
