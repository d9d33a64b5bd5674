#!/usr/bin/env python3
"""Draws Vantrel's icons, cursors, bitmaps and About clip from code and
writes them as .ico, .cur, .bmp and .avi files.

Standard library only. Icons, cursors, logos, the tray picture and the clip's
frames are drawn on a small palette canvas with a few primitives (rectangles,
lines, ellipses, polygons, pixel masks, block letters) and an outline pass;
the writer stores each icon or cursor image as an 8-bit (256-colour) DIB with
its AND mask, the tray icons as 4-bit (16-colour) ones, the way the resource
compiler expects them, and each bitmap as a 24-bit, 8-bit or 4-bit .bmp file;
the clip's frames are run-length coded 8-bit pictures. The splash picture is
24-bit, its title drawn with an anti-aliased stroke font, its version line
taken from version.h.

Run from anywhere:  python3 res/art/make_art.py   (writes next to this file)
"""

import math
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))


def program_version():
    """The program's version as version.h at the top of the tree sets it, "1.10"."""
    numbers = {}
    with open(os.path.join(HERE, "..", "..", "version.h")) as header:
        for line in header:
            parts = line.split()
            if len(parts) == 3 and parts[0] == "#define" and parts[1] in ("VT_VERSION_MAJOR", "VT_VERSION_MINOR"):
                numbers[parts[1]] = int(parts[2])
    return "%d.%02d" % (numbers["VT_VERSION_MAJOR"], numbers["VT_VERSION_MINOR"])


# ---------------------------------------------------------------- colours
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
GREY_LT = (216, 216, 216)
GREY = (168, 168, 172)
GREY_DK = (110, 110, 118)
STEEL = (136, 144, 160)
STEEL_LT = (184, 192, 206)
NAVY = (24, 40, 104)
BLUE = (40, 84, 200)
BLUE_LT = (120, 168, 240)
CUFF = (32, 96, 224)
CUFF_DK = (16, 48, 144)
GREEN = (32, 176, 64)
GREEN_LT = (96, 224, 112)
YELLOW = (248, 216, 72)
ORANGE = (232, 140, 32)
RED = (216, 32, 32)
RED_DK = (144, 16, 16)
GOLD = (208, 160, 48)
FOLDER = (232, 184, 56)
FOLDER_LT = (252, 224, 120)
MAGENTA = (200, 72, 176)
CYAN = (120, 216, 232)


class Canvas:
    """A w x h picture of RGB tuples; None is a transparent pixel."""

    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [[None] * w for _ in range(h)]

    def put(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def get(self, x, y):
        if 0 <= x < self.w and 0 <= y < self.h:
            return self.px[y][x]
        return None

    def rect(self, x0, y0, x1, y1, c):
        """Filled rectangle, corners inclusive."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        self.line(x0, y0, x1, y0, c)
        self.line(x0, y1, x1, y1, c)
        self.line(x0, y0, x0, y1, c)
        self.line(x1, y0, x1, y1, c)

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx = 1 if x0 < x1 else -1
        sy = 1 if y0 < y1 else -1
        err = dx + dy
        while True:
            self.put(x0, y0, c)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def _fill_where(self, inside, c):
        for y in range(self.h):
            for x in range(self.w):
                if inside(x + 0.5, y + 0.5):
                    self.px[y][x] = c

    def ellipse(self, cx, cy, rx, ry, c):
        self._fill_where(lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0, c)

    def sector(self, cx, cy, r, a0, a1, c):
        """Filled pie slice, angles in degrees, counter-clockwise from east."""
        def inside(x, y):
            dx, dy = x - cx, cy - y
            if dx * dx + dy * dy > r * r:
                return False
            a = math.degrees(math.atan2(dy, dx)) % 360.0
            return (a - a0) % 360.0 <= (a1 - a0) % 360.0
        self._fill_where(inside, c)

    def polygon(self, pts, c):
        def inside(x, y):
            odd = False
            j = len(pts) - 1
            for i in range(len(pts)):
                xi, yi = pts[i]
                xj, yj = pts[j]
                if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                    odd = not odd
                j = i
            return odd
        self._fill_where(inside, c)

    def clear(self, x0, y0, x1, y1):
        self.rect(x0, y0, x1, y1, None)

    def clear_ellipse(self, cx, cy, rx, ry):
        self.ellipse(cx, cy, rx, ry, None)

    def mask(self, rows, colours, ox=0, oy=0):
        """Paints a character picture; characters not in colours are skipped."""
        for j, row in enumerate(rows):
            for i, ch in enumerate(row):
                if ch in colours:
                    self.put(ox + i, oy + j, colours[ch])

    def outline(self, c, diagonal=False):
        """Colours every transparent pixel that touches the drawing."""
        near = [(1, 0), (-1, 0), (0, 1), (0, -1)]
        if diagonal:
            near += [(1, 1), (1, -1), (-1, 1), (-1, -1)]
        add = []
        for y in range(self.h):
            for x in range(self.w):
                if self.px[y][x] is None and any(self.get(x + dx, y + dy) is not None for dx, dy in near):
                    add.append((x, y))
        for x, y in add:
            self.px[y][x] = c


# ---------------------------------------------------------------- file writer
def dib(canvas, bits=8):
    """BITMAPINFOHEADER + palette + XOR rows + AND rows, bottom-up; 8 or 4 bits."""
    colours = [BLACK]
    for row in canvas.px:
        for c in row:
            if c is not None and c not in colours:
                colours.append(c)
    if len(colours) > 1 << bits:
        raise ValueError("more than %d colours" % (1 << bits))
    index = {c: i for i, c in enumerate(colours)}
    w, h = canvas.w, canvas.h
    header = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, bits, 0, 0, 0, 0, 0, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in colours)
    palette += b"\0" * (4 * ((1 << bits) - len(colours)))
    xor_stride = ((w * bits + 31) // 32) * 4
    and_stride = ((w + 31) // 32) * 4
    xor = bytearray()
    andm = bytearray()
    for y in reversed(range(h)):
        row = canvas.px[y]
        # Transparent pixels are black in the colour plane and set in the mask,
        # so the screen shows through unchanged.
        line = pack_indices([0 if c is None else index[c] for c in row], bits)
        xor += line + b"\0" * (xor_stride - len(line))
        bits_and = bytearray(and_stride)
        for x, c in enumerate(row):
            if c is None:
                bits_and[x // 8] |= 0x80 >> (x % 8)
        andm += bits_and
    return header + palette + bytes(xor) + bytes(andm)


def pack_indices(indices, bits):
    if bits == 8:
        return bytes(indices)
    # Two pixels a byte, the left one in the high nibble.
    padded = indices + [0] * (len(indices) % 2)
    return bytes((padded[i] << 4) | padded[i + 1] for i in range(0, len(padded), 2))


def write_group(path, images, kind, hotspots=None, bits=8):
    """kind 1 writes an icon file, kind 2 a cursor file with its hot spots."""
    blobs = [dib(c, bits) for c in images]
    out = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    for n, (canvas, blob) in enumerate(zip(images, blobs)):
        if kind == 1:
            a, b = 1, bits  # planes, bits per pixel
        else:
            a, b = hotspots[n]
        count = (1 << bits) % 256  # palette size; 0 stands for 256
        out += struct.pack("<BBBBHHII", canvas.w % 256, canvas.h % 256, count, 0, a, b, len(blob), offset)
        offset += len(blob)
    out += b"".join(blobs)
    with open(path, "wb") as f:
        f.write(out)


def write_bmp(path, canvas, bits):
    """An opaque picture as a bottom-up .bmp file of 24, 8 or 4 bits per pixel."""
    w, h = canvas.w, canvas.h
    if any(c is None for row in canvas.px for c in row):
        raise ValueError(path + ": a bitmap has no transparent pixels")
    if bits == 24:
        stride = (w * 3 + 3) & ~3
        palette = b""
        rows = [b"".join(struct.pack("<BBB", b, g, r) for (r, g, b) in row) for row in canvas.px]
    else:
        colours = []
        for row in canvas.px:
            for c in row:
                if c not in colours:
                    colours.append(c)
        if len(colours) > 1 << bits:
            raise ValueError(path + ": more than %d colours" % (1 << bits))
        index = {c: i for i, c in enumerate(colours)}
        stride = ((w * bits + 31) // 32) * 4
        palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in colours)
        palette += b"\0" * (4 * ((1 << bits) - len(colours)))
        rows = [pack_indices([index[c] for c in row], bits) for row in canvas.px]
    pixels = b"".join(row + b"\0" * (stride - len(row)) for row in reversed(rows))
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bits, 0, len(pixels), 0, 0, 0, 0)
    offset = 14 + len(info) + len(palette)
    head = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    with open(path, "wb") as f:
        f.write(head + info + palette + pixels)


# ---------------------------------------------------------------- drives
def drive_box(c, top=9, dim=False):
    """A drive cabinet seen from above and to the left: top, front, right side."""
    t = top
    front = GREY_LT if dim else GREY
    c.polygon([(2, t + 5), (7, t), (30, t), (25, t + 5)], GREY_LT if dim else (200, 200, 206))
    c.rect(2, t + 5, 25, t + 15, front)
    c.polygon([(25, t + 5), (30, t), (30, t + 10), (25, t + 15)], GREY_DK)
    c.line(2, t + 5, 7, t, BLACK)
    c.line(7, t, 30, t, BLACK)
    c.line(30, t, 30, t + 10, BLACK)
    c.line(30, t + 10, 25, t + 15, BLACK)
    c.line(2, t + 15, 25, t + 15, BLACK)
    c.line(2, t + 5, 2, t + 15, BLACK)
    c.line(2, t + 5, 25, t + 5, BLACK)
    c.line(25, t + 5, 25, t + 15, BLACK)
    c.line(25, t + 5, 30, t, BLACK)


def icon_hdd():
    c = Canvas(32, 32)
    drive_box(c)
    for x in range(5, 13, 2):
        c.line(x, 17, x, 21, GREY_DK)
    c.rect(20, 19, 22, 20, GREEN_LT)
    c.frame(19, 18, 23, 21, BLACK)
    return c


def icon_floppy():
    c = Canvas(32, 32)
    c.polygon([(3, 3), (26, 3), (29, 6), (29, 29), (3, 29)], NAVY)
    c.rect(10, 3, 22, 12, GREY_LT)
    c.rect(17, 5, 19, 10, GREY_DK)
    c.line(10, 12, 22, 12, GREY_DK)
    c.rect(7, 16, 25, 29, WHITE)
    for y in (19, 22, 25):
        c.line(9, y, 23, y, BLUE_LT)
    c.rect(4, 26, 5, 27, GREY_DK)
    c.outline(BLACK)
    return c


def icon_cdrom():
    c = Canvas(32, 32)
    c.ellipse(16, 16, 14, 14, (220, 220, 230))
    c.sector(16, 16, 13.5, 20, 70, CYAN)
    c.sector(16, 16, 13.5, 200, 250, (240, 200, 240))
    c.sector(16, 16, 13.5, 70, 95, (250, 246, 190))
    c.ellipse(16, 16, 6, 6, (190, 190, 200))
    c.ellipse(16, 16, 4, 4, (236, 236, 240))
    c.clear_ellipse(16, 16, 2.2, 2.2)
    c.outline(BLACK)
    return c


def icon_network():
    c = Canvas(32, 32)
    drive_box(c, top=3)
    c.rect(20, 13, 22, 14, GREEN_LT)
    c.frame(19, 12, 23, 15, BLACK)
    c.rect(13, 19, 15, 26, GREEN)
    c.line(12, 19, 12, 26, BLACK)
    c.line(16, 19, 16, 26, BLACK)
    c.rect(1, 26, 30, 28, GREEN)
    c.frame(0, 25, 31, 29, BLACK)
    c.rect(13, 26, 15, 28, GREEN)
    return c


def icon_removable():
    c = Canvas(32, 32)
    drive_box(c)
    c.rect(4, 17, 16, 18, BLACK)
    c.polygon([(19, 21), (21.5, 17), (24, 21)], GREEN)
    c.rect(19, 22, 23, 22, GREEN)
    return c


def icon_no_disk():
    c = Canvas(32, 32)
    drive_box(c, dim=True)
    for d in range(-1, 2):
        c.line(7 + d, 6, 25 + d, 28, RED)
        c.line(25 + d, 6, 7 + d, 28, RED)
    return c


QUESTION = [
    "..KKKKK..",
    ".KKKKKKK.",
    "KKK...KKK",
    "KKK...KKK",
    ".....KKK.",
    "....KKK..",
    "...KKK...",
    "...KKK...",
    ".........",
    "...KKK...",
    "...KKK...",
]


def icon_unknown():
    c = Canvas(32, 32)
    drive_box(c)
    for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
        c.mask(QUESTION, {"K": WHITE}, 15 + dx, 13 + dy)
    c.mask(QUESTION, {"K": BLUE}, 15, 13)
    return c


def icon_zip():
    c = Canvas(32, 32)
    zip_blue = (36, 64, 150)
    c.rect(4, 3, 27, 28, zip_blue)
    c.rect(3, 4, 28, 27, zip_blue)
    c.rect(7, 6, 24, 11, WHITE)
    c.line(9, 8, 22, 8, BLUE_LT)
    c.line(9, 10, 18, 10, BLUE_LT)
    # A bold Z on the lower half.
    c.rect(9, 14, 22, 16, YELLOW)
    c.rect(9, 23, 22, 25, YELLOW)
    for d in range(3):
        c.line(19 + d, 17, 10 + d, 22, YELLOW)
        c.line(20 + d, 17, 11 + d, 22, YELLOW)
    c.outline(BLACK)
    return c


# ---------------------------------------------------------------- buttons
def icon_processor():
    c = Canvas(32, 32)
    for p in range(8, 24, 3):
        c.rect(p, 3, p + 1, 6, STEEL_LT)
        c.rect(p, 25, p + 1, 28, STEEL_LT)
        c.rect(3, p, 6, p + 1, STEEL_LT)
        c.rect(25, p, 28, p + 1, STEEL_LT)
    c.outline(BLACK)
    c.rect(7, 7, 24, 24, (60, 60, 70))
    c.frame(7, 7, 24, 24, BLACK)
    c.rect(12, 12, 19, 19, GOLD)
    c.frame(12, 12, 19, 19, (140, 100, 20))
    c.rect(9, 9, 10, 10, WHITE)
    return c


def monitor(c, screen=BLUE):
    c.rect(2, 3, 29, 22, GREY_LT)
    c.frame(2, 3, 29, 22, BLACK)
    c.rect(5, 6, 26, 19, screen)
    c.frame(5, 6, 26, 19, GREY_DK)
    c.rect(13, 23, 18, 25, GREY)
    c.line(13, 23, 13, 25, BLACK)
    c.line(18, 23, 18, 25, BLACK)
    c.rect(8, 26, 23, 28, GREY_LT)
    c.frame(8, 26, 23, 28, BLACK)
    c.rect(24, 20, 25, 20, GREEN_LT)


def icon_extended():
    c = Canvas(32, 32)
    monitor(c)
    for y, n in ((8, 15), (10, 11), (12, 17), (14, 9), (16, 13)):
        c.line(7, y, 7 + n, y, WHITE)
    return c


def icon_folder():
    c = Canvas(32, 32)
    c.polygon([(3, 8), (5, 5), (12, 5), (14, 8)], FOLDER)
    c.rect(3, 8, 28, 26, FOLDER)
    c.polygon([(6, 13), (31, 13), (28, 27), (2, 27)], FOLDER_LT)
    c.line(6, 13, 30, 13, (250, 240, 190))
    c.outline(BLACK)
    c.line(6, 13, 2, 27, BLACK)
    c.line(6, 13, 30, 13, BLACK)
    return c


def icon_options():
    c = Canvas(32, 32)
    cx = cy = 15.5
    c.ellipse(cx, cy, 10, 10, STEEL)
    for k in range(8):
        a = math.radians(k * 45 + 22.5)
        ux, uy = math.cos(a), math.sin(a)
        vx, vy = -uy, ux
        pts = []
        for r, s in ((8, 3.2), (14, 2.4), (14, -2.4), (8, -3.2)):
            pts.append((cx + ux * r + vx * s, cy + uy * r + vy * s))
        c.polygon(pts, STEEL)
    c.ellipse(cx - 1.5, cy - 1.5, 6, 6, STEEL_LT)
    c.clear_ellipse(cx, cy, 3.5, 3.5)
    c.outline(BLACK)
    return c


def icon_pie():
    # Kept within the middle 20 rows: button 1073 is only about 20 pixels high inside.
    c = Canvas(32, 32)
    cx = cy = 16
    r = 9
    c.ellipse(cx, cy, r, r, BLUE)
    c.sector(cx, cy, r, 20, 110, MAGENTA)
    c.outline(BLACK)
    for a in (20, 110):
        t = math.radians(a)
        c.line(cx, cy, round(cx + (r - 0.5) * math.cos(t)), round(cy - (r - 0.5) * math.sin(t)), BLACK)
    return c


# ---------------------------------------------------------------- program icon
def icon_program():
    c = Canvas(32, 32)
    monitor(c, screen=NAVY)
    # Three gauge bars on the screen: the program's own picture of the system.
    for y, n, col in ((8, 18, GREEN), (12, 12, YELLOW), (16, 7, RED)):
        c.rect(7, y, 7 + n, y + 2, col)
    return c


def icon_program_small():
    c = Canvas(16, 16)
    c.rect(0, 1, 15, 12, GREY_LT)
    c.frame(0, 1, 15, 12, BLACK)
    c.rect(2, 3, 13, 10, NAVY)
    c.rect(3, 4, 11, 4, GREEN)
    c.rect(3, 6, 8, 6, YELLOW)
    c.rect(3, 8, 5, 8, RED)
    c.rect(5, 13, 10, 14, GREY)
    c.frame(4, 13, 11, 15, BLACK)
    return c


# ---------------------------------------------------------------- extended information window
def icon_monitor():
    """The display group's monitor: a desktop with one window on its screen."""
    c = Canvas(32, 32)
    monitor(c, screen=(0, 128, 128))
    c.rect(9, 8, 20, 16, GREY_LT)
    c.rect(9, 8, 20, 9, NAVY)
    c.frame(9, 8, 20, 16, BLACK)
    c.rect(6, 18, 25, 19, GREY)
    return c


def icon_power():
    """The power group's mains plug, cord trailing down, beside a battery."""
    c = Canvas(32, 32)
    # Plug: two prongs above a body, the cord curling down from it.
    c.rect(4, 4, 5, 9, STEEL_LT)
    c.rect(10, 4, 11, 9, STEEL_LT)
    c.rect(2, 10, 13, 18, GREY_DK)
    c.rect(5, 19, 10, 20, GREY_DK)
    c.rect(7, 21, 8, 27, BLACK)
    c.rect(7, 27, 13, 28, BLACK)
    # Battery: terminal cap, cell, charge level.
    c.rect(21, 5, 25, 7, GREY)
    c.rect(17, 8, 29, 29, WHITE)
    c.rect(19, 17, 27, 27, GREEN)
    c.rect(19, 10, 27, 16, GREY_LT)
    c.outline(BLACK)
    return c


# ---------------------------------------------------------------- processor makers' plates
# Block capitals, 5 x 7, for the plates' lettering.
LETTERS = {
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "C": [".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."],
    "D": ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "I": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "#####"],
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    "N": ["#...#", "##..#", "##..#", "#.#.#", "#..##", "#..##", "#...#"],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "U": ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "X": ["#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"],
    "Y": ["#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."],
}


def letters(c, text, cx, top, scale, colour, gap=None):
    """Block capitals centred on column cx, each glyph pixel a scale x scale
    square, `gap` pixels apart (one glyph pixel unless given)."""
    gap = scale if gap is None else gap
    advance = 5 * scale + gap
    width = len(text) * advance - gap
    x = cx - width // 2
    for ch in text:
        for j, row in enumerate(LETTERS[ch]):
            for i, bit in enumerate(row):
                if bit == "#":
                    c.rect(x + i * scale, top + j * scale, x + (i + 1) * scale - 1, top + (j + 1) * scale - 1, colour)
        x += advance


def plate(w, h, face, edge):
    """A flat plate with a two-pixel rim."""
    c = Canvas(w, h)
    c.rect(0, 0, w - 1, h - 1, edge)
    c.rect(2, 2, w - 3, h - 3, face)
    return c


def logo_intel():
    c = plate(72, 37, (0, 104, 180), (0, 56, 112))
    letters(c, "INTEL", 36, 11, 2, WHITE)
    return c


def logo_cyrix():
    c = plate(80, 38, (16, 120, 88), (8, 64, 48))
    letters(c, "CYRIX", 40, 12, 2, WHITE)
    return c


def logo_amd():
    c = plate(122, 37, WHITE, BLACK)
    letters(c, "AMD", 50, 5, 4, BLACK)
    # An arrow head in the corner, pointing up and to the right.
    c.polygon([(92, 8), (112, 8), (112, 28), (106, 22), (106, 14), (98, 14)], (0, 144, 72))
    return c


def logo_centaur():
    c = plate(86, 72, (240, 236, 224), (96, 64, 32))
    c.ellipse(43, 25, 18, 18, (150, 96, 40))
    letters(c, "C", 43, 11, 4, (240, 236, 224))
    letters(c, "CENTAUR", 43, 52, 2, (96, 64, 32), gap=1)
    return c


# ---------------------------------------------------------------- cursors
def cursor_pointing_hand():
    """Index finger up; hot spot on the fingertip at (13, 3)."""
    c = Canvas(32, 32)
    skin = WHITE
    c.rect(12, 4, 15, 18, skin)          # index finger
    c.rect(17, 10, 19, 18, skin)         # curled fingers, one gap apart
    c.rect(21, 11, 23, 18, skin)
    c.rect(25, 12, 26, 18, skin)
    c.rect(12, 16, 26, 23, skin)         # palm
    c.polygon([(6, 14.5), (8, 13), (12.5, 17), (12.5, 21), (11, 21)], skin)  # thumb
    c.rect(13, 24, 25, 27, CUFF)         # cuff
    c.rect(13, 28, 25, 28, CUFF_DK)
    c.outline(BLACK)
    # Knuckle creases on the bent fingers.
    for x in (17, 21, 25):
        c.put(x + 1, 17, GREY)
    return c


def cursor_open_hand():
    """Palm forward with spread fingers; hot spot (15, 11)."""
    c = Canvas(32, 32)
    skin = WHITE
    c.rect(9, 6, 11, 16, skin)           # index
    c.rect(13, 3, 15, 16, skin)          # middle
    c.rect(17, 4, 19, 16, skin)          # ring
    c.rect(21, 7, 23, 16, skin)          # little
    c.rect(9, 15, 23, 23, skin)          # palm
    c.polygon([(3, 12), (5, 10.5), (10, 16), (10, 21), (8, 21)], skin)  # thumb
    c.rect(10, 24, 22, 27, CUFF)
    c.rect(10, 28, 22, 28, CUFF_DK)
    c.outline(BLACK)
    c.put(15, 11, WHITE)
    return c


ARROW = [
    "K",
    "KK",
    "KWK",
    "KWWK",
    "KWWWK",
    "KWWWWK",
    "KWWWWWK",
    "KWWWWWWK",
    "KWWWWWWWK",
    "KWWWWWWWWK",
    "KWWWWWKKKKK",
    "KWWKWWK",
    "KWK.KWWK",
    "KK..KWWK",
    "K....KWWK",
    ".....KWWK",
    "......KK",
]


def cursor_arrow():
    """Arrow pointing up and to the left; the tip is the hot spot (2, 3)."""
    c = Canvas(32, 32)
    c.mask(ARROW, {"K": BLACK, "W": WHITE}, 2, 3)
    # A blue stripe down the shaft tells this arrow from the system's.
    for y in range(6, 13):
        c.put(3, y, BLUE_LT)
    return c


# ---------------------------------------------------------------- tray
# The tray icons use the 16 colours of the standard palette.
VGA_NAVY = (0, 0, 128)
VGA_BLUE = (0, 0, 255)
VGA_RED = (255, 0, 0)
VGA_MAROON = (128, 0, 0)
VGA_GREY = (128, 128, 128)
VGA_SILVER = (192, 192, 192)
VGA_TEAL = (0, 128, 128)
VGA_YELLOW = (255, 255, 0)


def letter_i(c, cx, top, size, colour):
    """A serif letter i: dot, stem and foot, centred on column cx."""
    if size == 32:
        c.ellipse(cx, top + 2.5, 2.6, 2.6, colour)
        c.rect(int(cx) - 4, top + 7, int(cx) + 1, top + 8, colour)
        c.rect(int(cx) - 2, top + 7, int(cx) + 1, top + 18, colour)
        c.rect(int(cx) - 4, top + 17, int(cx) + 3, top + 18, colour)
    else:
        c.rect(cx - 1, top, cx, top + 1, colour)
        c.rect(cx - 2, top + 3, cx, top + 3, colour)
        c.rect(cx - 1, top + 3, cx, top + 8, colour)
        c.rect(cx - 2, top + 8, cx + 1, top + 8, colour)


def tray_disc(size, disc, rim, letter):
    c = Canvas(size, size)
    h = size / 2
    c.ellipse(h, h, h - 1, h - 1, disc)
    c.outline(rim)
    if size == 32:
        letter_i(c, 16, 6, 32, letter)
    else:
        letter_i(c, 8, 3, 16, letter)
    return c


def icon_tray_enabled():
    return [tray_disc(32, VGA_NAVY, BLACK, WHITE), tray_disc(16, VGA_NAVY, BLACK, WHITE)]


def icon_tray_disabled():
    return [tray_disc(32, VGA_RED, VGA_MAROON, BLACK), tray_disc(16, VGA_RED, VGA_MAROON, BLACK)]


def icon_notice():
    """A blue letter i in a white speech balloon."""
    c = Canvas(32, 32)
    c.ellipse(16, 13, 14.5, 11.5, WHITE)
    c.polygon([(8, 20), (14, 23), (4, 31)], WHITE)
    c.outline(BLACK)
    letter_i(c, 16, 4, 32, BLUE)
    return c


def digit_rows():
    """3 x 5 digits for the tray clock."""
    return {
        "1": [".K.", "KK.", ".K.", ".K.", "KKK"],
        "2": ["KK.", "..K", ".K.", "K..", "KKK"],
        "0": [".K.", "K.K", "K.K", "K.K", ".K."],
        ":": ["...", ".K.", "...", ".K.", "..."],
    }


def bitmap_tray_area():
    """108 x 77: the corner of a desktop and its taskbar, the program's icon in
    the tray and an arrow pointing at it."""
    c = Canvas(108, 77)
    c.rect(0, 0, 107, 76, VGA_TEAL)
    # Taskbar with its raised edge.
    c.rect(0, 52, 107, 76, VGA_SILVER)
    c.line(0, 52, 107, 52, VGA_SILVER)
    c.line(0, 53, 107, 53, WHITE)
    # Tray notch, sunken.
    c.line(46, 56, 105, 56, VGA_GREY)
    c.line(46, 56, 46, 74, VGA_GREY)
    c.line(46, 74, 105, 74, WHITE)
    c.line(105, 56, 105, 74, WHITE)
    # Another program's icon: a small loudspeaker.
    c.rect(50, 63, 52, 67, VGA_GREY)
    c.polygon([(52.5, 63), (56.5, 59.5), (56.5, 71.5), (52.5, 67.5)], VGA_GREY)
    c.frame(50, 63, 52, 67, BLACK)
    # The program's icon.
    small = tray_disc(16, VGA_NAVY, BLACK, WHITE)
    for y in range(16):
        for x in range(16):
            if small.px[y][x] is not None:
                c.put(62 + x, 57 + y, small.px[y][x])
    # Clock.
    x = 82
    for ch in "12:00":
        c.mask(digit_rows()[ch], {"K": BLACK}, x, 63)
        x += 4
    # Arrow from the upper left down to the icon.
    for d in range(-2, 3):
        c.line(14 + d, 8, 60 + d, 44, VGA_YELLOW)
        c.line(14, 8 + d, 60, 44 + d, VGA_YELLOW)
    c.polygon([(70, 54), (52, 46), (64, 36)], VGA_YELLOW)
    arrow = Canvas(108, 77)
    for y in range(77):
        for x in range(108):
            if c.px[y][x] == VGA_YELLOW:
                arrow.px[y][x] = VGA_YELLOW
    arrow.outline(BLACK, diagonal=True)
    for y in range(77):
        for x in range(108):
            if arrow.px[y][x] == BLACK and c.px[y][x] == VGA_TEAL:
                c.px[y][x] = BLACK
    return c


# ---------------------------------------------------------------- bitmaps
class Picture:
    """A 24-bit picture with anti-aliased strokes: colours blend by coverage."""

    def __init__(self, w, h, colour):
        self.w, self.h = w, h
        self.px = [[colour] * w for _ in range(h)]

    def blend(self, x, y, colour, alpha):
        if 0 <= x < self.w and 0 <= y < self.h and alpha > 0:
            a = min(alpha, 1.0)
            old = self.px[y][x]
            self.px[y][x] = tuple(int(round(o + (n - o) * a)) for o, n in zip(old, colour))

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.blend(x, y, colour, 1.0)

    def strokes(self, polylines, radius, colour_at):
        """Round-capped lines `radius` pixels thick on each side; colour_at(y)
        gives the colour of a row. Coverage falls off over one pixel."""
        segs = []
        for line in polylines:
            segs += list(zip(line, line[1:])) if len(line) > 1 else [(line[0], line[0])]
        xs = [p[0] for s in segs for p in s]
        ys = [p[1] for s in segs for p in s]
        x0, x1 = int(min(xs) - radius - 2), int(max(xs) + radius + 2)
        y0, y1 = int(min(ys) - radius - 2), int(max(ys) + radius + 2)
        for y in range(max(y0, 0), min(y1, self.h - 1) + 1):
            for x in range(max(x0, 0), min(x1, self.w - 1) + 1):
                d = min(seg_distance(x + 0.5, y + 0.5, a, b) for a, b in segs)
                self.blend(x, y, colour_at(y), radius + 0.5 - d)


def seg_distance(px, py, a, b):
    (ax, ay), (bx, by) = a, b
    dx, dy = bx - ax, by - ay
    ll = dx * dx + dy * dy
    t = 0.0 if ll == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / ll))
    qx, qy = ax + t * dx - px, ay + t * dy - py
    return math.sqrt(qx * qx + qy * qy)


def arc(cx, cy, rx, ry, a0, a1, steps=18):
    """Points along an ellipse, angles in degrees with y pointing down."""
    return [(cx + rx * math.cos(math.radians(a0 + (a1 - a0) * k / steps)),
             cy + ry * math.sin(math.radians(a0 + (a1 - a0) * k / steps))) for k in range(steps + 1)]


# A stroke font: cap height 10 units from y 0 to the baseline at y 10, x-height
# from y 3.5. Each glyph is its advance and its polylines.
GLYPHS = {
    "V": (7.0, [[(0, 0), (3.5, 10), (7, 0)]]),
    "a": (6.0, [arc(2.75, 6.75, 2.5, 3.25, 0, 360, 28), [(5.25, 3.5), (5.25, 10)]]),
    "n": (5.0, [[(0, 3.5), (0, 10)], arc(2.5, 6, 2.5, 2.5, 180, 360) + [(5, 10)]]),
    "t": (3.5, [[(1, 0.8)] + arc(2.5, 8.5, 1.5, 1.5, 180, 90, 8) + [(3.5, 10)], [(0, 3.5), (3.2, 3.5)]]),
    "r": (3.5, [[(0, 3.5), (0, 10)], arc(3, 6.5, 3, 3, 180, 280, 10)]),
    "e": (5.5, [[(0.1, 6.75), (5.4, 6.75)] + arc(2.75, 6.75, 2.65, 3.25, 0, -320, 30)]),
    "l": (0.6, [[(0.3, 0), (0.3, 10)]]),
    "s": (4.5, [arc(2.25, 5.15, 2.1, 1.65, -30, -270, 16) + arc(2.25, 8.4, 2.2, 1.6, -90, 150, 16)]),
    "i": (0.6, [[(0.3, 3.5), (0.3, 10)], [(0.3, 1.3)]]),
    "o": (5.5, [arc(2.75, 6.75, 2.6, 3.25, 0, 360, 28)]),
    "1": (3.0, [[(0, 2), (2, 0), (2, 10)]]),
    "0": (5.0, [arc(2.5, 5, 2.4, 5, 0, 360, 32)]),
    ".": (0.6, [[(0.3, 9.8)]]),
    " ": (1.5, []),
}


def text_strokes(text, x, baseline, scale, gap):
    """The polylines of `text` placed at x with its baseline at `baseline`,
    one list per character (each is drawn over its own small box)."""
    glyphs = []
    for ch in text:
        advance, glyph = GLYPHS[ch]
        glyphs.append([[(x + gx * scale, baseline - (10 - gy) * scale) for gx, gy in line] for line in glyph])
        x += (advance + gap) * scale
    return [g for g in glyphs if g]


def bitmap_splash():
    """300 x 140: the program's title picture. The program writes
    "Initializing. Please wait..." in black at (10, 105), on the light band."""
    w, h = 300, 140
    pic = Picture(w, h, (0, 0, 0))
    for y in range(h):
        t = y / (h - 1)
        pic.rect(0, y, w - 1, y, (int(12 - 6 * t), int(28 - 14 * t), int(104 - 44 * t)))
    # Gauges on the right, the program's own picture of the system.
    for y, frac, col in ((24, 0.85, (50, 200, 70)), (39, 0.55, (250, 210, 60)), (54, 0.3, (220, 50, 40))):
        pic.rect(230, y, 287, y + 8, (20, 36, 80))
        pic.rect(231, y + 1, 231 + int(55 * frac), y + 7, col)
        for x in range(230, 288):
            pic.blend(x, y, (120, 150, 220), 1)
            pic.blend(x, y + 8, (120, 150, 220), 1)
        for yy in range(y, y + 9):
            pic.blend(230, yy, (120, 150, 220), 1)
            pic.blend(287, yy, (120, 150, 220), 1)
    title = text_strokes("Vantrel", 20, 66, 4.4, 1.9)
    for glyph in title:
        pic.strokes([[(px + 3, py + 3) for px, py in line] for line in glyph], 3.4, lambda y: (4, 8, 30))

    def gold(y):
        t = max(0.0, min(1.0, (y - 20) / 50))
        return (255, int(232 - 52 * t), int(80 - 80 * t))

    for glyph in title:
        pic.strokes(glyph, 3.4, gold)
    for glyph in text_strokes("Version " + program_version(), 24, 90, 1.35, 1.5):
        pic.strokes(glyph, 0.9, lambda y: (196, 212, 255))
    # The light band the program writes on, under a yellow rule.
    pic.rect(0, 96, w - 1, 97, (255, 214, 0))
    for y in range(98, 130):
        t = (y - 98) / 31
        pic.rect(0, y, w - 1, y, (int(232 - 20 * t), int(238 - 18 * t), int(250 - 10 * t)))
    pic.rect(0, 130, w - 1, 131, (255, 214, 0))
    for x in range(w):
        pic.blend(x, 0, (90, 120, 210), 1)
        pic.blend(x, h - 1, (90, 120, 210), 1)
    for y in range(h):
        pic.blend(0, y, (90, 120, 210), 1)
        pic.blend(w - 1, y, (90, 120, 210), 1)
    return pic


# ---------------------------------------------------------------- clip
CLIP_FRAMES = 12


def clip_frame(k):
    """48 x 48: the program's monitor, its three gauge bars filling up; white
    ground, which the transparent animation control shows as the dialog's."""
    c = Canvas(48, 48)
    c.rect(0, 0, 47, 47, WHITE)
    c.rect(4, 6, 43, 34, GREY_LT)
    c.frame(4, 6, 43, 34, BLACK)
    c.rect(8, 10, 39, 30, NAVY)
    c.frame(8, 10, 39, 30, GREY_DK)
    c.rect(20, 35, 27, 38, GREY)
    c.line(20, 35, 20, 38, BLACK)
    c.line(27, 35, 27, 38, BLACK)
    c.rect(12, 39, 35, 42, GREY_LT)
    c.frame(12, 39, 35, 42, BLACK)
    for y, full, col in ((13, 26, GREEN), (19, 18, YELLOW), (25, 10, RED)):
        n = round(full * k / (CLIP_FRAMES - 1))
        if n:
            c.rect(11, y, 10 + n, y + 3, col)
    return c


def rle8(rows):
    """Run-length coding of bottom-up index rows, runs only."""
    out = bytearray()
    for row in rows:
        x = 0
        while x < len(row):
            n = 1
            while x + n < len(row) and n < 255 and row[x + n] == row[x]:
                n += 1
            out += bytes((n, row[x]))
            x += n
        out += b"\0\0"  # end of line
    out[-1] = 1  # the last end of line becomes the end of the picture
    return bytes(out)


def chunk(fourcc, data):
    return fourcc + struct.pack("<I", len(data)) + data + (b"\0" if len(data) % 2 else b"")


def riff_list(kind, fourcc, body):
    return kind + struct.pack("<I", len(body) + 4) + fourcc + body


def write_clip(path):
    """An AVI of CLIP_FRAMES 8-bit RLE frames at 8 frames a second, no sound."""
    frames = [clip_frame(k) for k in range(CLIP_FRAMES)]
    palette = []
    for f in frames:
        for row in f.px:
            for c in row:
                if c not in palette:
                    palette.append(c)
    index = {c: i for i, c in enumerate(palette)}
    w, h = 48, 48
    coded = [rle8([[index[c] for c in row] for row in reversed(f.px)]) for f in frames]
    biggest = max(len(d) for d in coded)
    usec = 125000
    avih = struct.pack("<IIIIIIIIII4I", usec, biggest * 8, 0, 0x10, CLIP_FRAMES, 0, 1, biggest, w, h, 0, 0, 0, 0)
    strh = b"vids" + struct.pack("<4sIHHIIIIIIIIhhhh", b"\0\0\0\0", 0, 0, 0, 0, 1, 8, 0, CLIP_FRAMES, biggest,
                                 0xFFFFFFFF, 0, 0, 0, w, h)
    strf = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, 1, biggest, 0, 0, len(palette), 0)
    strf += b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    hdrl = riff_list(b"LIST", b"hdrl",
                     chunk(b"avih", avih) + riff_list(b"LIST", b"strl", chunk(b"strh", strh) + chunk(b"strf", strf)))
    movi_body = b""
    index_entries = b""
    for d in coded:
        index_entries += b"00dc" + struct.pack("<III", 0x10, 4 + len(movi_body), len(d))
        movi_body += chunk(b"00dc", d)
    movi = riff_list(b"LIST", b"movi", movi_body)
    body = hdrl + movi + chunk(b"idx1", index_entries)
    with open(path, "wb") as f:
        f.write(riff_list(b"RIFF", b"AVI ", body))


# ---------------------------------------------------------------- tree images
# The directory tree's image list: one strip of 16 x 16 cells, in the order the
# tree uses them, with magenta where the tree's background shows through. In
# true colour, so that the image list made from it keeps the colours exactly.
MASK_COLOUR = (255, 0, 255)


def small_drive(c, top=5):
    """A 16-pixel drive cabinet: top, front and right side."""
    c.polygon([(1, top + 3), (4, top), (15, top), (12, top + 3)], (200, 200, 206))
    c.rect(1, top + 3, 12, top + 8, GREY)
    c.polygon([(12, top + 3), (15, top), (15, top + 5), (12, top + 8)], GREY_DK)
    for x0, y0, x1, y1 in ((1, 3, 4, 0), (4, 0, 15, 0), (15, 0, 15, 5), (15, 5, 12, 8), (1, 8, 12, 8), (1, 3, 1, 8),
                           (1, 3, 12, 3), (12, 3, 12, 8), (12, 3, 15, 0)):
        c.line(x0, top + y0, x1, top + y1, BLACK)


def cell_hard_drive(c):
    small_drive(c)
    c.line(3, 10, 6, 10, GREY_DK)
    c.put(10, 10, GREEN_LT)


def cell_floppy(c):
    c.polygon([(1.5, 1.5), (12.5, 1.5), (14.5, 3.5), (14.5, 14.5), (1.5, 14.5)], NAVY)
    c.rect(5, 1, 11, 5, GREY_LT)
    c.rect(9, 2, 10, 4, GREY_DK)
    c.rect(4, 8, 12, 14, WHITE)
    c.line(5, 10, 11, 10, BLUE_LT)
    c.line(5, 12, 11, 12, BLUE_LT)
    c.outline(BLACK)


def cell_cdrom(c):
    c.ellipse(8, 8, 7, 7, (220, 220, 230))
    c.sector(8, 8, 6.5, 20, 70, CYAN)
    c.sector(8, 8, 6.5, 200, 250, (240, 200, 240))
    c.ellipse(8, 8, 2.5, 2.5, (190, 190, 200))
    c.clear_ellipse(8, 8, 1.2, 1.2)
    c.outline(BLACK)


def cell_network(c):
    small_drive(c, top=1)
    c.put(10, 6, GREEN_LT)
    c.rect(6, 10, 7, 12, GREEN)
    c.line(5, 10, 5, 12, BLACK)
    c.line(8, 10, 8, 12, BLACK)
    c.rect(1, 13, 14, 13, GREEN)
    c.frame(0, 12, 15, 14, BLACK)
    c.rect(6, 12, 7, 13, GREEN)


def cell_blank(c):
    c.rect(0, 0, 15, 15, WHITE)


def cell_folder(c):
    c.polygon([(1, 4), (2.5, 2), (6.5, 2), (8, 4)], FOLDER)
    c.rect(1, 4, 14, 13, FOLDER)
    c.line(2, 5, 13, 5, FOLDER_LT)
    c.outline(BLACK)


def cell_open_folder(c):
    c.polygon([(1, 4), (2.5, 2), (6.5, 2), (8, 4)], FOLDER)
    c.rect(1, 4, 13, 13, FOLDER)
    c.rect(3, 5, 11, 7, WHITE)
    c.polygon([(4, 7.5), (15.5, 7.5), (13, 14), (1, 14)], FOLDER_LT)
    c.outline(BLACK)
    c.line(4, 8, 1, 13, BLACK)


def tree_images():
    cells = (cell_hard_drive, cell_floppy, cell_cdrom, cell_network, cell_blank, cell_folder, cell_open_folder)
    strip = Canvas(16 * len(cells), 16)
    for n, draw in enumerate(cells):
        # Each cell on its own canvas, so that outlines stop at its edges.
        cell = Canvas(16, 16)
        draw(cell)
        for y in range(16):
            for x in range(16):
                strip.px[y][16 * n + x] = cell.px[y][x] or MASK_COLOUR
    return strip


ICONS = {
    "icon_program.ico": [icon_program(), icon_program_small()],
    "icon_floppy.ico": [icon_floppy()],
    "icon_hdd.ico": [icon_hdd()],
    "icon_cdrom.ico": [icon_cdrom()],
    "icon_network.ico": [icon_network()],
    "icon_removable.ico": [icon_removable()],
    "icon_nodisk.ico": [icon_no_disk()],
    "icon_unknown.ico": [icon_unknown()],
    "icon_zip.ico": [icon_zip()],
    "icon_processor.ico": [icon_processor()],
    "icon_extended.ico": [icon_extended()],
    "icon_dirview.ico": [icon_folder()],
    "icon_options.ico": [icon_options()],
    "icon_pie.ico": [icon_pie()],
    "icon_monitor.ico": [icon_monitor()],
    "icon_power.ico": [icon_power()],
    "icon_notice.ico": [icon_notice()],
}

# Tray icons: 16 colours, as the tray shows them.
TRAY_ICONS = {
    "icon_tray_enabled.ico": icon_tray_enabled(),
    "icon_tray_disabled.ico": icon_tray_disabled(),
}

BITMAPS = {
    "logo_amd.bmp": (logo_amd(), 24),
    "logo_cyrix.bmp": (logo_cyrix(), 24),
    "logo_intel.bmp": (logo_intel(), 24),
    "logo_centaur.bmp": (logo_centaur(), 8),
    "tree_images.bmp": (tree_images(), 24),
    "bitmap_tray_area.bmp": (bitmap_tray_area(), 4),
    "bitmap_splash.bmp": (bitmap_splash(), 24),
}

CURSORS = {
    "cursor_hand.cur": (cursor_pointing_hand(), (13, 3)),
    "cursor_openhand.cur": (cursor_open_hand(), (15, 11)),
    "cursor_arrow.cur": (cursor_arrow(), (2, 3)),
}


def main(argv):
    out = argv[1] if len(argv) > 1 else HERE
    for name, images in ICONS.items():
        write_group(os.path.join(out, name), images, 1)
    for name, (image, hot) in CURSORS.items():
        if image.get(*hot) is None:
            raise ValueError(name + ": hot spot on a transparent pixel")
        write_group(os.path.join(out, name), [image], 2, [hot])
    for name, images in TRAY_ICONS.items():
        write_group(os.path.join(out, name), images, 1, bits=4)
    for name, (image, bits) in BITMAPS.items():
        write_bmp(os.path.join(out, name), image, bits)
    write_clip(os.path.join(out, "clip_about.avi"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
