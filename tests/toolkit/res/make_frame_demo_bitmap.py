#!/usr/bin/env python3
"""Writes the frame demo's tool-bar pictures: six 16 x 16 images on
magenta (new page, open folder, disk, scissors, two pages, search glass).
Run from this folder; the .bmp file is committed."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "tools", "art"))
from bmp import bmp  # noqa: E402

MAGENTA = (255, 0, 255)
INK = (40, 40, 40)


def page(x, y):
    if not (3 <= x <= 12 and 1 <= y <= 14):
        return None
    if x in (3, 12) or y in (1, 14) or (x >= 9 and y <= 4 and x - 9 >= y - 1):
        return INK
    return (255, 255, 255)


def folder(x, y):
    if 1 <= x <= 14 and 4 <= y <= 13:
        if x in (1, 14) or y in (4, 13):
            return (120, 90, 0)
        return (240, 200, 60)
    if 2 <= x <= 6 and y == 3:
        return (120, 90, 0)
    return None


def disk(x, y):
    if not (1 <= x <= 14 and 1 <= y <= 14):
        return None
    if 4 <= x <= 11 and 2 <= y <= 6:
        return (230, 230, 230)
    if 5 <= x <= 10 and 10 <= y <= 14:
        return (180, 180, 180)
    return (30, 60, 160)


def scissors(x, y):
    if (x - 4) ** 2 + (y - 12) ** 2 in range(3, 7) or (x - 11) ** 2 + (y - 12) ** 2 in range(3, 7):
        return (200, 30, 30)
    if (x == y // 2 + 3 or x == 12 - y // 2) and y <= 10:
        return INK
    return None


def pages(x, y):
    back = 1 <= x <= 9 and 1 <= y <= 10
    front = 6 <= x <= 14 and 5 <= y <= 14
    if front:
        return INK if x in (6, 14) or y in (5, 14) else (255, 255, 255)
    if back:
        return INK if x in (1, 9) or y in (1, 10) else (220, 230, 255)
    return None


def glass(x, y):
    d = (x - 6) ** 2 + (y - 6) ** 2
    if 16 <= d <= 26:
        return INK
    if d < 16:
        return (170, 210, 255)
    if 9 <= x <= 14 and x - 9 <= y - 9 <= x - 8 and y >= 9:
        return (120, 70, 20)
    return None


PICTURES = [page, folder, disk, scissors, pages, glass]


def pixel(x, y):
    colour = PICTURES[x // 16](x % 16, y)
    return colour if colour is not None else MAGENTA


with open("frame_demo_tools.bmp", "wb") as f:
    f.write(bmp(16 * len(PICTURES), 16, pixel))
