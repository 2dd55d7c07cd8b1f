"""Writes a strip of small character-drawn pictures as a 24-bit BMP."""
import struct


def strip_bitmap(images, width, height, colours):
    """images: lists of rows of characters, each a key of colours (r, g, b)."""
    strip_width = width * len(images)
    stride = (strip_width * 3 + 3) & ~3
    pixels = b""
    for y in reversed(range(height)):  # bottom-up rows
        row = b""
        for image in images:
            assert len(image) == height and all(len(r) == width for r in image)
            for ch in image[y]:
                r, g, b = colours[ch]
                row += bytes((b, g, r))
        pixels += row + b"\0" * (stride - len(row))
    info = struct.pack("<IiiHHIIiiII", 40, strip_width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels
