#!/usr/bin/env python3
"""Writes picture_100.bmp to picture_107.bmp: the eight expand-button
pictures of the stand-in shell style library the task panel's tests put
where an XP visual style keeps its own. Each is a 20 x 20 disc in a colour
of its own, drawn with straight (not premultiplied) alpha: opaque inside,
half transparent on its rim, transparent in the corners. The pictures are
normal, normal hot, normal collapsed, normal collapsed hot, then the same
four for special groups. Run from this folder; the .bmp files are
committed."""
import struct

SIZE = 20
CENTRE = (SIZE - 1) / 2

# (r, g, b) per picture; the tests look for these.
COLOURS = [(200, 30, 30), (30, 160, 30), (30, 30, 200), (200, 160, 30),
           (160, 30, 160), (30, 160, 160), (120, 60, 0), (0, 60, 120)]


def pixel(colour, x, y):
    d = ((x - CENTRE) ** 2 + (y - CENTRE) ** 2) ** 0.5
    alpha = 0 if d > 9.5 else 128 if d > 7.5 else 255
    r, g, b = colour if alpha else (0, 0, 0)
    return bytes((b, g, r, alpha))


def bmp(colour):
    rows = b""
    for y in reversed(range(SIZE)):  # bottom-up
        rows += b"".join(pixel(colour, x, y) for x in range(SIZE))
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 32, 0, len(rows), 0, 0, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(rows), 0, 0, 14 + 40)
    return header + info + rows


for index, colour in enumerate(COLOURS):
    with open("picture_%d.bmp" % (100 + index), "wb") as f:
        f.write(bmp(colour))
