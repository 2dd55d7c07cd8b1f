#!/usr/bin/env python3
"""Writes the image-manager test strips. Run from this folder; the .bmp
files are committed."""
import struct


def bmp(width, height, bits, pixel):
    stride = (width * bits // 8 + 3) & ~3
    rows = b""
    for y in reversed(range(height)):  # bottom-up
        row = b"".join(pixel(x, y) for x in range(width))
        rows += row + b"\0" * (stride - len(row))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(rows), 0, 0, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(rows), 0, 0, 14 + 40)
    return header + info + rows


# Three 16 x 16 pictures on magenta: red, green and blue squares.
COLOURS = [(255, 0, 0), (0, 160, 0), (0, 0, 255)]


def strip_pixel(x, y):
    r, g, b = COLOURS[x // 16]
    inside = 4 <= x % 16 < 12 and 4 <= y < 12
    return bytes((b, g, r)) if inside else bytes((255, 0, 255))


# Two 16 x 16 alpha pictures: left half opaque, right half transparent.
def alpha_pixel(x, y):
    alpha = 255 if x % 16 < 8 else 0
    return bytes((x, y, 200, alpha))


with open("strip24.bmp", "wb") as f:
    f.write(bmp(48, 16, 24, strip_pixel))
with open("strip32.bmp", "wb") as f:
    f.write(bmp(32, 16, 32, alpha_pixel))
