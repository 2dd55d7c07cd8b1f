#!/usr/bin/env python3
"""Writes the drawer's test pictures. Run from this folder; the .bmp files
are committed."""
import struct


def bmp(width, height, pixel):
    stride = (width * 3 + 3) & ~3
    rows = b""
    for y in reversed(range(height)):  # bottom-up
        row = b"".join(pixel(x, y) for x in range(width))
        rows += row + b"\0" * (stride - len(row))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(rows), 0, 0, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(rows), 0, 0, 14 + 40)
    return header + info + rows


# Three 32 x 32 frames on magenta: red, green and blue discs.
COLOURS = [(220, 40, 40), (30, 160, 60), (40, 70, 220)]


def strip_pixel(x, y):
    r, g, b = COLOURS[x // 32]
    dx, dy = x % 32 - 15.5, y - 15.5
    inside = dx * dx + dy * dy < 12 * 12
    return bytes((b, g, r)) if inside else bytes((255, 0, 255))


# A 40 x 20 picture: a sky over a field, with a sun.
def photo_pixel(x, y):
    if (x - 30) ** 2 + (y - 6) ** 2 < 16:
        return bytes((0, 220, 255))
    if y < 12:
        return bytes((230, 180 + y * 3, 120 + y * 5))
    return bytes((40, 150 + (x % 5) * 8, 40))


with open("strip.bmp", "wb") as f:
    f.write(bmp(96, 32, strip_pixel))
with open("photo.bmp", "wb") as f:
    f.write(bmp(40, 20, photo_pixel))
