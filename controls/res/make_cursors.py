#!/usr/bin/env python3
"""Writes the hand cursors of the picture buttons from the pictures below.

'#' is black, '.' white, ' ' transparent; 'H' marks the hot spot (white).
Run from this folder; the .cur files are committed.
"""
import struct

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


def cursor_bytes(rows):
    size = 32
    xor = [[0] * size for _ in range(size)]
    mask = [[1] * size for _ in range(size)]
    hot = (0, 0)
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            if ch == " ":
                continue
            mask[y][x] = 0
            xor[y][x] = 1 if ch in ".H" else 0
            if ch == "H":
                hot = (x, y)

    def plane(bits):
        out = b""
        for y in reversed(range(size)):  # bottom-up rows
            value = 0
            for x in range(size):
                value = (value << 1) | bits[y][x]
            out += struct.pack(">I", value)
        return out

    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack("<II", 0x000000, 0xFFFFFF)
    image = header + palette + plane(xor) + plane(mask)
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, hot[0], hot[1], len(image), 6 + 16)
    return directory + entry + image


for name, picture in CURSORS.items():
    with open(name, "wb") as f:
        f.write(cursor_bytes(picture))
