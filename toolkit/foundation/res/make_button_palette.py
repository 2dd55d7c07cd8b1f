#!/usr/bin/env python3
"""Writes button_palette.bmp: the 42 pictures a user may give a button in
customize mode (16 x 16 each, side by side, 16 colours). The pictures are
simple shapes drawn by the functions below on a silver background.

Run from this folder; the .bmp file is committed.
"""
import math
import struct

SIZE = 16
# The 16 colours of the classic palette.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DRED, DGREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER, GREY, RED, GREEN, YELLOW, BLUE, PINK, CYAN, WHITE = range(16)


def blank():
    return [[SILVER] * SIZE for _ in range(SIZE)]


def disc(img, cx, cy, r, fill, edge=BLACK):
    for y in range(SIZE):
        for x in range(SIZE):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            if d <= r - 1:
                img[y][x] = fill
            elif d <= r:
                img[y][x] = edge


def box(img, x0, y0, x1, y1, fill, edge=BLACK):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            img[y][x] = edge if x in (x0, x1) or y in (y0, y1) else fill


def poly(img, points, fill, edge=BLACK):
    def inside(px, py):
        hit = False
        j = len(points) - 1
        for i in range(len(points)):
            xi, yi = points[i]
            xj, yj = points[j]
            if (yi > py) != (yj > py) and px < (xj - xi) * (py - yi) / (yj - yi) + xi:
                hit = not hit
            j = i
        return hit

    for y in range(SIZE):
        for x in range(SIZE):
            if inside(x + 0.5, y + 0.5):
                near = [inside(x + 0.5 + dx, y + 0.5 + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))]
                img[y][x] = fill if all(near) else edge


def line(img, x0, y0, x1, y1, colour, width=1):
    steps = int(max(abs(x1 - x0), abs(y1 - y0)) * 2) + 1
    for i in range(steps + 1):
        x = x0 + (x1 - x0) * i / steps
        y = y0 + (y1 - y0) * i / steps
        for w in range(width):
            xi, yi = int(round(x)) + (w if abs(y1 - y0) > abs(x1 - x0) else 0), int(round(y)) + (
                w if abs(y1 - y0) <= abs(x1 - x0) else 0)
            if 0 <= xi < SIZE and 0 <= yi < SIZE:
                img[yi][xi] = colour


def star(fill):
    pts = []
    for i in range(10):
        r = 7.5 if i % 2 == 0 else 3.2
        a = -math.pi / 2 + i * math.pi / 5
        pts.append((8 + r * math.cos(a), 8.5 + r * math.sin(a)))
    img = blank()
    poly(img, pts, fill)
    return img


def face(fill, mouth):
    img = blank()
    disc(img, 8, 8, 7.5, fill)
    img[5][5] = img[5][10] = img[6][5] = img[6][10] = BLACK
    for x in range(5, 11):
        img[mouth(x)][x] = BLACK
    return img


def heart(fill):
    img = blank()
    poly(img, [(8, 14), (1.5, 7), (1.5, 4), (4, 1.5), (6.5, 2), (8, 4), (9.5, 2), (12, 1.5), (14.5, 4), (14.5, 7)],
         fill)
    return img


def diamond(fill):
    img = blank()
    poly(img, [(8, 0.5), (15, 8), (8, 15.5), (1, 8)], fill)
    return img


def arrow(direction, fill):
    pts = [(1, 6), (8, 6), (8, 2), (15, 8), (8, 14), (8, 10), (1, 10)]
    turn = {"right": lambda x, y: (x, y), "left": lambda x, y: (16 - x, y),
            "down": lambda x, y: (y, x), "up": lambda x, y: (y, 16 - x)}[direction]
    img = blank()
    poly(img, [turn(x, y) for x, y in pts], fill)
    return img


def circle(fill):
    img = blank()
    disc(img, 8, 8, 7, fill)
    return img


def square(fill):
    img = blank()
    box(img, 2, 2, 13, 13, fill)
    return img


def triangle(fill):
    img = blank()
    poly(img, [(8, 1), (15, 14.5), (1, 14.5)], fill)
    return img


def check():
    img = blank()
    line(img, 2, 8, 6, 12, GREEN, 2)
    line(img, 6, 12, 13, 3, GREEN, 2)
    return img


def cross():
    img = blank()
    line(img, 3, 3, 12, 12, RED, 2)
    line(img, 12, 3, 3, 12, RED, 2)
    return img


def plus():
    img = blank()
    box(img, 6, 2, 9, 13, BLUE)
    box(img, 2, 6, 13, 9, BLUE)
    for y in range(7, 9):
        for x in range(3, 13):
            img[y][x] = BLUE
    for y in range(3, 13):
        for x in range(7, 9):
            img[y][x] = BLUE
    return img


def page():
    img = blank()
    poly(img, [(2.5, 0.5), (10, 0.5), (13.5, 4), (13.5, 15.5), (2.5, 15.5)], WHITE)
    for y in (5, 7, 9, 11):
        line(img, 5, y, 11, y, GREY)
    return img


def folder():
    img = blank()
    box(img, 1, 4, 14, 13, YELLOW)
    box(img, 1, 2, 6, 4, YELLOW)
    return img


def bell():
    img = blank()
    poly(img, [(8, 1), (11, 3), (12, 10), (14, 12), (2, 12), (4, 10), (5, 3)], YELLOW)
    disc(img, 8, 13.5, 1.6, OLIVE)
    return img


def clock():
    img = blank()
    disc(img, 8, 8, 7.5, WHITE)
    line(img, 8, 8, 8, 3, BLACK)
    line(img, 8, 8, 11, 10, BLACK)
    return img


def key():
    img = blank()
    disc(img, 4.5, 8, 3.5, YELLOW)
    for x in range(7, 15):
        img[8][x] = BLACK
        img[7][x] = OLIVE
    img[9][12] = img[10][12] = img[9][14] = img[10][14] = BLACK
    return img


def envelope():
    img = blank()
    box(img, 1, 3, 14, 12, WHITE)
    line(img, 1, 3, 8, 8, BLACK)
    line(img, 14, 3, 8, 8, BLACK)
    return img


def flag(fill):
    img = blank()
    line(img, 3, 1, 3, 15, BLACK)
    box(img, 4, 2, 13, 8, fill)
    return img


def moon():
    img = blank()
    disc(img, 8, 8, 7, YELLOW)
    disc(img, 11, 6, 5.5, SILVER, SILVER)
    return img


def sun():
    img = blank()
    for i in range(8):
        a = i * math.pi / 4
        line(img, 8 + 4 * math.cos(a), 8 + 4 * math.sin(a), 8 + 7 * math.cos(a), 8 + 7 * math.sin(a), OLIVE)
    disc(img, 8, 8, 4, YELLOW)
    return img


def lightning():
    img = blank()
    poly(img, [(9, 0.5), (3, 9), (7.5, 9), (6, 15.5), (13, 6), (8.5, 6), (11, 0.5)], YELLOW)
    return img


def house():
    img = blank()
    poly(img, [(8, 1), (15, 8), (1, 8)], RED)
    box(img, 3, 8, 12, 14, WHITE)
    box(img, 7, 10, 9, 14, NAVY)
    return img


def bars():
    img = blank()
    for i, (h, c) in enumerate(((5, RED), (9, GREEN), (13, BLUE))):
        box(img, 2 + i * 4, 15 - h, 5 + i * 4, 14, c)
    return img


def note():
    img = blank()
    disc(img, 5, 12, 2.5, BLACK)
    disc(img, 12, 10, 2.5, BLACK)
    line(img, 7, 12, 7, 2, BLACK)
    line(img, 14, 10, 14, 1, BLACK)
    line(img, 7, 2, 14, 1, BLACK, 2)
    return img


def magnifier():
    img = blank()
    disc(img, 6, 6, 5, CYAN)
    line(img, 9, 9, 14, 14, BLACK, 2)
    return img


def pencil():
    img = blank()
    poly(img, [(1, 15), (2, 11), (11, 2), (14, 5), (5, 14)], YELLOW)
    return img


def cup():
    img = blank()
    box(img, 2, 5, 11, 14, WHITE)
    box(img, 11, 7, 14, 11, SILVER)
    return img


def tree():
    img = blank()
    poly(img, [(8, 0.5), (14, 11), (2, 11)], GREEN)
    box(img, 7, 11, 9, 15, DRED)
    return img


def eye():
    img = blank()
    poly(img, [(0.5, 8), (4, 4), (12, 4), (15.5, 8), (12, 12), (4, 12)], WHITE)
    disc(img, 8, 8, 3, BLUE)
    return img


def drop():
    img = blank()
    poly(img, [(8, 0.5), (13, 9), (12, 13), (8, 15.5), (4, 13), (3, 9)], BLUE)
    return img


def info():
    img = blank()
    disc(img, 8, 8, 7.5, BLUE)
    for y in range(6, 13):
        img[y][7] = img[y][8] = WHITE
    img[3][7] = img[3][8] = img[4][7] = img[4][8] = WHITE
    return img


def question():
    img = blank()
    disc(img, 8, 8, 7.5, YELLOW)
    for x, y in ((6, 4), (7, 3), (8, 3), (9, 3), (10, 4), (10, 5), (9, 6), (8, 7), (8, 8), (8, 9), (8, 11), (8, 12)):
        img[y][x] = BLACK
    return img


def stop():
    img = blank()
    pts = [(8 + 7.5 * math.cos(math.pi / 8 + i * math.pi / 4), 8 + 7.5 * math.sin(math.pi / 8 + i * math.pi / 4))
           for i in range(8)]
    poly(img, pts, RED)
    for x in range(4, 12):
        img[7][x] = img[8][x] = WHITE
    return img


def grid():
    img = blank()
    box(img, 1, 1, 14, 14, WHITE)
    for v in (5, 10):
        line(img, v, 1, v, 14, BLACK)
        line(img, 1, v, 14, v, BLACK)
    return img


IMAGES = [
    face(YELLOW, lambda x: 11 if 6 <= x <= 9 else 10), face(YELLOW, lambda x: 10 if 6 <= x <= 9 else 11),
    heart(RED), diamond(BLUE), star(YELLOW), circle(GREEN), square(PURPLE), triangle(TEAL),
    arrow("right", GREEN), arrow("left", GREEN), arrow("up", BLUE), arrow("down", BLUE),
    check(), cross(), plus(), page(), folder(), bell(), clock(), key(), envelope(), flag(RED), flag(BLUE),
    moon(), sun(), lightning(), house(), bars(), note(), magnifier(), pencil(), cup(), tree(), eye(), drop(),
    info(), question(), stop(), grid(), heart(PINK), star(RED), diamond(RED),
]


def write(path):
    assert len(IMAGES) == 42
    width = SIZE * len(IMAGES)
    stride = ((width * 4 + 31) // 32) * 4
    pixels = b""
    for y in reversed(range(SIZE)):
        row = []
        for img in IMAGES:
            row.extend(img[y])
        packed = bytes((row[i] << 4) | row[i + 1] for i in range(0, len(row), 2))
        pixels += packed + b"\0" * (stride - len(packed))
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, width, SIZE, 1, 4, 0, len(pixels), 2835, 2835, 16, 16)
    offset = 14 + len(info) + len(colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    with open(path, "wb") as f:
        f.write(header + info + colours + pixels)


if __name__ == "__main__":
    write("button_palette.bmp")
