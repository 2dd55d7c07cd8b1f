#!/usr/bin/env python3
"""Writes task_panel_glyph.bmp and task_panel_glyph_special.bmp: the 19 x 19
round buttons behind the task panel's expand chevrons, for normal and for
special groups. The paint manager tints them with the caption colours:
only their lightness counts. The top-left pixel (light grey) is the
transparent colour.

'.' is the background, 'o' the rim, '+' the shade under the face, ' ' the
white face. Run from this folder; the .bmp files are committed.
"""
from bitmap_strip import strip_bitmap

SIZE = 19


def button(rim, shade):
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
    return rows, {".": (224, 224, 224), "o": rim, "+": shade, " ": (255, 255, 255)}


for name, rim, shade in (("task_panel_glyph.bmp", (150, 150, 150), (214, 214, 214)),
                         ("task_panel_glyph_special.bmp", (110, 110, 110), (200, 200, 200))):
    rows, colours = button(rim, shade)
    with open(name, "wb") as f:
        f.write(strip_bitmap([rows], SIZE, SIZE, colours))
