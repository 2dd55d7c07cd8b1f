#!/usr/bin/env python3
"""Writes header_menu.bmp: the five 16 x 15 images of the column header's
context menu (sort ascending, sort descending, align left, centre, right),
side by side in a 24-bit bitmap whose top-left pixel (silver) is the
transparent colour.

'#' is dark blue, '+' dark grey, ' ' the background. Run from this folder;
the .bmp file is committed.
"""
from bitmap_strip import strip_bitmap

WIDTH, HEIGHT = 16, 15
COLOURS = {" ": (192, 192, 192), "#": (0, 0, 128), "+": (64, 64, 64)}

IMAGES = [
    # Sort ascending: an arrow up beside short-to-long bars.
    [
        "                ",
        "   #            ",
        "  ###    ++     ",
        " #####          ",
        "#######  ++++   ",
        "   #            ",
        "   #     ++++++ ",
        "   #            ",
        "   #     +++++++",
        "   #            ",
        "   #            ",
        "   #            ",
        "   #            ",
        "                ",
        "                ",
    ],
    # Sort descending: an arrow down beside long-to-short bars.
    [
        "                ",
        "   #            ",
        "   #     +++++++",
        "   #            ",
        "   #     ++++++ ",
        "   #            ",
        "   #     ++++   ",
        "   #            ",
        "#######  ++     ",
        " #####          ",
        "  ###           ",
        "   #            ",
        "                ",
        "                ",
        "                ",
    ],
]


def lines(offsets):
    """Text lines as bars of the given (start, length), one every other row."""
    rows = [" " * WIDTH for _ in range(HEIGHT)]
    for n, (start, length) in enumerate(offsets):
        y = 2 + 2 * n
        rows[y] = " " * start + "+" * length + " " * (WIDTH - start - length)
    return rows


IMAGES.append(lines([(1, 14), (1, 9), (1, 12), (1, 7), (1, 13)]))   # left
IMAGES.append(lines([(1, 14), (3, 10), (2, 12), (4, 8), (1, 14)]))  # centre
IMAGES.append(lines([(1, 14), (6, 9), (3, 12), (8, 7), (2, 13)]))   # right


with open("header_menu.bmp", "wb") as f:
    f.write(strip_bitmap(IMAGES, WIDTH, HEIGHT, COLOURS))
