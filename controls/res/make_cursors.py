#!/usr/bin/env python3
"""Writes the hand cursors of the picture buttons from the pictures below.

'#' is black, '.' white, ' ' transparent; 'H' marks the hot spot.
Run from this folder; the .cur files are committed. The file format is
written by the toolkit's cursor script.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "toolkit", "foundation", "res"))
from make_cursors import cursor_bytes  # noqa: E402

CURSORS = {
    # 264: a hand pointing up with its first finger, over a picture button.
    "pointing_hand.cur": [
        "     H##          ",
        "    #..#          ",
        "    #..#          ",
        "    #..#          ",
        "    #..#          ",
        "    #..###        ",
        "    #..#..###     ",
        "    #..#..#..##   ",
        " ## #..#..#..#.#  ",
        "#..##........#..# ",
        "#...#...........# ",
        " #..............# ",
        "  #.............# ",
        "  #............#  ",
        "   #...........#  ",
        "   #..........#   ",
        "    #.........#   ",
        "    #.........#   ",
        "    ###########   ",
    ],
    # 265: the same hand with the finger bent, pressing the button down.
    "pressing_hand.cur": [
        "                  ",
        "                  ",
        "                  ",
        "                  ",
        "    ###           ",
        "   #..H###        ",
        "   #..#..###      ",
        "   #..#..#..##    ",
        " ##...#..#..#.#   ",
        "#..#.........#.#  ",
        "#...#..........#  ",
        " #.............#  ",
        "  #............#  ",
        "  #...........#   ",
        "   #..........#   ",
        "   #.........#    ",
        "    #........#    ",
        "    #........#    ",
        "    ##########    ",
    ],
}


for name, picture in CURSORS.items():
    with open(name, "wb") as f:
        f.write(cursor_bytes(picture))
