#!/usr/bin/env python3
"""Writes logo.bmp: the 99 x 69 emblem of the main window, 24 bits per pixel.

A light signal on its mast beside the name "Lumaro". Run it from this folder after changing it;
the bitmap is committed and compiled into the program through lumaro.qrc.
"""

import struct
import sys

WIDTH, HEIGHT = 99, 69

SKY = (166, 202, 240)
NAVY = (0, 0, 96)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
GREY = (128, 128, 128)
RED = (255, 0, 0)
GREEN = (144, 238, 144)
YELLOW = (255, 255, 0)

# 5 x 7 letters of the name, '#' set.
GLYPHS = {
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    "u": [".....", ".....", "#...#", "#...#", "#...#", "#..##", ".##.#"],
    "m": [".....", ".....", "##.#.", "#.#.#", "#.#.#", "#.#.#", "#.#.#"],
    "a": [".....", ".....", ".###.", "....#", ".####", "#...#", ".####"],
    "r": [".....", ".....", "#.##.", "##..#", "#....", "#....", "#...."],
    "o": [".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###."],
}

pixels = [[SKY] * WIDTH for _ in range(HEIGHT)]


def rect(x1, y1, x2, y2, colour):
    """Fills x1 <= x < x2, y1 <= y < y2."""
    for y in range(max(y1, 0), min(y2, HEIGHT)):
        for x in range(max(x1, 0), min(x2, WIDTH)):
            pixels[y][x] = colour


def disc(cx, cy, r, colour):
    for y in range(cy - r, cy + r + 1):
        for x in range(cx - r, cx + r + 1):
            if (x - cx) ** 2 + (y - cy) ** 2 <= r * r + r:
                pixels[y][x] = colour


def text(x, y, word, colour, sx, sy):
    """Letters magnified sx times across and sy times down."""
    for letter in word:
        for row, bits in enumerate(GLYPHS[letter]):
            for col, bit in enumerate(bits):
                if bit == "#":
                    rect(x + col * sx, y + row * sy, x + (col + 1) * sx, y + (row + 1) * sy, colour)
        x += 6 * sx


# Frame.
rect(0, 0, WIDTH, 2, NAVY)
rect(0, HEIGHT - 2, WIDTH, HEIGHT, NAVY)
rect(0, 0, 2, HEIGHT, NAVY)
rect(WIDTH - 2, 0, WIDTH, HEIGHT, NAVY)

# The signal: ground, mast, screen with three lamps and a white plate.
rect(2, 60, WIDTH - 2, 67, GREY)
rect(15, 14, 19, 60, GREY)
rect(8, 6, 26, 40, BLACK)
disc(17, 12, 3, RED)
disc(17, 22, 3, YELLOW)
disc(17, 32, 3, GREEN)
rect(10, 44, 24, 52, WHITE)
rect(12, 47, 22, 49, BLACK)

# The name.
text(34, 18, "Lumaro", NAVY, 1, 2)
rect(34, 36, 69, 38, RED)

row_size = (WIDTH * 3 + 3) & ~3
image = bytearray()
for y in range(HEIGHT - 1, -1, -1):   # bottom-up rows
    line = bytearray()
    for r, g, b in pixels[y]:
        line += bytes((b, g, r))
    line += b"\0" * (row_size - len(line))
    image += line

header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(image), 0, 0, 14 + 40)
info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(image), 2835, 2835, 0, 0)
out = sys.argv[1] if len(sys.argv) > 1 else "logo.bmp"
with open(out, "wb") as f:
    f.write(header + info + image)
