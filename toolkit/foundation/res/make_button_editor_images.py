#!/usr/bin/env python3
"""Writes the button editor's tool and move pictures: sixteen 16 x 16
images side by side (pencil, fill, undo, redo, pick colour, line, copy,
paste, rectangle, ellipse, clear, import; then the arrows left, down, up
and right). button_editor.bmp is 24-bit on silver, the transparent colour
of its image list; button_editor_alpha.bmp is 32-bit with the background
fully transparent, for the alpha image lists.

Each picture is a grid of characters keyed by COLOURS; ' ' is background.
Run from this folder; the .bmp files are committed.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "tools", "art"))
from bmp import bmp  # noqa: E402

from bitmap_strip import strip_bitmap

WIDTH, HEIGHT = 16, 16
SILVER = (192, 192, 192)
COLOURS = {
    " ": SILVER, "#": (0, 0, 0), "w": (255, 255, 255), "g": (128, 128, 128), "y": (255, 224, 64),
    "r": (208, 32, 32), "b": (32, 80, 208), "o": (160, 96, 32), "p": (255, 160, 176), "n": (0, 128, 0),
    "l": (176, 208, 255), "d": (64, 64, 64),
}

IMAGES = [
    [  # pencil
        "                ",
        "           ##   ",
        "          #pp#  ",
        "         #y#pp# ",
        "        #yyy##  ",
        "       #yyyy#   ",
        "      #yyyy#    ",
        "     #yyyy#     ",
        "    #yyyy#      ",
        "   #oyyy#       ",
        "   #ooy#        ",
        "  #ooo#         ",
        "  ##o#          ",
        "  ###           ",
        "                ",
        "                ",
    ],
    [  # fill: a tipped bucket pouring paint
        "                ",
        "      ##        ",
        "     #  #       ",
        "     #  ###     ",
        "    ##w#www#    ",
        "   #ww#wwwww#   ",
        "  #www#wwwwww#  ",
        "  #wwwwwwwwwbbb ",
        "   #wwwwwwww#bb ",
        "    #wwwwww# bb ",
        "     #wwww#  bb ",
        "      #ww#   b  ",
        "       ##       ",
        "                ",
        "                ",
        "                ",
    ],
    [  # undo: an arrow curving back to the left
        "                ",
        "                ",
        "   #            ",
        "  ##            ",
        " #b#######      ",
        "#bbbbbbbbb##    ",
        " #b#######bb#   ",
        "  ##       #b#  ",
        "   #        #b# ",
        "            #b# ",
        "            #b# ",
        "           #b#  ",
        "         ##b#   ",
        "        #bb#    ",
        "         ##     ",
        "                ",
    ],
    [  # redo: the mirror image
        "                ",
        "                ",
        "            #   ",
        "            ##  ",
        "      #######b# ",
        "    ##bbbbbbbbb#",
        "   #bb#######b# ",
        "  #b#       ##  ",
        " #b#        #   ",
        " #b#            ",
        " #b#            ",
        "  #b#           ",
        "   #b##         ",
        "    #bb#        ",
        "     ##         ",
        "                ",
    ],
    [  # pick colour: a dropper
        "                ",
        "           ###  ",
        "          #ddd# ",
        "         ##ddd# ",
        "        #####d# ",
        "        #w###   ",
        "       #w#w#    ",
        "      #w# #     ",
        "     #w#        ",
        "    #w#         ",
        "   #w#          ",
        "  #b#           ",
        "  #b#           ",
        " #bb            ",
        " ##             ",
        "                ",
    ],
    [  # line
        "                ",
        "                ",
        "  ##            ",
        "  ###           ",
        "   ###          ",
        "    ###         ",
        "     ###        ",
        "      ###       ",
        "       ###      ",
        "        ###     ",
        "         ###    ",
        "          ###   ",
        "           ###  ",
        "            ##  ",
        "                ",
        "                ",
    ],
    [  # copy: two pages
        "                ",
        " ######         ",
        " #wwww##        ",
        " #w##w#w#       ",
        " #wwww####      ",
        " #w###wwww#     ",
        " #wwww#####     ",
        " #w###w#wwww##  ",
        " #wwww#w####w#  ",
        " ######wwwwww#  ",
        "      #w#####w# ",
        "      #wwwwwww# ",
        "      #w####### ",
        "      #wwwwwww# ",
        "      #########",
        "                ",
    ],
    [  # paste: a page on a clipboard
        "                ",
        "     ####       ",
        " ####dwwd####   ",
        " #oo#dddd#oo#   ",
        " #oo######oo#   ",
        " #oooooooooo#   ",
        " #ooooo#########",
        " #ooooo#wwwwwww#",
        " #ooooo#w#####w#",
        " #ooooo#wwwwwww#",
        " #ooooo#w#####w#",
        " #ooooo#wwwwwww#",
        " #ooooo#w####ww#",
        " #######wwwwwww#",
        "       #########",
        "                ",
    ],
    [  # rectangle
        "                ",
        "                ",
        "                ",
        " ############## ",
        " #            # ",
        " #            # ",
        " #            # ",
        " #            # ",
        " #            # ",
        " #            # ",
        " #            # ",
        " #            # ",
        " ############## ",
        "                ",
        "                ",
        "                ",
    ],
    [  # ellipse
        "                ",
        "                ",
        "                ",
        "     ######     ",
        "   ##      ##   ",
        "  #          #  ",
        " #            # ",
        " #            # ",
        " #            # ",
        " #            # ",
        "  #          #  ",
        "   ##      ##   ",
        "     ######     ",
        "                ",
        "                ",
        "                ",
    ],
    [  # clear: an eraser
        "                ",
        "                ",
        "                ",
        "        ######  ",
        "       #pppp##  ",
        "      #pppp#p#  ",
        "     #pppp#pp#  ",
        "    #wwww#pp#   ",
        "   #wwww#pp#    ",
        "  #wwww#pp#     ",
        "  #www#pp#      ",
        "  #ww#p##       ",
        "  ######        ",
        "                ",
        " ############## ",
        "                ",
    ],
    [  # import: an open folder
        "                ",
        "                ",
        "         ###    ",
        "        #   # # ",
        "             ## ",
        " ###        ### ",
        "#yyy#######     ",
        "#ywywywywy#     ",
        "#wywyw###########",
        "#ywyw#yyyyyyyyy#",
        "#wyw#yyyyyyyyy# ",
        "#yw#yyyyyyyyy#  ",
        "#w#yyyyyyyyy#   ",
        "##yyyyyyyyy#    ",
        "###########     ",
        "                ",
    ],
]


LEFT = [
    "                ",
    "                ",
    "                ",
    "                ",
    "      #         ",
    "     ##         ",
    "    ###         ",
    "   #########    ",
    "   #########    ",
    "    ###         ",
    "     ##         ",
    "      #         ",
    "                ",
    "                ",
    "                ",
    "                ",
]


def mirror(image):
    return [row[::-1] for row in image]


def transpose(image):
    return ["".join(image[y][x] for y in range(HEIGHT)) for x in range(WIDTH)]


UP = transpose(LEFT)
DOWN = UP[::-1]
IMAGES += [LEFT, DOWN, UP, mirror(LEFT)]


def alpha_strip(images):
    def pixel(x, y):
        ch = images[x // WIDTH][y][x % WIDTH]
        return COLOURS[ch] + ((0,) if ch == " " else (255,))

    return bmp(WIDTH * len(images), HEIGHT, pixel, bits=32, pixels_per_metre=2835)


if __name__ == "__main__":
    images = [[row.ljust(WIDTH)[:WIDTH] for row in image] for image in IMAGES]
    assert len(images) == 16 and all(len(image) == HEIGHT for image in images)
    with open("button_editor.bmp", "wb") as out:
        out.write(strip_bitmap(images, WIDTH, HEIGHT, COLOURS))
    with open("button_editor_alpha.bmp", "wb") as out:
        out.write(alpha_strip(images))
