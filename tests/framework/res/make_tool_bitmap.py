#!/usr/bin/env python3
"""Writes the tool-bar test bitmap. Run from this folder; the .bmp file is
committed."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "tools", "art"))
from bmp import bmp  # noqa: E402

# Four 16 x 16 pictures on the light grey of tool-bar bitmaps: red, green,
# blue and black squares.
COLOURS = [(255, 0, 0), (0, 160, 0), (0, 0, 255), (0, 0, 0)]
WIDTH, HEIGHT = 16 * len(COLOURS), 16


def pixel(x, y):
    inside = 3 <= x % 16 < 13 and 3 <= y < 13
    return COLOURS[x // 16] if inside else (192, 192, 192)


with open("tools.bmp", "wb") as f:
    f.write(bmp(WIDTH, HEIGHT, pixel))
