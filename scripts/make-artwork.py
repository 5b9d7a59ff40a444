#!/usr/bin/env python3
"""Draws Typorama's artwork and writes it next to the resource scripts:

  src/ui/res/toolbar.bmp   the 16x16 image strip (24-bit, magenta = transparent)
  src/ui/res/typorama.ico  the program icon, 16, 32 and 48 pixels, 32-bit with masks
  src/ui/res/about.bmp     the picture of the about box

Python's standard library only; the generated files are kept in the repository
so that a build never needs Python. The strip's indices are fixed: the program
names them in src/ui/image_strip.h, and a new picture takes a free index.
"""
import math
import os
import struct

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "src", "ui", "res")

MAGENTA = (255, 0, 255)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
DARK = (64, 64, 64)
GREY = (128, 128, 128)
LIGHT = (212, 212, 212)


# ---------------------------------------------------------------- writers

def write_bmp24(path, width, height, pixel):
    """pixel(x, y) -> (r, g, b), y downwards."""
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (stride - len(row))
        rows.append(bytes(row))
    data = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def icon_image(size, pixel):
    """One icon entry: BITMAPINFOHEADER, BGRA rows and the AND mask, bottom-up."""
    xor = bytearray()
    mask = bytearray()
    mask_stride = ((size + 31) // 32) * 4
    for y in range(size - 1, -1, -1):
        bits = bytearray(mask_stride)
        for x in range(size):
            r, g, b, a = pixel(x, y)
            xor += bytes((b, g, r, a))
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return info + bytes(xor) + bytes(mask)


def write_ico(path, images):
    """images: list of (size, bytes)."""
    head = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for size, data in images:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(head + entries + b"".join(d for _, d in images))


# ---------------------------------------------------------------- pixel canvas

class Canvas:
    def __init__(self, width, height, fill):
        self.w, self.h = width, height
        self.px = [[fill] * width for _ in range(height)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def get(self, x, y):
        return self.px[y][x]

    def fill(self, x0, y0, x1, y1, c):  # inclusive corners
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        for x in range(x0, x1 + 1):
            self.set(x, y0, c)
            self.set(x, y1, c)
        for y in range(y0, y1 + 1):
            self.set(x0, y, c)
            self.set(x1, y, c)

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.set(x0, y0, c)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def disc(self, cx, cy, r, c):
        for y in range(self.h):
            for x in range(self.w):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                    self.set(x, y, c)

    def pattern(self, x0, y0, rows, colours):
        """rows: strings; each character looks up a colour, '.' leaves the pixel."""
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch != ".":
                    self.set(x0 + dx, y0 + dy, colours[ch])


# ---------------------------------------------------------------- the image strip

STRIP_COUNT = 40


def check_box(c, ticked):
    c.frame(1, 1, 14, 14, GREY)
    c.frame(2, 2, 13, 13, DARK)
    c.fill(3, 3, 12, 12, WHITE)
    if ticked:
        tick = [(4, 7), (5, 8), (6, 9), (7, 8), (8, 7), (9, 6), (10, 5), (11, 4)]
        for x, y in tick:
            c.fill(x, y, x, y + 2, (24, 24, 24))


def badge(c, colour, rim):
    c.disc(8, 8, 7, rim)
    c.disc(8, 8, 6, colour)
    c.fill(7, 4, 8, 5, WHITE)     # the dot of the i
    c.fill(7, 7, 8, 11, WHITE)    # its stem
    c.fill(6, 7, 6, 7, WHITE)
    c.fill(6, 11, 9, 11, WHITE)


def folder(c, x=0, y=0):
    body, edge, tab = (240, 200, 80), (160, 120, 30), (250, 222, 130)
    c.fill(x + 1, y + 3, x + 6, y + 4, tab)
    c.frame(x + 1, y + 3, x + 6, y + 4, edge)
    c.fill(x + 1, y + 5, x + 14, y + 13, body)
    c.frame(x + 1, y + 5, x + 14, y + 13, edge)
    c.line(x + 2, y + 6, x + 13, y + 6, tab)


def folder_browser(c):
    folder(c, 0, 0)
    # a magnifier over the folder's corner
    c.disc(10.5, 9.5, 3.6, (40, 60, 110))
    c.disc(10.5, 9.5, 2.6, (200, 230, 255))
    c.line(13, 12, 15, 14, (40, 40, 40))
    c.line(12, 13, 14, 15, (40, 40, 40))


GLYPH_A = [
    "..##..",
    ".####.",
    "##..##",
    "##..##",
    "######",
    "##..##",
    "##..##",
]


def loaded_fonts(c):
    # two sheets, the front one with a bold A
    c.fill(4, 1, 14, 12, LIGHT)
    c.frame(4, 1, 14, 12, GREY)
    c.fill(1, 3, 11, 14, WHITE)
    c.frame(1, 3, 11, 14, DARK)
    c.pattern(3, 5, GLYPH_A, {"#": (30, 60, 150)})


def character_map(c):
    c.fill(0, 0, 15, 15, WHITE)
    for i in range(0, 16, 5):
        c.line(i, 0, i, 15, GREY)
        c.line(0, i, 15, i, GREY)
    c.fill(6, 6, 9, 9, (50, 90, 200))
    c.pattern(1, 1, ["###", "#.#", "###"], {"#": BLACK})   # tiny o
    c.pattern(11, 1, ["#.#", ".#.", "#.#"], {"#": BLACK})  # tiny x
    c.pattern(1, 11, ["##.", "#.#", "##."], {"#": BLACK})  # tiny b
    c.pattern(11, 11, [".#.", "#.#", "###"], {"#": BLACK})
    c.pattern(7, 7, ["##", "##"], {"#": WHITE})


def printer(c):
    c.fill(4, 1, 11, 6, WHITE)
    c.frame(4, 1, 11, 6, GREY)
    c.fill(1, 6, 14, 11, (180, 180, 180))
    c.frame(1, 6, 14, 11, DARK)
    c.fill(12, 8, 12, 8, (40, 200, 40))
    c.fill(4, 10, 11, 14, WHITE)
    c.frame(4, 10, 11, 14, GREY)
    c.line(5, 12, 10, 12, GREY)


def tray(c):
    edge, inside = (70, 70, 70), (190, 190, 190)
    c.fill(1, 11, 14, 14, inside)
    c.frame(1, 11, 14, 14, edge)
    c.line(4, 11, 11, 11, inside)
    c.line(4, 12, 11, 12, edge)


def arrow_down(c, x, y, colour, rim):
    # shaft three pixels wide, head nine wide
    c.fill(x - 1, y, x + 1, y + 4, colour)
    for i in range(5):
        c.fill(x - 4 + i, y + 5 + i, x + 4 - i, y + 5 + i, colour)
    c.frame(x - 2, y - 1, x + 2, y + 4, rim)
    c.fill(x - 1, y, x + 1, y + 5, colour)


def install(c):
    tray(c)
    green, rim = (40, 170, 60), (20, 100, 30)
    c.fill(7, 0, 9, 4, green)
    for i in range(5):
        c.fill(4 + i, 5 + i, 12 - i, 5 + i, green)
    c.set(3, 5, rim)
    c.set(13, 5, rim)


def uninstall(c):
    tray(c)
    red = (200, 50, 40)
    for i in range(5):
        c.fill(8 - i, i, 8 + i, i, red)
    c.fill(7, 5, 9, 9, red)


def delete(c):
    red = (215, 45, 35)
    for i in range(12):
        for t in (-1, 0, 1):
            c.set(2 + i + t, 2 + i, red)
            c.set(13 - i + t, 2 + i, red)


def funnel(c):
    body, edge = (90, 140, 220), (30, 60, 130)
    for i in range(7):
        c.fill(1 + i, 2 + i, 14 - i, 2 + i, body)
        c.set(1 + i, 2 + i, edge)
        c.set(14 - i, 2 + i, edge)
    c.line(1, 2, 14, 2, edge)
    c.fill(7, 9, 8, 14, body)
    c.frame(6, 9, 9, 14, edge)
    c.fill(7, 9, 8, 13, body)


def text_lines(c, x0, ys, x1, colour=GREY):
    for y in ys:
        c.line(x0, y, x1, y, colour)


def check_boxes_toggle(c):
    c.frame(0, 4, 8, 12, DARK)
    c.fill(1, 5, 7, 11, WHITE)
    for x, y in [(2, 7), (3, 8), (4, 9), (5, 8), (6, 7), (7, 6)]:
        c.fill(x, y, x, y + 1, BLACK)
    text_lines(c, 10, (5, 8, 11), 15)


def installed_marks(c):
    c.disc(5, 8, 4.6, (20, 100, 30))
    c.disc(5, 8, 3.6, (40, 170, 60))
    c.fill(4, 6, 5, 10, WHITE)
    text_lines(c, 11, (5, 8, 11), 15)


def name_line(c):
    c.pattern(1, 1, GLYPH_A, {"#": (20, 20, 20)})
    c.pattern(8, 1, GLYPH_A, {"#": (20, 20, 20)})
    c.fill(1, 11, 14, 11, (50, 90, 200))
    c.fill(1, 13, 10, 13, GREY)


def sample_text(c):
    big = {"#": (20, 20, 20)}
    c.pattern(0, 3, ["...##...", "..####..", ".##..##.", ".##..##.", ".######.", "##....##", "##....##",
                     "##....##"], big)
    c.pattern(9, 6, [".###.", "....#", ".####", "#...#", ".####"], big)
    c.line(0, 13, 15, 13, (200, 60, 50))


def font_information(c):
    c.fill(2, 0, 12, 15, WHITE)
    c.frame(2, 0, 12, 15, GREY)
    text_lines(c, 4, (3, 5, 7), 10, LIGHT)
    c.disc(11, 11, 4.6, (30, 70, 170))
    c.fill(10, 8, 11, 8, WHITE)
    c.fill(10, 10, 11, 13, WHITE)


def small_arrow_down(c):
    # status-bar drop-down mark: drawn at the image's top left, five pixels wide
    for i in range(3):
        c.fill(1 + i, 1 + i, 5 - i, 1 + i, BLACK)


STRIP = {
    0: lambda c: check_box(c, False),
    1: lambda c: check_box(c, True),
    3: lambda c: badge(c, (40, 100, 215), (20, 55, 140)),
    4: lambda c: badge(c, (140, 70, 190), (85, 35, 120)),
    5: lambda c: badge(c, (50, 165, 70), (25, 100, 40)),
    6: folder_browser,
    7: loaded_fonts,
    8: character_map,
    9: printer,
    10: install,
    11: uninstall,
    12: delete,
    13: funnel,
    14: check_boxes_toggle,
    15: installed_marks,
    16: name_line,
    17: sample_text,
    18: font_information,
    36: small_arrow_down,
}


def make_strip():
    strip = Canvas(16 * STRIP_COUNT, 16, MAGENTA)
    for index, draw in STRIP.items():
        tile = Canvas(16, 16, MAGENTA)
        draw(tile)
        for y in range(16):
            for x in range(16):
                strip.set(index * 16 + x, y, tile.get(x, y))
    write_bmp24(os.path.join(OUT, "toolbar.bmp"), strip.w, strip.h, strip.get)


# ---------------------------------------------------------------- the icon

def segment_distance(px, py, ax, ay, bx, by):
    vx, vy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * vx + (py - ay) * vy) / (vx * vx + vy * vy)))
    return math.hypot(px - (ax + t * vx), py - (ay + t * vy))


def in_rounded_square(x, y, inset, radius):
    lo, hi = inset, 1 - inset
    if not (lo <= x <= hi and lo <= y <= hi):
        return False
    cx = min(max(x, lo + radius), hi - radius)
    cy = min(max(y, lo + radius), hi - radius)
    return math.hypot(x - cx, y - cy) <= radius


def icon_sample(x, y):
    """Colour and coverage at a point of the unit square."""
    if not in_rounded_square(x, y, 0.03, 0.2):
        return None
    # the letters "Ty" in white
    stroke = 0.065
    letter = (
        (0.14 <= x <= 0.58 and 0.2 <= y <= 0.33)           # T's bar
        or (0.29 <= x <= 0.43 and 0.2 <= y <= 0.8)         # T's stem
        or segment_distance(x, y, 0.52, 0.42, 0.69, 0.7) <= stroke
        or segment_distance(x, y, 0.84, 0.42, 0.63, 0.83) <= stroke
    )
    if letter:
        return (255, 255, 255)
    # a deep blue that lightens towards the top left, with a darker rim
    if not in_rounded_square(x, y, 0.075, 0.16):
        return (18, 42, 110)
    t = (x + y) / 2
    return (int(60 - 35 * t), int(120 - 65 * t), int(225 - 70 * t))


def icon_pixel(size):
    n = 4  # samples per axis

    def pixel(px, py):
        r = g = b = hits = 0
        for sy in range(n):
            for sx in range(n):
                c = icon_sample((px + (sx + 0.5) / n) / size, (py + (sy + 0.5) / n) / size)
                if c:
                    r, g, b, hits = r + c[0], g + c[1], b + c[2], hits + 1
        if not hits:
            return (0, 0, 0, 0)
        # colours are straight (not premultiplied) in icons
        return (r // hits, g // hits, b // hits, 255 * hits // (n * n))

    return pixel


def make_icon():
    write_ico(os.path.join(OUT, "typorama.ico"), [(s, icon_image(s, icon_pixel(s))) for s in (16, 32, 48)])


# ---------------------------------------------------------------- the about picture

FONT = {  # 5 x 9 cells: rows 0-6 above the baseline, 7-8 descenders
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#..", ".....", "....."],
    "y": [".....", ".....", "#...#", "#...#", "#...#", ".####", "....#", "#...#", ".###."],
    "p": [".....", ".....", "####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    "o": [".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###.", ".....", "....."],
    "r": [".....", ".....", "#.##.", "##..#", "#....", "#....", "#....", ".....", "....."],
    "a": [".....", ".....", ".###.", "....#", ".####", "#...#", ".####", ".....", "....."],
    "m": [".....", ".....", "##.#.", "#.#.#", "#.#.#", "#.#.#", "#.#.#", ".....", "....."],
    "f": ["..##.", ".#...", ".#...", "####.", ".#...", ".#...", ".#...", ".....", "....."],
    "n": [".....", ".....", "####.", "#...#", "#...#", "#...#", "#...#", ".....", "....."],
    "t": [".#...", ".#...", "####.", ".#...", ".#...", ".#..#", "..##.", ".....", "....."],
    "g": [".....", ".....", ".####", "#...#", "#...#", ".####", "....#", "#...#", ".###."],
    "e": [".....", ".....", ".###.", "#...#", "#####", "#....", ".###.", ".....", "....."],
    " ": ["....."] * 9,
}


def text_width(text, scale, gap):
    return len(text) * (5 + gap) * scale - gap * scale


def draw_text(c, text, x, y, scale, colour, gap=1):
    for ch in text:
        for row, bits in enumerate(FONT[ch]):
            for col, bit in enumerate(bits):
                if bit == "#":
                    c.fill(x + col * scale, y + row * scale, x + col * scale + scale - 1,
                           y + row * scale + scale - 1, colour)
        x += (5 + gap) * scale


def make_about():
    w, h = 400, 240
    c = Canvas(w, h, WHITE)
    for y in range(h):
        t = y / (h - 1)
        colour = (int(236 - 30 * t), int(242 - 22 * t), 255)
        for x in range(w):
            c.px[y][x] = colour
    # a faint ribbon of the name along the bottom
    ribbon = "Typorama Typorama Typorama"
    draw_text(c, ribbon, (w - text_width(ribbon, 2, 1)) // 2, 200, 2, (196, 208, 236))
    title, scale = "Typorama", 6
    tx = (w - text_width(title, scale, 1)) // 2
    draw_text(c, title, tx + 3, 58 + 3, scale, (150, 165, 205))  # shadow
    draw_text(c, title, tx, 58, scale, (25, 50, 120))
    c.fill(tx, 126, w - tx, 128, (230, 120, 40))
    sub, sub_scale = "font manager", 2
    draw_text(c, sub, (w - text_width(sub, sub_scale, 1)) // 2, 142, sub_scale, (70, 80, 110))
    c.frame(0, 0, w - 1, h - 1, (120, 135, 175))
    write_bmp24(os.path.join(OUT, "about.bmp"), w, h, c.get)


if __name__ == "__main__":
    os.makedirs(OUT, exist_ok=True)
    make_strip()
    make_icon()
    make_about()
