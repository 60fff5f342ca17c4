#!/usr/bin/env python3
"""Writes lumaro-SIZE.png: the program's icon at the sizes of the hicolor theme, RGBA.

The light signal of the logo (make_logo.py): a black screen with a red, a yellow and a green
lamp on a grey mast. Every straight edge is rounded to whole pixels at each size, so that the
small icons stay crisp; only the lamps and the screen's corners are smoothed. Run it from this
folder after changing it; the pictures are committed and installed by CMake.
"""

import struct
import sys
import zlib

SIZES = (16, 22, 24, 32, 48, 64, 128, 256)

# Design grid: 32 x 32 units.
SCREEN = (9, 0, 23, 24)     # left, top, right, bottom
CORNER = 3
MAST_WIDTH = 4
LAMPS = ((6, (235, 20, 20)), (12, (250, 200, 0)), (18, (40, 200, 70)))
LAMP_RADIUS = 2.6

OUTLINE = (235, 235, 235)
SCREEN_FILL = (16, 16, 16)
MAST_FILL = (128, 128, 128)
# Sub-pixel samples per axis; the small icons take one, at the pixel centre, and stay sharp.
SAMPLES = 8
SHARP_BELOW = 32


def snap(value, scale):
    return round(value * scale)


def inside_rounded(x, y, box, radius):
    left, top, right, bottom = box
    if not (left <= x < right and top <= y < bottom):
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius


def draw(size):
    scale = size / 32
    line = max(1, round(scale))   # outline width in pixels
    screen = tuple(snap(v, scale) for v in SCREEN)
    inner = (screen[0] + line, screen[1] + line, screen[2] - line, screen[3] - line)
    # The mast is centred on the screen in whole pixels.
    centre = (screen[0] + screen[2]) / 2
    half = max(1, round(MAST_WIDTH * scale / 2))
    mast = (round(centre - half), screen[3], round(centre + half), size)
    corner = CORNER * scale
    lamp_radius = LAMP_RADIUS * scale
    samples = 1 if size < SHARP_BELOW else SAMPLES
    # Small lamps sit on whole pixels, so that each is a solid block of pixels.
    lamps = [(round(cy * scale) if size < SHARP_BELOW else cy * scale, colour) for cy, colour in LAMPS]

    def colour_at(x, y):
        for cy, colour in lamps:
            if (x - centre) ** 2 + (y - cy) ** 2 <= lamp_radius ** 2:
                return colour
        if inside_rounded(x, y, inner, max(corner - line, 0)):
            return SCREEN_FILL
        if inside_rounded(x, y, screen, corner):
            return OUTLINE
        if mast[0] <= x < mast[2] and mast[1] <= y < mast[3]:
            return MAST_FILL
        return None

    rows = []
    for py in range(size):
        row = bytearray()
        for px in range(size):
            r = g = b = a = 0
            for sy in range(samples):
                for sx in range(samples):
                    c = colour_at(px + (sx + 0.5) / samples, py + (sy + 0.5) / samples)
                    if c:
                        r, g, b, a = r + c[0], g + c[1], b + c[2], a + 1
            if a:
                row += bytes((round(r / a), round(g / a), round(b / a), round(255 * a / samples ** 2)))
            else:
                row += bytes(4)
        rows.append(bytes(row))
    return rows


def png(size, rows):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    data = b"".join(b"\0" + row for row in rows)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(data, 9)) + chunk(b"IEND", b"")


if __name__ == "__main__":
    folder = sys.argv[1] if len(sys.argv) > 1 else "."
    for size in SIZES:
        with open(f"{folder}/lumaro-{size}.png", "wb") as f:
            f.write(png(size, draw(size)))
