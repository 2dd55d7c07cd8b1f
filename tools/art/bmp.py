"""BMP and ICO files put together from pixels, for the art scripts.

Colours are (r, g, b) tuples, or (r, g, b, a) for 32-bit pictures; rows are
given top row first and written bottom-up, as the formats store them.
"""
import struct


def file_order(colour):
    """A colour's bytes as BMP and ICO files store them: B, G, R (and A)."""
    return bytes((colour[2], colour[1], colour[0]) + tuple(colour[3:]))


def bmp_from_rows(width, rows, bits=24, pixels_per_metre=0):
    """A BMP file from rows of pixel bytes in file order, without padding."""
    stride = (width * bits // 8 + 3) & ~3
    data = b"".join(row + b"\0" * (stride - len(row)) for row in reversed(rows))
    info = struct.pack("<IiiHHIIiiII", 40, width, len(rows), 1, bits, 0, len(data),
                       pixels_per_metre, pixels_per_metre, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    return header + info + data


def bmp(width, height, pixel, bits=24, pixels_per_metre=0):
    """A BMP file of pixel(x, y) colours: 24-bit, or 32-bit with alpha."""
    rows = [b"".join(file_order(pixel(x, y)) for x in range(width)) for y in range(height)]
    return bmp_from_rows(width, rows, bits, pixels_per_metre)


def ico(size, pixel):
    """A 32-bit icon of one size; pixel(x, y) gives (r, g, b, a). The AND
    mask is set where alpha is 0, so that it also draws right without its
    alpha."""
    rows = b""
    mask = b""
    stride = ((size + 31) // 32) * 4
    for y in reversed(range(size)):
        bits = 0
        for x in range(size):
            colour = pixel(x, y)
            rows += file_order(colour)
            bits = (bits << 1) | (1 if colour[3] == 0 else 0)
        mask += (bits << (stride * 8 - size)).to_bytes(stride, "big")
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(rows) + len(mask), 0, 0, 0, 0)
    image = info + rows + mask
    # A size of 256 is written as 0.
    entry = struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), 6 + 16)
    return struct.pack("<HHH", 0, 1, 1) + entry + image
