#!/usr/bin/env python3
"""Draws the gauge's 16 x 15 toolbox picture and writes it as a 4-bit BMP.

A grey bar in a raised frame, filled from the left in red, yellow and green.
Run from this folder; the output is committed beside it.
"""
import struct

W, H = 16, 15
# The standard 16-colour palette (blue, green, red, reserved).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]  # as (r, g, b)
BLACK, DARK, GREY, RED, GREEN, YELLOW, WHITE, LIGHTGREY = 0, 8, 7, 9, 10, 11, 15, 7


def picture():
    px = [[LIGHTGREY] * W for _ in range(H)]
    top, bottom = 3, 11  # the bar occupies rows 3..11
    for y in range(top, bottom + 1):
        for x in range(0, W):
            px[y][x] = GREY
    for x in range(W):
        px[top][x] = WHITE
        px[bottom][x] = DARK
    for y in range(top, bottom + 1):
        px[y][0] = WHITE
        px[y][W - 1] = DARK
    # Sunken inner frame and the fill.
    for x in range(1, W - 1):
        px[top + 1][x] = DARK
        px[bottom - 1][x] = WHITE
    for y in range(top + 1, bottom):
        px[y][1] = DARK
        px[y][W - 2] = WHITE
    fill = [RED] * 4 + [YELLOW] * 4 + [GREEN] * 3
    for y in range(top + 2, bottom - 1):
        for i, c in enumerate(fill):
            px[y][2 + i] = c
    return px


def bmp(px):
    row_bytes = (W * 4 + 31) // 32 * 4
    rows = b""
    for y in reversed(range(H)):  # bottom-up
        row = bytearray()
        for x in range(0, W, 2):
            row.append(px[y][x] << 4 | px[y][x + 1])
        rows += bytes(row) + b"\0" * (row_bytes - len(row))
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 4, 0, len(rows), 2835, 2835, 16, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    return header + info + palette + rows


if __name__ == "__main__":
    with open("zelbo_toolbox.bmp", "wb") as f:
        f.write(bmp(picture()))
