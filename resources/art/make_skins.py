#!/usr/bin/env python3
"""Draws the dialogs' skin bitmaps into ../bitmaps/ (24-bit BMP files).

Each skin is at least the client area of its dialog at 96 DPI (a dialog
unit is about 1.5 x 1.625 pixels with MS Sans Serif 8). Text is drawn over
the skins by the dialogs, so the skins stay light where text lies and keep
their pictures to the margins. Run from this folder; the outputs are
committed.
"""
import math
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "art"))
from bmp import bmp  # noqa: E402

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "bitmaps")

SKY = (212, 228, 248)
WHITE = (255, 255, 255)
MIST = (242, 246, 251)
BLUE = (40, 96, 170)
DEEP = (22, 58, 112)
AMBER = (250, 202, 0)


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


class Canvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.pixels = [[WHITE] * width for _ in range(height)]

    def vertical_gradient(self, stops):
        """stops: (fraction of the height, colour), in order."""
        for y in range(self.height):
            f = y / (self.height - 1)
            for (f0, c0), (f1, c1) in zip(stops, stops[1:]):
                if f0 <= f <= f1:
                    colour = mix(c0, c1, (f - f0) / (f1 - f0) if f1 > f0 else 0)
                    break
            self.pixels[y] = [colour] * self.width

    def blend(self, x, y, colour, alpha):
        if 0 <= x < self.width and 0 <= y < self.height and alpha > 0:
            self.pixels[y][x] = mix(self.pixels[y][x], colour, alpha)

    def fill(self, x0, y0, x1, y1, colour_at):
        """colour_at(x, y) -> (colour, alpha) or None, over the box."""
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                hit = colour_at(x, y)
                if hit:
                    self.blend(x, y, *hit)

    def ring(self, cx, cy, radius, width, colour, alpha):
        """An anti-aliased circle line."""
        r = int(radius + width) + 2

        def at(x, y):
            d = abs(math.hypot(x + 0.5 - cx, y + 0.5 - cy) - radius)
            cover = max(0.0, min(1.0, width / 2 + 0.5 - d))
            return (colour, alpha * cover) if cover else None

        self.fill(int(cx) - r, int(cy) - r, int(cx) + r, int(cy) + r, at)

    def disc(self, cx, cy, radius, colour, alpha):
        r = int(radius) + 2

        def at(x, y):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            cover = max(0.0, min(1.0, radius + 0.5 - d))
            return (colour, alpha * cover) if cover else None

        self.fill(int(cx) - r, int(cy) - r, int(cx) + r, int(cy) + r, at)

    def line(self, x0, y0, x1, y1, width, colour, alpha):
        """An anti-aliased straight stroke."""
        length = math.hypot(x1 - x0, y1 - y0)
        ux, uy = (x1 - x0) / length, (y1 - y0) / length
        pad = int(width) + 2

        def at(x, y):
            px, py = x + 0.5 - x0, y + 0.5 - y0
            along = max(0.0, min(length, px * ux + py * uy))
            d = math.hypot(px - along * ux, py - along * uy)
            cover = max(0.0, min(1.0, width / 2 + 0.5 - d))
            return (colour, alpha * cover) if cover else None

        self.fill(int(min(x0, x1)) - pad, int(min(y0, y1)) - pad,
                  int(max(x0, x1)) + pad, int(max(y0, y1)) + pad, at)

    def wave(self, top, amplitude, period, colour, alpha_top, alpha_bottom):
        """Tints everything below a sine edge, fading to the bottom."""
        for x in range(self.width):
            edge = top + amplitude * math.sin(2 * math.pi * x / period)
            for y in range(max(0, int(edge)), self.height):
                cover = min(1.0, y + 1 - edge)
                depth = (y - edge) / max(1.0, self.height - edge)
                self.blend(x, y, colour, cover * mix_alpha(alpha_top, alpha_bottom, depth))

    def save(self, name):
        with open(os.path.join(OUT, name), "wb") as out:
            out.write(bmp(self.width, self.height, lambda x, y: self.pixels[y][x], pixels_per_metre=3780))


def mix_alpha(a, b, t):
    return a + (b - a) * max(0.0, min(1.0, t))


def platter(canvas, cx, cy, radius, alpha, arm=DEEP):
    """A disk platter with its read arm: the program's motif."""
    canvas.disc(cx, cy, radius, BLUE, alpha * 0.25)
    for k in range(1, 5):
        canvas.ring(cx, cy, radius * k / 5, 1.2, DEEP, alpha * 0.35)
    canvas.ring(cx, cy, radius, 2.0, DEEP, alpha * 0.6)
    canvas.disc(cx, cy, radius * 0.12, AMBER, alpha)
    pivot = (cx + radius * 0.95, cy - radius * 0.85)
    canvas.line(pivot[0], pivot[1], cx + radius * 0.25, cy - radius * 0.05, radius * 0.07,
                arm, alpha * 0.8)
    canvas.disc(pivot[0], pivot[1], radius * 0.1, arm, alpha * 0.8)


def settings_skin():
    # Recovery Settings (304 x 265 units) and Device Not Found (281 x 202).
    c = Canvas(480, 450)
    c.vertical_gradient([(0.0, SKY), (0.45, WHITE), (1.0, MIST)])
    c.wave(360, 8, 300, BLUE, 0.10, 0.22)
    c.wave(380, 6, 210, AMBER, 0.35, 0.55)
    c.fill(0, 0, c.width, 3, lambda x, y: (BLUE, 0.8))
    c.save("settings_skin.bmp")


def drive_info_skin():
    # Drive Information (248 x 203 units): the rows lie left and centre,
    # the picture right of the values, above the line over OK.
    c = Canvas(390, 345)
    c.vertical_gradient([(0.0, SKY), (0.5, WHITE), (1.0, MIST)])
    c.fill(0, 0, 7, c.height, lambda x, y: (mix(BLUE, DEEP, y / c.height), 0.85))
    c.fill(7, 0, 9, c.height, lambda x, y: (AMBER, 0.9))
    platter(c, 318, 100, 46, 0.45)
    c.save("drive_info_skin.bmp")


def about_skin():
    # About (301 x 180 units): the texts begin at 110 units, right of the panel.
    c = Canvas(470, 305)
    c.vertical_gradient([(0.0, WHITE), (0.7, WHITE), (1.0, SKY)])
    panel = 150
    c.fill(0, 0, panel, c.height,
           lambda x, y: (mix(BLUE, DEEP, (x + y) / (panel + c.height)), 1.0))
    c.fill(panel, 0, panel + 3, c.height, lambda x, y: (AMBER, 1.0))
    platter(c, 72, 118, 52, 1.0, arm=MIST)
    c.ring(72, 118, 52, 2.0, WHITE, 0.6)
    c.save("about_skin.bmp")


def progress_skin():
    # Progress (222 x 62 units): the label and the bar across the middle.
    c = Canvas(340, 110)
    c.vertical_gradient([(0.0, SKY), (0.5, WHITE), (1.0, MIST)])
    c.fill(0, 0, c.width, 3, lambda x, y: (BLUE, 0.8))
    c.wave(88, 4, 170, AMBER, 0.25, 0.45)
    c.save("progress_skin.bmp")


if __name__ == "__main__":
    os.makedirs(OUT, exist_ok=True)
    settings_skin()
    drive_info_skin()
    about_skin()
    progress_skin()
