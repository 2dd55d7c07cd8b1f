#!/usr/bin/env python3
"""Writes the toolkit's cursor files from the pictures below.

'#' is black, '.' white, ' ' transparent; 'H' marks the hot spot (black).
Run from this folder; the .cur files are committed.
"""
import struct

CURSORS = {
    # 9008: the splitter cursor for dragging a vertical divider.
    "split_columns.cur": [
        "      ...  ...      ",
        "      .#.  .#.      ",
        "      .#.  .#.      ",
        "   .. .#.  .#. ..   ",
        "  .#. .#.  .#. .#.  ",
        " .##...#.  .#...##. ",
        ".#######.H.#######.",
        " .##...#.  .#...##. ",
        "  .#. .#.  .#. .#.  ",
        "   .. .#.  .#. ..   ",
        "      .#.  .#.      ",
        "      .#.  .#.      ",
        "      ...  ...      ",
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
            xor[y][x] = 1 if ch == "." else 0
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


def transposed(rows):
    width = max(len(r) for r in rows)
    padded = [r.ljust(width) for r in rows]
    return ["".join(r[x] for r in padded) for x in range(width)]


# 9009 and 9971 drag a horizontal divider; 9970 is a vertical one again.
CURSORS["split_rows.cur"] = transposed(CURSORS["split_columns.cur"])
CURSORS["split_bar_columns.cur"] = CURSORS["split_columns.cur"]
CURSORS["split_bar_rows.cur"] = CURSORS["split_rows.cur"]

# 9011: moving something by dragging (a four-way arrow).
CURSORS["drag_move.cur"] = [
    "       .H.       ",
    "      .###.      ",
    "     .#####.     ",
    "    ....#....    ",
    "  .. ...#... ..  ",
    " .#.   .#.   .#. ",
    ".###....#....###.",
    "#################",
    ".###....#....###.",
    " .#.   .#.   .#. ",
    "  .. ...#... ..  ",
    "    ....#....    ",
    "     .#####.     ",
    "      .###.      ",
    "       .#.       ",
]

# 9973: the hand for links, when the system has none.
CURSORS["hand.cur"] = [
    "    .H.         ",
    "   .#.#.        ",
    "   .#.#.        ",
    "   .#.#.        ",
    "   .#.#....     ",
    "   .#.#.#.#...  ",
    "...#..#.#.#.#.. ",
    ".#.#..........#.",
    ".#............#.",
    " .#...........#.",
    "  .#.........#. ",
    "   .#........#. ",
    "    .#......#.  ",
    "    .########.  ",
]

# 9972: resizing a control in customize mode (a bar with arrows both ways).
CURSORS["customize_resize.cur"] = [
    "       ...       ",
    "       .#.       ",
    "   .   .#.   .   ",
    "  .#.  .#.  .#.  ",
    " .##....#....##. ",
    ".#######H#######.",
    " .##....#....##. ",
    "  .#.  .#.  .#.  ",
    "   .   .#.   .   ",
    "       .#.       ",
    "       ...       ",
]

# 9302 and 9301: a control dragged in customize mode, moved or copied (the
# arrow with a button below it, and a plus beside it for a copy).
ARROW = [
    "H               ",
    "##              ",
    "#.#             ",
    "#..#            ",
    "#...#           ",
    "#....#          ",
    "#.....#         ",
    "#......#        ",
    "#.......#       ",
    "#....#####      ",
    "#..#..#         ",
    "#.# #..#        ",
    "##  #..#        ",
    "     #..#       ",
    "     #..#       ",
    "      ##        ",
]
BUTTON = [
    "                ",
    "  ############  ",
    "  #..........#  ",
    "  #..........#  ",
    "  #..........#  ",
    "  ############  ",
]
CURSORS["drag_move_control.cur"] = ARROW + BUTTON
CURSORS["drag_copy_control.cur"] = ARROW + [
    row[:14] + extra for row, extra in zip(BUTTON, ["", "  ...", "  .#.", " .###.", "  .#.", "  ..."])
]

# 9303: a control dragged where no bar takes it (a barred circle).
CURSORS["drag_no_drop.cur"] = [
    "      .....      ",
    "    ..#####..    ",
    "   .##.....##.   ",
    "  .#.       ##.  ",
    " .#.       .##.  ",
    " .#.      .#.#.  ",
    ".#.      .#. .#. ",
    ".#.     .#.  .#. ",
    ".#.    .H.   .#. ",
    ".#.   .#.    .#. ",
    ".#.  .#.     .#. ",
    " .#..#.     .#.  ",
    " .#.#.     .#.   ",
    "  .##.    .#.    ",
    "   .##...##.     ",
    "    ..####..     ",
    "      ....       ",
]

# 9375 to 9378: the button editor's tools (cross hair, pick colour, fill,
# pencil).
CURSORS["editor_cross.cur"] = [
    "       ...       ",
    "       .#.       ",
    "       .#.       ",
    "       .#.       ",
    "       .#.       ",
    "       .#.       ",
    "........ ........",
    ".######.H.######.",
    "........ ........",
    "       .#.       ",
    "       .#.       ",
    "       .#.       ",
    "       .#.       ",
    "       .#.       ",
    "       ...       ",
]
CURSORS["editor_pick.cur"] = [
    "            ... ",
    "           .###.",
    "          .####.",
    "         .####. ",
    "        .####.  ",
    "       .#.##.   ",
    "      .#..#.    ",
    "     .#..#.     ",
    "    .#..#.      ",
    "   .#..#.       ",
    "  .#..#.        ",
    " .#..#.         ",
    ".#.##.          ",
    "H##.            ",
    "..              ",
]
CURSORS["editor_fill.cur"] = [
    "     ##          ",
    "    #..#         ",
    "    #..##        ",
    "    #.#..#       ",
    "    ##....#      ",
    "   #.......#     ",
    "  #.........#    ",
    " #..........##   ",
    "#..........#.#   ",
    " #........#..#   ",
    "  #......#...#   ",
    "   #....#....#   ",
    "    #..#.....#   ",
    "     ##......#   ",
    "            #H   ",
]
CURSORS["editor_pencil.cur"] = [
    "           ##   ",
    "          #..#  ",
    "         #...#  ",
    "        #.#.#   ",
    "       #.#.#    ",
    "      #.#.#     ",
    "     #.#.#      ",
    "    #.#.#       ",
    "   #.#.#        ",
    "  ##.#.#        ",
    "  #.#.#         ",
    " #..##          ",
    " ###            ",
    "H#              ",
]

if __name__ == "__main__":
    for name, picture in CURSORS.items():
        with open(name, "wb") as f:
            f.write(cursor_bytes(picture))
