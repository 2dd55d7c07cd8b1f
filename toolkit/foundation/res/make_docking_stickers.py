#!/usr/bin/env python3
"""Writes the docking stickers' bitmaps.

Each bitmap is a row of square cells with one part image at the top-left
corner of each cell; pure green (0, 255, 0) is transparent once the cells are
in an image list. No part pixel is pure black: the stickers' window regions
and hit tests take every black pixel as outside.

  docking_sticker_background.bmp  9903  the compound background, 43 x 43
  docking_sticker_arrows*.bmp     9904-9906  cells of 43: top, left, bottom,
      right and centre, each normal then highlighted (9905 olive, 9906
      silver, 9904 any other scheme)
  docking_sticker_style1.bmp      9910  cells of 41: background normal and
      highlighted, top, left, bottom, right (normal, highlighted), centre

Run from this folder; the .bmp files are committed.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "tools", "art"))
from bmp import bmp  # noqa: E402

GREEN = (0, 255, 0)


def canvas(width, height):
    return [[GREEN] * width for _ in range(height)]


def inside_rounded(x, y, x0, y0, x1, y1, radius):
    if not (x0 <= x < x1 and y0 <= y < y1):
        return False
    cx = min(max(x + 0.5, x0 + radius), x1 - radius)
    cy = min(max(y + 0.5, y0 + radius), y1 - radius)
    return (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= radius ** 2


def inside_octagon(x, y, x0, y0, x1, y1, cut):
    if not (x0 <= x < x1 and y0 <= y < y1):
        return False
    dx = min(x - x0, x1 - 1 - x)
    dy = min(y - y0, y1 - 1 - y)
    return dx + dy >= cut


def shape(image, test, fill, outline):
    """Fills the pixels where test holds; those next to outside are outline."""
    height, width = len(image), len(image[0])
    for y in range(height):
        for x in range(width):
            if not test(x, y):
                continue
            edge = any(not test(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            image[y][x] = outline if edge else fill


def rectangle(image, x0, y0, x1, y1, colour):
    for y in range(y0, y1):
        for x in range(x0, x1):
            image[y][x] = colour


def up_arrow(image, centre, top, colour, half=7, head=9, stem=8):
    """A filled arrow pointing up: a triangle over a stem of width 5."""
    for row in range(head):
        spread = round(half * (row + 1) / head)
        for x in range(centre - spread, centre + spread + 1):
            image[top + row][x] = colour
    rectangle(image, centre - 2, top + head, centre + 3, top + head + stem, colour)


def transposed(image):
    return [list(column) for column in zip(*image)]


def flipped_vertically(image):
    return image[::-1]


def flipped_horizontally(image):
    return [row[::-1] for row in image]


def in_cell(image, size):
    """The image at the top-left corner of a transparent cell."""
    cell = canvas(size, size)
    for y, row in enumerate(image):
        cell[y][: len(row)] = row
    return cell


def four_ways(up):
    """Top, left, bottom and right parts from the upward one."""
    left = transposed(up)
    return [up, left, flipped_vertically(up), flipped_horizontally(left)]


def write_strip(name, cells):
    size = len(cells[0])
    with open(name, "wb") as out:
        out.write(bmp(size * len(cells), size, lambda x, y: cells[x // size][y][x % size], pixels_per_metre=2835))


# The first style: light boxes with an arrow in the scheme's colour.
FACE = (0xF4, 0xF4, 0xF4)
EDGE = (0x6E, 0x6E, 0x6E)
SCHEMES = {
    # arrow colour, highlighted face
    "docking_sticker_arrows.bmp": ((0x31, 0x6A, 0xC5), (0xC1, 0xD8, 0xF5)),
    "docking_sticker_arrows_olive.bmp": ((0x6B, 0x7F, 0x2A), (0xDD, 0xE6, 0xB8)),
    "docking_sticker_arrows_silver.bmp": ((0x5F, 0x68, 0x7E), (0xDF, 0xE2, 0xEA)),
}


def first_style_arrow(arrow, face, edge):
    part = canvas(43, 30)
    shape(part, lambda x, y: inside_rounded(x, y, 4, 1, 39, 30, 4), face, edge)
    up_arrow(part, 21, 6, arrow)
    return part


def first_style_centre(arrow, face, edge):
    part = canvas(33, 33)
    shape(part, lambda x, y: inside_rounded(x, y, 0, 0, 33, 33, 4), face, edge)
    # A small window with its title bar: the pane joins as a tab.
    shape(part, lambda x, y: 8 <= x < 25 and 8 <= y < 25, face, arrow)
    rectangle(part, 8, 8, 25, 12, arrow)
    rectangle(part, 8, 21, 15, 25, arrow)
    return part


def first_style():
    background = canvas(43, 43)
    shape(background, lambda x, y: inside_rounded(x, y, 0, 0, 43, 43, 7), (0xDA, 0xDA, 0xDA), (0x80, 0x80, 0x80))
    write_strip("docking_sticker_background.bmp", [background])
    for name, (arrow, hot) in SCHEMES.items():
        normal = four_ways(first_style_arrow(arrow, FACE, EDGE))
        lit = four_ways(first_style_arrow(arrow, hot, arrow))
        parts = normal + [first_style_centre(arrow, FACE, EDGE)]
        lit_parts = lit + [first_style_centre(arrow, hot, arrow)]
        cells = []
        for plain, highlighted in zip(parts, lit_parts):
            cells += [in_cell(plain, 43), in_cell(highlighted, 43)]
        write_strip(name, cells)


# The second style: solid blue arrow boxes around a light octagon.
BLUE = (0x3C, 0x64, 0xB4)
DARK_BLUE = (0x28, 0x46, 0x82)
LIGHT_BLUE = (0x6A, 0x98, 0xE6)
WHITE = (0xFA, 0xFA, 0xFA)


def second_style_arrow(face):
    part = canvas(29, 30)
    shape(part, lambda x, y: inside_rounded(x, y, 0, 0, 29, 30, 3), face, DARK_BLUE)
    up_arrow(part, 14, 7, WHITE, half=6, head=8, stem=7)
    return part


def second_style():
    cells = []
    for face in (WHITE, (0xB4, 0xCD, 0xF0)):
        background = canvas(41, 41)
        shape(background, lambda x, y: inside_octagon(x, y, 0, 0, 41, 41, 9), face, BLUE)
        cells.append(background)
    normal = four_ways(second_style_arrow(BLUE))
    lit = four_ways(second_style_arrow(LIGHT_BLUE))
    for plain, highlighted in zip(normal, lit):
        cells += [in_cell(plain, 41), in_cell(highlighted, 41)]
    centre = canvas(28, 29)
    shape(centre, lambda x, y: inside_rounded(x, y, 0, 0, 28, 29, 3), WHITE, BLUE)
    rectangle(centre, 8, 8, 20, 21, BLUE)
    cells.append(in_cell(centre, 41))
    write_strip("docking_sticker_style1.bmp", cells)


if __name__ == "__main__":
    first_style()
    second_style()
