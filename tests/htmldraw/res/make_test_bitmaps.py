#!/usr/bin/env python3
"""Writes the drawer's test pictures. Run from this folder; the .bmp files
are committed."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "tools", "art"))
from bmp import bmp  # noqa: E402


# Three 32 x 32 frames on magenta: red, green and blue discs.
COLOURS = [(220, 40, 40), (30, 160, 60), (40, 70, 220)]


def strip_pixel(x, y):
    dx, dy = x % 32 - 15.5, y - 15.5
    inside = dx * dx + dy * dy < 12 * 12
    return COLOURS[x // 32] if inside else (255, 0, 255)


# A 40 x 20 picture: a sky over a field, with a sun.
def photo_pixel(x, y):
    if (x - 30) ** 2 + (y - 6) ** 2 < 16:
        return (255, 220, 0)
    if y < 12:
        return (120 + y * 5, 180 + y * 3, 230)
    return (40, 150 + (x % 5) * 8, 40)


with open("strip.bmp", "wb") as f:
    f.write(bmp(96, 32, strip_pixel))
with open("photo.bmp", "wb") as f:
    f.write(bmp(40, 20, photo_pixel))
