#!/usr/bin/env python3
"""Draws the preview pane's notice cards with ImageMagick's convert: 202 x 140,
32 bits per pixel, a light grey card with a darker shadow along its right
and bottom edges and black italic text in its middle (../bitmaps/); and the
archive list's two header icons, a file and a folder at 48, 32 and 16
pixels (../icons/). Run from anywhere; the outputs are committed.
"""
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "art"))
from bmp import bmp_from_rows  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
BITMAPS = os.path.join(HERE, "..", "bitmaps")
ICONS = os.path.join(HERE, "..", "icons")
FONT = "DejaVu-Sans-Oblique"

CARDS = {
    "card_select_file.bmp": "Select file for preview",
    "card_not_available.bmp": "Preview not available\nfor this\nfile type",
    "card_corrupted.bmp": "File Corrupted",
    "card_too_large.bmp": "File too large\nto preview",
}


def card(name, text):
    # The shadow is the card's lower right, 4 pixels deep; the face covers the rest.
    pixels = subprocess.run([
        "convert", "-size", "202x140", "xc:#f4f4f4",
        "-fill", "#9a9a9a", "-draw", "rectangle 4,4 201,139",
        "-fill", "#dcdcdc", "-stroke", "#b4b4b4", "-draw", "rectangle 0,0 197,135",
        "-stroke", "none", "-fill", "black", "-font", FONT, "-pointsize", "13",
        "-gravity", "center", "-annotate", "+0-2", text,
        "-depth", "8", "bgra:-"], check=True, capture_output=True).stdout
    write_bmp32(os.path.join(BITMAPS, name), 202, 140, pixels)


def write_bmp32(path, width, height, pixels):
    # convert writes no 32-bit BMP without alpha tricks: the file is put
    # together here, every pixel opaque.
    rows = [bytearray(pixels[y * width * 4:(y + 1) * width * 4]) for y in range(height)]
    for row in rows:
        row[3::4] = b"\xff" * width
    with open(path, "wb") as out:
        out.write(bmp_from_rows(width, [bytes(row) for row in rows], bits=32, pixels_per_metre=2835))


def header_icon(name, folder):
    # Drawn at 48 and scaled down: the list loads the 48-pixel image and
    # the header shows it at 16.
    with tempfile.TemporaryDirectory() as work:
        big = os.path.join(work, "48.png")
        if folder:
            steps = ["-fill", "#e8b44a", "-stroke", "#8a6210", "-strokewidth", "2",
                     "-draw", "polygon 3,10 18,10 22,15 45,15 45,42 3,42",
                     "-fill", "#f6d27a", "-draw", "polygon 3,20 45,20 45,42 3,42"]
        else:
            steps = ["-fill", "white", "-stroke", "#505a6a", "-strokewidth", "2",
                     "-draw", "polygon 9,3 31,3 41,13 41,45 9,45",
                     "-fill", "#c8d4e4", "-draw", "polygon 31,3 31,13 41,13",
                     "-stroke", "#2860aa", "-strokewidth", "2",
                     "-draw", "line 15,22 35,22", "-draw", "line 15,29 35,29", "-draw", "line 15,36 29,36"]
        subprocess.run(["convert", "-size", "48x48", "xc:none", *steps, big], check=True)
        sizes = [big]
        for size in (32, 16):
            small = os.path.join(work, f"{size}.png")
            subprocess.run(["convert", big, "-resize", f"{size}x{size}", small], check=True)
            sizes.append(small)
        subprocess.run(["convert", *sizes, os.path.join(ICONS, name)], check=True)


def main():
    for name, text in CARDS.items():
        card(name, text)
    os.makedirs(ICONS, exist_ok=True)
    header_icon("archive_file.ico", False)
    header_icon("archive_folder.ico", True)


if __name__ == "__main__":
    main()
