#!/usr/bin/env python3
"""Writes the image-manager test strips. Run from this folder; the .bmp
files are committed."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "tools", "art"))
from bmp import bmp  # noqa: E402


# Three 16 x 16 pictures on magenta: red, green and blue squares.
COLOURS = [(255, 0, 0), (0, 160, 0), (0, 0, 255)]


def strip_pixel(x, y):
    inside = 4 <= x % 16 < 12 and 4 <= y < 12
    return COLOURS[x // 16] if inside else (255, 0, 255)


# Two 16 x 16 alpha pictures: left half opaque, right half transparent.
def alpha_pixel(x, y):
    alpha = 255 if x % 16 < 8 else 0
    return (200, y, x, alpha)


with open("strip24.bmp", "wb") as f:
    f.write(bmp(48, 16, strip_pixel))
with open("strip32.bmp", "wb") as f:
    f.write(bmp(32, 16, alpha_pixel, bits=32))
