#!/usr/bin/env python3
"""Writes the bitmap strips of the menu icon tests (menu_test.rc).

menu_test_strip24.bmp: three 24 x 24 images, 24 bits per pixel: a magenta
field, a two-pixel teal frame, and an 8 x 8 centre square in red, green and
blue. menu_test_strip16.bmp: two 16 x 15 images with 16 colours: a silver
field, a black frame, and a centre in yellow and in aqua.
"""
import struct
from pathlib import Path

MAGENTA, TEAL = (255, 0, 255), (0, 128, 128)
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
       (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def bmp(width, height, bits, rows, palette=()):
    """rows: top row first, each a bytes object of packed pixels."""
    stride = (width * bits + 31) // 32 * 4
    pixels = b"".join(row.ljust(stride, b"\0") for row in reversed(rows))
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    offset = 14 + 40 + len(colours)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(pixels), 2835, 2835,
                       len(palette), 0)
    return struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset) + info + colours + pixels


def strip24():
    centres = [(255, 0, 0), (0, 255, 0), (0, 0, 255)]
    rows = []
    for y in range(24):
        row = b""
        for centre in centres:
            for x in range(24):
                if x < 2 or y < 2 or x >= 22 or y >= 22:
                    r, g, b = TEAL
                elif 8 <= x < 16 and 8 <= y < 16:
                    r, g, b = centre
                else:
                    r, g, b = MAGENTA
                row += bytes((b, g, r))
        rows.append(row)
    return bmp(72, 24, 24, rows)


def strip16():
    black, silver, yellow, aqua = 0, 7, 11, 14
    rows = []
    for y in range(15):
        indices = []
        for centre in (yellow, aqua):
            for x in range(16):
                if x == 0 or y == 0 or x == 15 or y == 14:
                    indices.append(black)
                elif 5 <= x < 11 and 5 <= y < 10:
                    indices.append(centre)
                else:
                    indices.append(silver)
        rows.append(bytes(indices[i] << 4 | indices[i + 1] for i in range(0, len(indices), 2)))
    return bmp(32, 15, 4, rows, VGA)


here = Path(__file__).resolve().parent
(here / "menu_test_strip24.bmp").write_bytes(strip24())
(here / "menu_test_strip16.bmp").write_bytes(strip16())
