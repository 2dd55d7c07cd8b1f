"""Writes a strip of small character-drawn pictures as a 24-bit BMP."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "tools", "art"))
from bmp import bmp  # noqa: E402


def strip_bitmap(images, width, height, colours):
    """images: lists of rows of characters, each a key of colours (r, g, b)."""
    assert all(len(image) == height and all(len(r) == width for r in image) for image in images)
    return bmp(width * len(images), height, lambda x, y: colours[images[x // width][y][x % width]],
               pixels_per_metre=2835)
