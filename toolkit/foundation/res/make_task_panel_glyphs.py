#!/usr/bin/env python3
"""Writes task_panel_glyph.bmp and task_panel_glyph_special.bmp: the 19 x 19
round buttons behind the task panel's expand chevrons, for normal and for
special groups. The paint manager tints them with the caption colours:
only their lightness counts. The top-left pixel (light grey) is the
transparent colour.

'.' is the background, 'o' the rim, '+' the shade under the face, ' ' the
face: white for normal groups, grey for special ones, whose captions (and
so the chevrons drawn on the face) are often white. Run from this folder; the .bmp files are committed.
"""
from bitmap_strip import strip_bitmap

SIZE = 19


def button(rim, shade, face):
    rows = []
    centre = (SIZE - 1) / 2
    for y in range(SIZE):
        row = ""
        for x in range(SIZE):
            d = ((x - centre) ** 2 + (y - centre) ** 2) ** 0.5
            if d > 8.6:
                row += "."
            elif d > 7.6:
                row += "o"
            elif d > 6.2 and y > centre:
                row += "+"
            else:
                row += " "
        rows.append(row)
    return rows, {".": (224, 224, 224), "o": rim, "+": shade, " ": face}


for name, rim, shade, face in (("task_panel_glyph.bmp", (150, 150, 150), (214, 214, 214), (255, 255, 255)),
                               ("task_panel_glyph_special.bmp", (90, 90, 90), (130, 130, 130), (160, 160, 160))):
    rows, colours = button(rim, shade, face)
    with open(name, "wb") as f:
        f.write(strip_bitmap([rows], SIZE, SIZE, colours))
