#!/usr/bin/env python3
"""Writes the tool-bar test bitmap. Run from this folder; the .bmp file is
committed."""
import struct

# Four 16 x 16 pictures on the light grey of tool-bar bitmaps: red, green,
# blue and black squares.
COLOURS = [(255, 0, 0), (0, 160, 0), (0, 0, 255), (0, 0, 0)]
WIDTH, HEIGHT = 16 * len(COLOURS), 16


def pixel(x, y):
    r, g, b = COLOURS[x // 16]
    inside = 3 <= x % 16 < 13 and 3 <= y < 13
    return bytes((b, g, r)) if inside else bytes((192, 192, 192))


stride = (WIDTH * 3 + 3) & ~3
rows = b""
for y in reversed(range(HEIGHT)):  # bottom-up
    row = b"".join(pixel(x, y) for x in range(WIDTH))
    rows += row + b"\0" * (stride - len(row))
info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(rows), 0, 0, 0, 0)
header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(rows), 0, 0, 14 + 40)
with open("tools.bmp", "wb") as f:
    f.write(header + info + rows)
