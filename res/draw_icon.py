#!/usr/bin/env python3
"""Draws the program icon: a grey and a yellow cog wheel with a red cross at
the lower left, 32 x 32 pixels in the standard 16-colour palette.

Run it to regenerate res/app.ico after changing the drawing:
    python3 res/draw_icon.py res/app.ico
"""
import math
import struct
import sys

# The standard 16-colour VGA palette as (R, G, B).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, OLIVE, SILVER, GREY, RED, YELLOW = 0, 3, 7, 8, 9, 11
SIZE = 32
TRANSPARENT = None


def cog(pixels, cx, cy, outer, inner, hole, teeth, body, edge):
    """A cog: a disc of radius inner with teeth reaching out to outer, and a
    hole in the middle; edge pixels outline it so it reads on any background."""
    for y in range(SIZE):
        for x in range(SIZE):
            dx, dy = x + 0.5 - cx, y + 0.5 - cy
            r = math.hypot(dx, dy)
            angle = math.atan2(dy, dx)
            tooth = math.cos(teeth * angle) > 0.25
            if r < hole:
                continue
            if r < inner or (r < outer and tooth):
                near_edge = r > inner - 1.0 and not (r < outer - 1.0 and tooth)
                pixels[y][x] = edge if (near_edge or r < hole + 1.0) else body


def cross(pixels, x0, y0, length, width, colour):
    """A red X whose bounding square starts at (x0, y0)."""
    for y in range(y0, min(SIZE, y0 + length)):
        for x in range(x0, min(SIZE, x0 + length)):
            u, v = x - x0, y - y0
            if abs(u - v) < width or abs(u + v - (length - 1)) < width:
                pixels[y][x] = colour


def draw():
    pixels = [[TRANSPARENT] * SIZE for _ in range(SIZE)]
    cog(pixels, 12.5, 12.5, 12.0, 8.5, 3.0, 8, SILVER, GREY)
    cog(pixels, 23.0, 22.0, 9.0, 6.5, 2.5, 7, YELLOW, OLIVE)
    cross(pixels, 1, 19, 12, 2, RED)
    return pixels


def ico_bytes(pixels):
    xor_rows, and_rows = [], []
    for row in reversed(pixels):  # bitmaps are stored bottom-up
        nibbles = [0 if p is None else p for p in row]
        xor_rows.append(bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, SIZE, 2)))
        mask = 0
        for p in row:
            mask = (mask << 1) | (1 if p is None else 0)
        and_rows.append(struct.pack(">I", mask))
    palette = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in PALETTE)
    image_bits = b"".join(xor_rows) + b"".join(and_rows)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0, len(image_bits), 0, 0, 16, 0)
    image = header + palette + image_bits
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    with open(sys.argv[1] if len(sys.argv) > 1 else "app.ico", "wb") as out:
        out.write(ico_bytes(draw()))
