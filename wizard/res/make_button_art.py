#!/usr/bin/env python3
"""Draws the wizard pages' button pictures with ImageMagick's convert and
writes the buttons' hover sound. Pictures are 24-bit BMP files whose key
colour (the buttons' face, or blue for start-over) is drawn transparent.
Run from anywhere; the outputs are committed.
"""
import math
import os
import struct
import subprocess
import wave

HERE = os.path.dirname(os.path.abspath(__file__))
KEY = "#ffeb8b"        # RGB(255, 235, 139)
START_KEY = "#0000ff"  # RGB(0, 0, 255)


def convert(*args):
    subprocess.run(["convert", *args], check=True)


def bmp(name):
    return "BMP3:" + os.path.join(HERE, name)


def arrow(name, colour, pointing_right):
    # A round badge with a white arrow, 24 x 24.
    if pointing_right:
        points = "17,12 11,6 11,9 6,9 6,15 11,15 11,18"
    else:
        points = "6,12 12,6 12,9 17,9 17,15 12,15 12,18"
    convert("-size", "24x24", f"xc:{KEY}", "-fill", colour, "-stroke", "#404040", "-strokewidth", "1",
            "-draw", "circle 12,12 12,2", "-stroke", "none", "-fill", "white", "-draw", f"polygon {points}",
            "+antialias", "-type", "TrueColor", bmp(name))


def stop(name, colour):
    convert("-size", "24x24", f"xc:{KEY}", "-fill", colour, "-stroke", "#404040", "-strokewidth", "1",
            "-draw", "circle 12,12 12,2", "-stroke", "none", "-fill", "white", "-draw", "rectangle 8,8 16,16",
            "+antialias", "-type", "TrueColor", bmp(name))


def start_over(name):
    # A house on a green badge: back to the first page.
    convert("-size", "32x32", f"xc:{START_KEY}", "-fill", "#2f8f3f", "-stroke", "#1c4f24", "-strokewidth", "1",
            "-draw", "circle 16,16 16,2", "-stroke", "none", "-fill", "white",
            "-draw", "polygon 16,7 25,15 22,15 22,24 10,24 10,15 7,15",
            "-fill", "#2f8f3f", "-draw", "rectangle 14,18 18,24",
            "+antialias", "-type", "TrueColor", bmp(name))


def hover_sound(name):
    # A short soft click: 40 ms of a falling tone, 22050 Hz mono 16 bit.
    rate = 22050
    frames = b""
    count = int(rate * 0.04)
    for i in range(count):
        t = i / rate
        envelope = 1.0 - i / count
        frames += struct.pack("<h", int(6000 * envelope * math.sin(2 * math.pi * (1400 - 6000 * t) * t)))
    with wave.open(os.path.join(HERE, name), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(rate)
        out.writeframes(frames)


def main():
    arrow("next_active.bmp", "#1e8c32", True)
    arrow("next_resting.bmp", "#6a9a72", True)
    arrow("back_active.bmp", "#1e8c32", False)
    arrow("back_resting.bmp", "#6a9a72", False)
    stop("stop_active.bmp", "#d01818")
    stop("stop_resting.bmp", "#a06060")
    start_over("start_over.bmp")
    hover_sound("hover.wav")


if __name__ == "__main__":
    main()
