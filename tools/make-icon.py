#!/usr/bin/env python3
"""Draws the program icon, a padlock, at 16, 32 and 48 pixels into an .ico file."""
import struct
import sys


def padlock(size):
    """Returns rows of (r, g, b, a) pixels, top row first."""
    s = size / 48.0
    body = (round(9 * s), round(22 * s), round(39 * s), round(44 * s))  # left, top, right, bottom
    cx, arc_top, outer, inner = 24 * s, 6 * s, 12 * s, 7.5 * s
    pixels = []
    for y in range(size):
        row = []
        for x in range(size):
            px, py = x + 0.5, y + 0.5
            colour = (0, 0, 0, 0)
            # Shackle: a ring above the body, its lower half hidden by the body.
            dx, dy = px - cx, py - (arc_top + outer)
            dist = (dx * dx + dy * dy) ** 0.5
            if py < body[1] and inner <= dist <= outer or (
                    arc_top + outer <= py < body[1] and inner <= abs(dx) <= outer):
                colour = (150, 156, 168, 255)
            if body[0] <= px < body[2] and body[1] <= py < body[3]:
                edge = min(px - body[0], body[2] - px, py - body[1], body[3] - py)
                colour = (176, 124, 22, 255) if edge < max(1, s * 1.5) else (232, 178, 40, 255)
                # Keyhole.
                kx, ky = px - cx, py - (body[1] + 9 * s)
                if kx * kx + ky * ky <= (3 * s) ** 2 or (abs(kx) <= 1.2 * s and 0 <= ky <= 8 * s):
                    colour = (40, 30, 10, 255)
            row.append(colour)
        pixels.append(row)
    return pixels


def bmp_entry(size):
    rows = padlock(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b''.join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_stride = ((size + 31) // 32) * 4
    and_mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        and_mask += bits
    return header + xor + bytes(and_mask)


def main(path):
    sizes = (16, 32, 48)
    images = [bmp_entry(n) for n in sizes]
    out = struct.pack('<HHH', 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for n, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', n, n, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, 'wb') as f:
        f.write(out + b''.join(images))


if __name__ == '__main__':
    main(sys.argv[1])
