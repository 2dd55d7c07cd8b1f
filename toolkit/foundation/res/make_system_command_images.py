#!/usr/bin/env python3
"""Writes system_commands.bmp: the four 16 x 16 images of a window's
system commands (restore, minimize, maximize, close), side by side in a
24-bit bitmap whose top-left pixel (silver) is the transparent colour.
The menu bar gives them to the system-menu items of a maximized MDI child.

'#' is black, ' ' the background. Run from this folder; the .bmp file is
committed.
"""
from bitmap_strip import strip_bitmap

WIDTH, HEIGHT = 16, 16
COLOURS = {" ": (192, 192, 192), "#": (0, 0, 0)}

IMAGES = [
    # Restore: two overlapping windows.
    [
        "                ",
        "                ",
        "     #######    ",
        "     #######    ",
        "     #     #    ",
        "   #######  #   ",
        "   #######  #   ",
        "   #     #  #   ",
        "   #     ####   ",
        "   #     #      ",
        "   #     #      ",
        "   #######      ",
        "                ",
        "                ",
        "                ",
        "                ",
    ],
    # Minimize: a bar at the foot.
    [
        "                ",
        "                ",
        "                ",
        "                ",
        "                ",
        "                ",
        "                ",
        "                ",
        "                ",
        "                ",
        "    ######      ",
        "    ######      ",
        "                ",
        "                ",
        "                ",
        "                ",
    ],
    # Maximize: one window with a thick title edge.
    [
        "                ",
        "                ",
        "   #########    ",
        "   #########    ",
        "   #       #    ",
        "   #       #    ",
        "   #       #    ",
        "   #       #    ",
        "   #       #    ",
        "   #       #    ",
        "   #       #    ",
        "   #########    ",
        "                ",
        "                ",
        "                ",
        "                ",
    ],
    # Close: a cross.
    [
        "                ",
        "                ",
        "                ",
        "    ##    ##    ",
        "     ##  ##     ",
        "      ####      ",
        "       ##       ",
        "      ####      ",
        "     ##  ##     ",
        "    ##    ##    ",
        "                ",
        "                ",
        "                ",
        "                ",
        "                ",
        "                ",
    ],
]


with open("system_commands.bmp", "wb") as f:
    f.write(strip_bitmap(IMAGES, WIDTH, HEIGHT, COLOURS))
