#!/usr/bin/env python3
"""Draws the builder's program icon: 32 x 32 pixels in the 16 colours of the classic palette.

A database (a stack of disks) on the left, an arrow, and a handheld on the right: a database
going to the handheld. Magenta is the transparent key, as in 16-colour icons. The output is an
indexed PNG (4 bits per pixel) written with the standard library only, so every run gives the
same bytes.

Usage: make_builder_icon.py OUTPUT.png
"""
import struct
import sys
import zlib

PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, NAVY, TEAL, SILVER, GRAY, GREEN, YELLOW, OLIVE, BLUE, AQUA, WHITE, LIME = (
    0, 4, 6, 7, 8, 2, 11, 3, 12, 14, 15, 10)
TRANSPARENT = 13  # magenta
SIZE = 32


def draw():
    pixels = [[TRANSPARENT] * SIZE for _ in range(SIZE)]

    def rect(x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                pixels[y][x] = colour

    def ellipse_row(cx, cy, rx, ry, colour, fill=None):
        # Outline (and optional fill) of an axis-aligned ellipse.
        for y in range(cy - ry, cy + ry + 1):
            for x in range(cx - rx, cx + rx + 1):
                d = ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2
                if d <= 1.0:
                    pixels[y][x] = fill if fill is not None else pixels[y][x]
                    if d > 0.55:
                        pixels[y][x] = colour

    # The database: a cylinder of three disks.
    top, bottom, cx, rx, ry = 6, 24, 8, 7, 3
    rect(cx - rx, top, cx + rx, bottom, TEAL)
    ellipse_row(cx, bottom, rx, ry, NAVY, TEAL)
    for band in (12, 18):
        for x in range(cx - rx, cx + rx + 1):
            pixels[band + (1 if abs(x - cx) < rx - 2 else 0)][x] = NAVY
    for y in range(top, bottom + 1):
        pixels[y][cx - rx] = NAVY
        pixels[y][cx + rx] = NAVY
        pixels[y][cx - rx + 2] = AQUA
    ellipse_row(cx, top, rx, ry, NAVY, AQUA)

    # The arrow towards the handheld.
    rect(16, 14, 18, 16, YELLOW)
    for i in range(4):
        rect(19 + i, 11 + i, 19 + i, 19 - i, YELLOW)
    for i in range(4):
        pixels[11 + i][19 + i] = OLIVE
        pixels[19 - i][19 + i] = OLIVE
    rect(16, 17, 18, 17, OLIVE)

    # The handheld: a grey case with a green screen and three keys.
    rect(23, 3, 31, 29, GRAY)
    rect(24, 4, 30, 28, SILVER)
    rect(25, 6, 29, 19, BLACK)
    rect(26, 7, 28, 18, GREEN)
    for y in (9, 12, 15):
        rect(26, y, 28, y, LIME)
    for x in (24, 27, 30):
        pixels[23][x] = NAVY
        pixels[25][x] = NAVY
    # Outline of the case.
    for x in range(23, 32):
        pixels[3][x] = BLACK
        pixels[29][x] = BLACK
    for y in range(3, 30):
        pixels[y][23] = BLACK
        pixels[y][31] = BLACK
    return pixels


def chunk(kind, data):
    return (struct.pack(">I", len(data)) + kind + data +
            struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))


def png(pixels):
    raw = bytearray()
    for row in pixels:
        raw.append(0)  # filter: none
        for x in range(0, SIZE, 2):
            raw.append(row[x] << 4 | row[x + 1])
    header = struct.pack(">IIBBBBB", SIZE, SIZE, 4, 3, 0, 0, 0)  # 4-bit indexed
    palette = b"".join(bytes(c) for c in PALETTE)
    alpha = bytes(0 if i == TRANSPARENT else 255 for i in range(len(PALETTE)))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"PLTE", palette) +
            chunk(b"tRNS", alpha) + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) +
            chunk(b"IEND", b""))


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    with open(sys.argv[1], "wb") as out:
        out.write(png(draw()))


if __name__ == "__main__":
    main()
