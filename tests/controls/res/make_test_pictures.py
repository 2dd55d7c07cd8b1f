#!/usr/bin/env python3
"""Writes the pictures the widget tests and the gallery load. Run from this
folder; the .bmp and .ico files are committed."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "tools", "art"))
from bmp import bmp, ico  # noqa: E402


def inside_round(x, y, w, h, r):
    cx = min(max(x, r), w - 1 - r)
    cy = min(max(y, r), h - 1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


# The bar buttons: a blue tile with a white arrow; the hover picture is
# lighter and 36 x 36, larger than the normal one.
def tool_pixel(size, light):
    def pixel(x, y):
        if not inside_round(x, y, size, size, 6):
            return (255, 255, 255)
        arrow = abs(x - size // 2) <= (y - 8) and 8 <= y <= size // 2 + 2 or \
            (abs(x - size // 2) <= 3 and size // 2 <= y <= size - 8)
        if arrow:
            return (255, 255, 255)
        return (90, 150, 240) if light else (30, 80, 200)
    return pixel


# The start page's mode pictures, 223 x 87: a band and a disc.
def mode_pixel(light):
    def pixel(x, y):
        if (x - 43) ** 2 + (y - 43) ** 2 <= 30 ** 2:
            return (255, 200, 40) if light else (230, 150, 0)
        if 90 <= x <= 210 and 30 <= y <= 56:
            return (255, 255, 255)
        return (60, 140, 230) if light else (20, 90, 190)
    return pixel


# A keyed picture: magenta all round a red square, a green bar inside.
def keyed_pixel(x, y):
    if 4 <= x < 12 and 4 <= y < 12:
        return (0, 160, 0) if 7 <= y < 9 else (220, 0, 0)
    return (255, 0, 255)


# The wizard's arrows on their key colour RGB(255, 235, 139): green when
# active, grey at rest, pointing right (Next) or left (Back).
def arrow_pixel(colour, left):
    def pixel(x, y):
        px = x if left else 15 - x
        if abs(y - 8) <= px - 3 and px <= 11 and 2 <= y <= 14 or (4 <= px <= 8 and 6 <= y <= 10):
            return colour
        return (255, 235, 139)
    return pixel


# Start over: a round arrow keyed blue.
def restart_pixel(x, y):
    d = (x - 12) ** 2 + (y - 12) ** 2
    if 49 <= d <= 100 and not (x > 12 and y < 12):
        return (230, 120, 0)
    if 12 <= x <= 20 and 2 <= y <= 6 and y >= x - 16:
        return (230, 120, 0)
    return (0, 0, 255)


def icon_pixel(x, y):
    if (x - 8) ** 2 + (y - 8) ** 2 <= 49:
        return (0, 120, 215, 255)
    return (0, 0, 0, 0)


with open("tool_normal.bmp", "wb") as f:
    f.write(bmp(34, 34, tool_pixel(34, False)))
with open("tool_hover.bmp", "wb") as f:
    f.write(bmp(36, 36, tool_pixel(36, True)))
with open("mode_normal.bmp", "wb") as f:
    f.write(bmp(223, 87, mode_pixel(False)))
with open("mode_hover.bmp", "wb") as f:
    f.write(bmp(223, 87, mode_pixel(True)))
with open("keyed.bmp", "wb") as f:
    f.write(bmp(16, 16, keyed_pixel))
with open("disc.ico", "wb") as f:
    f.write(ico(16, icon_pixel))
with open("next_active.bmp", "wb") as f:
    f.write(bmp(16, 16, arrow_pixel((0, 150, 0), False)))
with open("next_resting.bmp", "wb") as f:
    f.write(bmp(16, 16, arrow_pixel((110, 110, 110), False)))
with open("back_active.bmp", "wb") as f:
    f.write(bmp(16, 16, arrow_pixel((0, 150, 0), True)))
with open("back_resting.bmp", "wb") as f:
    f.write(bmp(16, 16, arrow_pixel((110, 110, 110), True)))
with open("restart.bmp", "wb") as f:
    f.write(bmp(24, 24, restart_pixel))
