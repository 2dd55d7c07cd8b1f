#!/usr/bin/env python3
"""Draws the Access database tree's image strip (../bitmaps/database_tree.bmp):
twelve 16 x 16 images side by side, 24 bits per pixel, magenta (255, 0, 255)
where the tree's background shows through. The tree uses images 0 (the
database), 2 (a table), 3 (the tables group), 8 (a relation), 9 (the
relations group), 10 (a query) and 11 (the queries group); the others stay
empty. Run from anywhere; the output is committed.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "art"))
from bmp import bmp  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "bitmaps", "database_tree.bmp")
SIZE = 16
COUNT = 12
MASK = (255, 0, 255)

OUTLINE = (40, 48, 64)
WHITE = (255, 255, 255)
GRID = (120, 140, 170)
HEADER = (70, 110, 180)
FOLDER = (232, 180, 74)
FOLDER_EDGE = (138, 98, 16)
FOLDER_LIGHT = (246, 210, 122)
DATABASE = (92, 150, 210)
DATABASE_TOP = (160, 200, 240)
LINK = (190, 40, 40)
QUERY = (40, 120, 60)

strip = [[MASK] * (SIZE * COUNT) for _ in range(SIZE)]


def put(image, x, y, colour):
    if 0 <= x < SIZE and 0 <= y < SIZE:
        strip[y][image * SIZE + x] = colour


def rect(image, left, top, right, bottom, fill, edge=None):
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            border = x in (left, right) or y in (top, bottom)
            put(image, x, y, edge if border and edge else fill)


def line(image, x0, y0, x1, y1, colour):
    steps = max(abs(x1 - x0), abs(y1 - y0), 1)
    for n in range(steps + 1):
        put(image, round(x0 + (x1 - x0) * n / steps), round(y0 + (y1 - y0) * n / steps), colour)


def table(image, left, top, right, bottom):
    # A header row over a white grid.
    rect(image, left, top, right, bottom, WHITE, OUTLINE)
    rect(image, left + 1, top + 1, right - 1, top + 2, HEADER)
    for y in range(top + 5, bottom, 3):
        line(image, left + 1, y, right - 1, y, GRID)
    for x in range(left + 4, right, 4):
        line(image, x, top + 3, x, bottom - 1, GRID)


def folder(image):
    rect(image, 0, 3, 6, 5, FOLDER, FOLDER_EDGE)
    rect(image, 0, 5, 15, 14, FOLDER, FOLDER_EDGE)
    rect(image, 1, 7, 14, 13, FOLDER_LIGHT)


def database():
    # A cylinder: a light top ellipse over a blue body with a darker outline.
    for y in range(2, 15):
        for x in range(2, 14):
            put(0, x, y, DATABASE)
    for x in range(2, 14):
        put(0, x, 14, OUTLINE)
    line(0, 1, 3, 1, 13, OUTLINE)
    line(0, 14, 3, 14, 13, OUTLINE)
    rect(0, 3, 1, 12, 4, DATABASE_TOP)
    line(0, 3, 1, 12, 1, OUTLINE)
    line(0, 3, 5, 12, 5, OUTLINE)
    line(0, 2, 9, 13, 9, DATABASE_TOP)


def relation():
    table(8, 0, 0, 7, 7)
    table(8, 8, 8, 15, 15)
    line(8, 7, 4, 11, 4, LINK)
    line(8, 11, 4, 11, 8, LINK)


def query(image):
    # A page with a green question mark.
    rect(image, 2, 0, 13, 15, WHITE, OUTLINE)
    for x, y in [(6, 3), (7, 2), (8, 2), (9, 3), (10, 4), (10, 5), (9, 6), (8, 7), (8, 8), (8, 9), (8, 12)]:
        put(image, x, y, QUERY)
        put(image, x - 1 if (x, y) == (8, 12) else x, y + 1 if (x, y) == (8, 12) else y, QUERY)


database()
table(2, 0, 1, 15, 14)
folder(3)
table(3, 6, 8, 15, 15)
relation()
folder(9)
line(9, 5, 10, 12, 10, LINK)
line(9, 5, 10, 5, 12, LINK)
line(9, 12, 10, 12, 12, LINK)
query(10)
folder(11)
rect(11, 8, 7, 14, 15, WHITE, OUTLINE)
put(11, 11, 9, QUERY)
put(11, 12, 10, QUERY)
put(11, 11, 11, QUERY)
put(11, 11, 13, QUERY)

with open(OUT, "wb") as out:
    out.write(bmp(SIZE * COUNT, SIZE, lambda x, y: strip[y][x], pixels_per_metre=2835))
