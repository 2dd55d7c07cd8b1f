#!/usr/bin/env python3
"""Writes the results browser's art: the found-file list's tiled background
and check-box states, the Select All icons,
the hand cursor, and the skins of the Find, File Filters, Properties and
Saving dialogs. Run from this folder; the outputs are committed.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "resources", "art"))
sys.path.insert(0, os.path.join(HERE, "..", "..", "toolkit", "foundation", "res"))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tools", "art"))
import make_skins  # noqa: E402
from make_skins import AMBER, BLUE, DEEP, MIST, SKY, WHITE, Canvas, mix, platter  # noqa: E402
from make_cursors import cursor_bytes  # noqa: E402
from bmp import ico as icon_bytes  # noqa: E402

make_skins.OUT = HERE
CLEAR = (0, 0, 0, 0)
INK = (40, 40, 40)
GREEN = (40, 150, 60)


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as out:
        out.write(data)


def check_icon(hover):
    """The Select All box, 16 x 16: empty while unchecked; ticked, with a
    warmer frame, once checked (the button shows its active picture then)."""
    fill = (255, 244, 200) if hover else WHITE
    edge = AMBER if hover else BLUE

    def at(x, y):
        if not (2 <= x <= 13 and 2 <= y <= 13):
            return CLEAR
        if x in (2, 13) or y in (2, 13):
            return edge + (255,)
        tick = (y == 10 - abs(x - 6) // 1 and 4 <= x <= 6) or (y == 12 - (x - 4) and 6 <= x <= 11)
        return (GREEN if tick and hover else fill) + (255,)
    return at


def list_states():
    # Three 16 x 16 state images: none, unchecked, checked.
    c = Canvas(48, 16)
    c.fill(0, 0, 48, 16, lambda x, y: (WHITE, 1.0))
    for image, checked in ((1, False), (2, True)):
        x0 = image * 16 + 2
        c.fill(x0, 2, x0 + 12, 14, lambda x, y: (INK, 1.0))
        c.fill(x0 + 1, 3, x0 + 11, 13, lambda x, y: (WHITE, 1.0))
        if checked:
            for i in range(3):
                c.fill(x0 + 3 + i, 7 + i, x0 + 4 + i, 9 + i, lambda x, y: (GREEN, 1.0))
            for i in range(5):
                c.fill(x0 + 6 + i, 8 - i, x0 + 7 + i, 10 - i, lambda x, y: (GREEN, 1.0))
    c.save("list_states.bmp")


def list_background():
    # A pale tile: the list's rows stay readable over it.
    c = Canvas(64, 64)
    c.vertical_gradient([(0.0, WHITE), (1.0, MIST)])
    c.ring(48, 48, 22, 1.0, SKY, 0.6)
    c.save("list_background.bmp")


def dialog_skin(name, width, height, disk):
    c = Canvas(width, height)
    c.vertical_gradient([(0.0, SKY), (0.4, WHITE), (1.0, MIST)])
    c.fill(0, 0, c.width, 3, lambda x, y: (BLUE, 0.8))
    c.wave(height - 40, 6, 260, AMBER, 0.25, 0.45)
    if disk:
        platter(c, width - 50, 50, 30, 0.3)
    c.save(name)


HAND = [
    "     ##         ",
    "    #..#        ",
    "    #..#        ",
    "    #..#        ",
    "    #..###      ",
    "    #..#..##    ",
    "    #..#..#.##  ",
    " ## #..#..#.#.# ",
    "#..##.........# ",
    "#...#.........# ",
    " #............# ",
    "  #...........# ",
    "  #..........#  ",
    "   #.........#  ",
    "    #.......#   ",
    "    #########   ",
]


def hand_cursor():
    rows = [row for row in HAND]
    rows[0] = "     #H         "
    write("hand.cur", cursor_bytes(rows))


if __name__ == "__main__":
    write("select_all.ico", icon_bytes(16, check_icon(False)))
    write("select_all_hover.ico", icon_bytes(16, check_icon(True)))
    list_states()
    list_background()
    # Find (about 400 x 300 units), File Filters, Properties and Saving.
    dialog_skin("find_skin.bmp", 640, 520, True)
    dialog_skin("filters_skin.bmp", 420, 330, False)
    dialog_skin("properties_skin.bmp", 420, 400, True)
    dialog_skin("saving_skin.bmp", 460, 190, False)
    hand_cursor()
