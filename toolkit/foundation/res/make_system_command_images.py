#!/usr/bin/env python3
"""Writes system_commands.bmp: the four 16 x 16 images of a window's
system commands (restore, minimize, maximize, close), side by side in a
24-bit bitmap whose top-left pixel (silver) is the transparent colour.
The menu bar gives them to the system-menu items of a maximized MDI child.

'#' is black, ' ' the background. Run from this folder; the .bmp file is
committed.
"""
import struct

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


def bitmap_bytes(images):
    width = WIDTH * len(images)
    stride = (width * 3 + 3) & ~3
    pixels = b""
    for y in reversed(range(HEIGHT)):  # bottom-up rows
        row = b""
        for image in images:
            assert len(image) == HEIGHT and all(len(r) == WIDTH for r in image)
            for ch in image[y]:
                r, g, b = COLOURS[ch]
                row += bytes((b, g, r))
        pixels += row + b"\0" * (stride - len(row))
    info = struct.pack("<IiiHHIIiiII", 40, width, HEIGHT, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


with open("system_commands.bmp", "wb") as f:
    f.write(bitmap_bytes(IMAGES))
