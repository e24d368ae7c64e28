#!/usr/bin/env python3
"""Draws the sample picture and its mask as 24-bit bitmaps: a colour gradient with a sun, and a
round mask that is white inside, black outside, with a soft edge."""
import math
import struct
from pathlib import Path

W, H = 64, 48


def bitmap(pixel):
    stride = (3 * W + 3) & ~3
    rows = bytearray()
    for y in range(H - 1, -1, -1):  # stored bottom row first
        row = bytearray()
        for x in range(W):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        rows += row + bytes(stride - len(row))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(rows), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    return header + info + rows


def picture(x, y):
    if math.hypot(x - 44, y - 14) < 8:
        return 255, 220, 40
    return 40 + 3 * x, 60 + 2 * y, 200 - 2 * y


def mask(x, y):
    d = math.hypot(x - W / 2 + 0.5, y - H / 2 + 0.5)
    level = max(0.0, min(1.0, (22 - d) / 3))
    v = round(255 * level)
    return v, v, v


here = Path(__file__).parent
(here / "picture.bmp").write_bytes(bitmap(picture))
(here / "mask.bmp").write_bytes(bitmap(mask))
