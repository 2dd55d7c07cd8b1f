#!/usr/bin/env python3
"""Writes the drive trees' icons, their expand-button cursor and the trees'
check marks.

Icons are 16 x 16, 32-bit with an AND mask; the cursor is drawn from the
picture below with the toolkit's cursor writer ('#' black, '.' white, ' '
transparent, 'H' the hot spot). Run from this folder; the outputs are
committed.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "toolkit", "foundation", "res"))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tools", "art"))
from bmp import bmp, ico  # noqa: E402
from make_cursors import cursor_bytes  # noqa: E402

SIZE = 16
CLEAR = (0, 0, 0, 0)


def box(x0, y0, x1, y1, fill, edge=(40, 40, 40)):
    """A filled rectangle with a dark edge; None outside."""
    def at(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return None
        if x in (x0, x1) or y in (y0, y1):
            return edge + (255,)
        return fill + (255,)
    return at


def layers(*parts):
    def pixel(x, y):
        for part in parts:
            hit = part(x, y)
            if hit:
                return hit
        return CLEAR
    return pixel


def disc_at(cx, cy, r, fill, hole=None):
    def at(x, y):
        d = (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2
        if hole and d <= hole * hole:
            return (255, 255, 255, 255)
        if d <= r * r:
            return fill + (255,)
        return None
    return at


def led(x, y0, colour):
    return lambda x1, y1: colour + (255,) if (x1, y1) in ((x, y0), (x + 1, y0)) else None


ICONS = {
    # A fixed disk: a grey case with a green lamp.
    "drive.ico": layers(led(11, 10, (40, 200, 60)), box(1, 6, 14, 12, (190, 190, 198))),
    # A CD-ROM drive: a case with a disc showing above it.
    "cdrom.ico": layers(box(1, 10, 14, 14, (190, 190, 198)), disc_at(8, 6, 6, (200, 210, 230), hole=1.5)),
    # A disc.
    "disc.ico": layers(disc_at(8, 8, 7, (190, 205, 235), hole=2)),
    # A removable drive: a case with a slot.
    "removable.ico": layers(lambda x, y: (40, 40, 40, 255) if y == 9 and 4 <= x <= 11 else None,
                            box(1, 5, 14, 13, (210, 210, 214))),
    # A floppy disk: dark blue with a metal shutter and a label.
    "floppy.ico": layers(box(4, 1, 11, 5, (200, 200, 205)), box(4, 8, 11, 14, (250, 250, 250)),
                         box(1, 1, 14, 14, (40, 70, 140))),
    # A USB disk: a blue case with a plug.
    "disk.ico": layers(led(10, 11, (250, 202, 0)), box(5, 1, 10, 4, (200, 200, 205)),
                       box(2, 4, 13, 14, (60, 110, 190), edge=(22, 58, 112))),
    # My Computer: a screen on a stand.
    "computer.ico": layers(box(3, 3, 12, 9, (120, 170, 230)), box(1, 1, 14, 11, (200, 200, 205)),
                           box(5, 12, 10, 14, (160, 160, 165))),
}

# An arrow pointing at an expand button.
BUTTON_CURSOR = [
    "H                 ",
    "##                ",
    "#.#               ",
    "#..#              ",
    "#...#             ",
    "#....#            ",
    "#.....#           ",
    "#......#          ",
    "#.......#         ",
    "#....#####        ",
    "#..#..#           ",
    "#.# #..#  ########",
    "##  #..#  #......#",
    "     #..# #..#...#",
    "     #### #.###..#",
    "          #..#...#",
    "          #......#",
    "          ########",
]


def check_marks():
    """Four 16-pixel state images in a 24-bit BMP, white the mask colour:
    none, unchecked, checked, partly checked."""
    edge, face, tick, part = (28, 81, 128), (244, 247, 252), (33, 161, 33), (120, 160, 210)
    width, height = 64, 16
    pixels = [[(255, 255, 255)] * width for _ in range(height)]
    for image in (1, 2, 3):
        x0 = image * 16
        for y in range(2, 15):
            for x in range(2, 15):
                on_edge = x in (2, 14) or y in (2, 14)
                pixels[y][x0 + x] = edge if on_edge else face
        if image == 2:
            # A tick: down from (5, 8) to (7, 10), up to (11, 5), three pixels thick.
            for x, y in ((5, 7), (6, 8), (7, 9), (8, 8), (9, 7), (10, 6), (11, 5)):
                for dy in range(3):
                    pixels[y + dy][x0 + x] = tick
        if image == 3:
            for y in range(5, 12):
                for x in range(5, 12):
                    pixels[y][x0 + x] = part
    return bmp(width, height, lambda x, y: pixels[y][x], pixels_per_metre=3780)

if __name__ == "__main__":
    for name, pixel in ICONS.items():
        with open(os.path.join(HERE, name), "wb") as out:
            out.write(ico(SIZE, pixel))
    with open(os.path.join(HERE, "tree_button.cur"), "wb") as out:
        out.write(cursor_bytes(BUTTON_CURSOR))
    with open(os.path.join(HERE, "tree_states.bmp"), "wb") as out:
        out.write(check_marks())
