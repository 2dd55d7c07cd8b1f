#!/usr/bin/env python3
"""Draws the main window's art with ImageMagick's convert: the program and
snapshot icons (../icons/), the start page's background, banner, mode
pictures, tool pictures and the tips' animated strip (../bitmaps/, 24-bit
BMP files). Run from anywhere; the outputs are committed.
"""
import os
import subprocess
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
BITMAPS = os.path.join(HERE, "..", "bitmaps")
ICONS = os.path.join(HERE, "..", "icons")
FONT = "DejaVu-Sans-Bold"

SKY = "#d4e4f8"
MIST = "#f2f6fb"
BLUE = "#2860aa"
DEEP = "#163a70"
AMBER = "#faca00"
WHITE = "#ffffff"


def convert(*args):
    subprocess.run(["convert", *args], check=True)


def bmp(name):
    return "BMP3:" + os.path.join(BITMAPS, name)


def background():
    # Stretched over the whole page: a soft sky at the top fading to white.
    convert("-size", "200x150", f"gradient:{SKY}-{WHITE}", "-type", "TrueColor", bmp("page_background.bmp"))


def banner():
    # Copied at the page's top left; the tool buttons sit on its left half.
    convert("-size", "844x76", f"gradient:{DEEP}-{BLUE}", "-rotate", "-90", "-resize", "844x76!",
            "-fill", AMBER, "-draw", "rectangle 0,72 844,75",
            "-font", FONT, "-pointsize", "26", "-fill", WHITE, "-gravity", "NorthEast",
            "-annotate", "+18+10", "Mulvara",
            "-font", "DejaVu-Sans", "-pointsize", "12", "-fill", SKY,
            "-annotate", "+20+44", "iPod and disk file recovery",
            "-type", "TrueColor", bmp("page_banner.bmp"))


def platter(cx, cy, r, ring, hub):
    return ["-fill", "none", "-stroke", ring, "-strokewidth", "2",
            "-draw", f"circle {cx},{cy} {cx + r},{cy}",
            "-strokewidth", "1", "-draw", f"circle {cx},{cy} {cx + r * 0.62:.1f},{cy}",
            "-stroke", "none", "-fill", hub, "-draw", f"circle {cx},{cy} {cx + r * 0.18:.1f},{cy}"]


MODES = [
    # name, caption, normal id file, hover id file, accent
    ("standard", "Standard Scan", "Recently deleted files", BLUE),
    ("advance", "Advance Scan", "Formatted or lost volumes", DEEP),
    ("raw", "Raw Scan", "Files by their signatures", "#1f7a4a"),
]


def mode_pictures():
    for name, caption, line, accent in MODES:
        for state, face, edge in (("normal", MIST, accent), ("hover", "#fff4c2", AMBER)):
            convert("-size", "223x87", f"xc:{WHITE}",
                    "-fill", face, "-stroke", edge, "-strokewidth", "2",
                    "-draw", "roundrectangle 2,2 220,84 12,12",
                    *platter(42, 43, 26, accent, AMBER),
                    "-stroke", "none", "-font", FONT, "-pointsize", "15", "-fill", accent,
                    "-annotate", "+80+40", caption,
                    "-font", "DejaVu-Sans", "-pointsize", "10", "-fill", "#404040",
                    "-annotate", "+80+60", line,
                    "-type", "TrueColor", bmp(f"mode_{name}_{state}.bmp"))


TOOLS = {
    "recover": ["-stroke", WHITE, "-strokewidth", "3", "-draw", "line 17,7 17,21",
                "-stroke", "none", "-fill", WHITE, "-draw", "polygon 10,17 24,17 17,25",
                "-draw", "rectangle 8,26 26,28"],
    "save": ["-fill", WHITE, "-draw", "rectangle 8,8 26,26", "-fill", "COLOR",
             "-draw", "rectangle 12,8 22,14", "-draw", "rectangle 11,19 23,26",
             "-fill", WHITE, "-draw", "rectangle 19,9 21,13"],
    "load": ["-fill", WHITE, "-draw", "polygon 7,11 14,11 16,13 27,13 27,26 7,26",
             "-fill", "COLOR", "-draw", "polygon 10,17 29,17 26,26 7,26"],
    "find": ["-fill", "none", "-stroke", WHITE, "-strokewidth", "3", "-draw", "circle 15,15 21,15",
             "-strokewidth", "4", "-draw", "line 20,20 27,27"],
    "setting": ["-fill", "none", "-stroke", WHITE, "-strokewidth", "4",
                "-draw", "circle 17,17 24,17", "-strokewidth", "3",
                "-draw", "line 17,5 17,9", "-draw", "line 17,25 17,29",
                "-draw", "line 5,17 9,17", "-draw", "line 25,17 29,17"],
    "help": ["-fill", WHITE, "-font", FONT, "-pointsize", "22", "-gravity", "center",
             "-annotate", "+0+0", "?"],
}


def tool_pictures():
    for name, glyph in TOOLS.items():
        for state, colour in (("normal", BLUE), ("hover", "#d08a00")):
            drawn = [colour if part == "COLOR" else part for part in glyph]
            convert("-size", "34x34", f"xc:{DEEP}",
                    "-fill", colour, "-stroke", SKY, "-strokewidth", "1",
                    "-draw", "roundrectangle 1,1 32,32 6,6", "-stroke", "none",
                    *drawn, "-type", "TrueColor", bmp(f"tool_{name}_{state}.bmp"))


def mode_strip():
    # Eight 32 x 32 frames of a turning platter on the magenta key.
    with tempfile.TemporaryDirectory() as work:
        frames = []
        for i in range(8):
            frame = os.path.join(work, f"f{i}.png")
            import math
            angle = i * math.pi / 4
            ax, ay = 16 + 11 * math.cos(angle), 16 + 11 * math.sin(angle)
            convert("-size", "32x32", "xc:#ff00ff", "-fill", SKY, "-stroke", DEEP, "-strokewidth", "2",
                    "-draw", "circle 16,16 29,16", "-stroke", BLUE, "-strokewidth", "1", "-fill", "none",
                    "-draw", "circle 16,16 24,16", "-stroke", "none", "-fill", AMBER,
                    "-draw", "circle 16,16 19,16", "-fill", DEEP,
                    "-draw", f"circle {ax:.1f},{ay:.1f} {ax + 2.5:.1f},{ay:.1f}", "+antialias", frame)
            frames.append(frame)
        convert(*frames, "+append", "-type", "TrueColor", bmp("mode_strip.bmp"))


def icon(name, document):
    with tempfile.TemporaryDirectory() as work:
        sizes = []
        for size in (32, 16):
            png = os.path.join(work, f"{size}.png")
            s = size / 32
            steps = ["-size", f"{size}x{size}", "xc:none"]
            if document:
                steps += ["-fill", WHITE, "-stroke", "#606060", "-strokewidth", "1",
                          "-draw", f"polygon {5*s},{1*s} {21*s},{1*s} {27*s},{7*s} {27*s},{31*s} {5*s},{31*s}"]
                cx, cy, r = 16 * s, 19 * s, 8 * s
            else:
                cx, cy, r = 16 * s, 16 * s, 14 * s
            steps += ["-fill", BLUE, "-stroke", DEEP, "-strokewidth", "1",
                      "-draw", f"circle {cx},{cy} {cx + r},{cy}",
                      "-fill", "none", "-stroke", SKY, "-draw", f"circle {cx},{cy} {cx + r * 0.6},{cy}",
                      "-stroke", "none", "-fill", AMBER, "-draw", f"circle {cx},{cy} {cx + r * 0.22},{cy}",
                      png]
            convert(*steps)
            sizes.append(png)
        convert(*sizes, os.path.join(ICONS, name))


if __name__ == "__main__":
    os.makedirs(BITMAPS, exist_ok=True)
    os.makedirs(ICONS, exist_ok=True)
    background()
    banner()
    mode_pictures()
    tool_pictures()
    mode_strip()
    icon("mulvara.ico", False)
    icon("snapshot.ico", True)
