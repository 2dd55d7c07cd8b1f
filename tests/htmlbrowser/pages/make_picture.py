#!/usr/bin/env python3
"""Writes the sample page's picture: an 80 x 60 PNG shading from orange to purple."""
import struct
import sys
import zlib


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def main():
    width, height = 80, 60
    rows = bytearray()
    for y in range(height):
        rows.append(0)
        t = y / (height - 1)
        colour = bytes([int(255 + (128 - 255) * t), int(165 * (1 - t)), int(128 * t)])
        rows.extend(colour * width)
    data = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(rows))) + chunk(b"IEND", b""))
    with open(sys.argv[1], "wb") as out:
        out.write(data)


if __name__ == "__main__":
    main()
