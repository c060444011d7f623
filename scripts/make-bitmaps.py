#!/usr/bin/env python3
"""Draws the program's bitmaps as PNG files (standard library only).

    python3 scripts/make-bitmaps.py          # writes resources/bitmaps/*.png

SPLASH_BMP      350 x 282, 24-bit colour: the picture of the splash screen
LOCKEDBITMAP     32 x 32, 16 colours: a closed safe
UNLOCKEDBITMAP   32 x 32, 16 colours: an open safe
LIGHTBULB        48 x 48, 16 colours: a lit bulb with an exclamation mark on a cyan diamond
IBM_CALUP        26 x 21, 16 colours: raised button face with a calendar sheet (title bar over
                 a grid of coloured squares)
IBM_CALDN        26 x 21, 16 colours: the same pressed: sunken frame, sheet moved down and right
IBM_MAGNIFUP     22 x 21, 16 colours: raised button face with a magnifier
IBM_MAGNIFDN     22 x 21, 16 colours: the same pressed
"""
import math
import os
import struct
import zlib

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "bitmaps")


def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


class Canvas:
    """A picture of palette indices (palette=list) or of RGB triples (palette=None)."""

    def __init__(self, width, height, background, palette=None):
        self.w, self.h = width, height
        self.palette = palette
        self.px = [[background] * width for _ in range(height)]

    def put(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def fill(self, box, inside, c):
        x0, y0, x1, y1 = box
        for y in range(max(0, int(y0)), min(self.h, int(math.ceil(y1)) + 1)):
            for x in range(max(0, int(x0)), min(self.w, int(math.ceil(x1)) + 1)):
                if inside(x + 0.5, y + 0.5):
                    self.px[y][x] = c(x, y) if callable(c) else c

    def rect(self, x0, y0, x1, y1, c):
        self.fill((x0, y0, x1, y1), lambda x, y: x0 <= x <= x1 and y0 <= y <= y1, c)

    def disc(self, cx, cy, r, c):
        self.fill((cx - r, cy - r, cx + r, cy + r), lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r, c)

    def ring(self, cx, cy, r1, r2, c):
        self.fill((cx - r2, cy - r2, cx + r2, cy + r2),
                  lambda x, y: r1 * r1 <= (x - cx) ** 2 + (y - cy) ** 2 <= r2 * r2, c)

    def ellipse(self, cx, cy, rx, ry, angle, c):
        ca, sa = math.cos(angle), math.sin(angle)
        r = max(rx, ry)

        def inside(x, y):
            u = (x - cx) * ca + (y - cy) * sa
            v = -(x - cx) * sa + (y - cy) * ca
            return (u / rx) ** 2 + (v / ry) ** 2 <= 1
        self.fill((cx - r, cy - r, cx + r, cy + r), inside, c)

    def line(self, x0, y0, x1, y1, w, c):
        dx, dy = x1 - x0, y1 - y0
        length2 = dx * dx + dy * dy or 1e-9

        def inside(x, y):
            t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
            return math.hypot(x - (x0 + t * dx), y - (y0 + t * dy)) <= w / 2
        self.fill((min(x0, x1) - w, min(y0, y1) - w, max(x0, x1) + w, max(y0, y1) + w), inside, c)

    def polygon(self, points, c):
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]

        def inside(x, y):
            hit = False
            j = len(points) - 1
            for i in range(len(points)):
                xi, yi = points[i]
                xj, yj = points[j]
                if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                    hit = not hit
                j = i
            return hit
        self.fill((min(xs), min(ys), max(xs), max(ys)), inside, c)

    def save(self, name):
        png = b"\x89PNG\r\n\x1a\n"
        if self.palette is None:
            raw = b"".join(b"\x00" + b"".join(bytes(p) for p in row) for row in self.px)
            png += png_chunk(b"IHDR", struct.pack(">IIBBBBB", self.w, self.h, 8, 2, 0, 0, 0))
        else:
            assert len(self.palette) <= 16
            raw = b"".join(b"\x00" + bytes(row) for row in self.px)
            png += png_chunk(b"IHDR", struct.pack(">IIBBBBB", self.w, self.h, 8, 3, 0, 0, 0))
            png += png_chunk(b"PLTE", b"".join(bytes(rgb) for rgb in self.palette))
        png += png_chunk(b"IDAT", zlib.compress(raw, 9))
        png += png_chunk(b"IEND", b"")
        with open(os.path.join(OUT, name + ".png"), "wb") as f:
            f.write(png)


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def splash():
    # Ripe wheat before green hills under a morning sky.
    w, h = 350, 282
    c = Canvas(w, h, (255, 255, 255))
    sky_top, sky_low = (70, 130, 200), (225, 238, 250)
    for y in range(h):
        for x in range(w):
            c.px[y][x] = mix(sky_top, sky_low, y / 170)
    c.disc(270, 62, 34, lambda x, y: mix((255, 250, 200), (255, 215, 90), math.hypot(x - 270, y - 62) / 34))

    def hill(base, amp, freq, phase, top, low):
        def inside(x, y):
            return y >= base + amp * math.sin(x * freq + phase)
        c.fill((0, base - amp, w - 1, h - 1), inside, lambda x, y: mix(top, low, (y - base + amp) / 110))
    hill(150, 14, 0.016, 0.4, (120, 170, 80), (70, 120, 50))
    hill(178, 10, 0.022, 2.1, (95, 150, 60), (50, 100, 40))
    hill(205, 6, 0.03, 1.0, (210, 170, 70), (170, 125, 40))

    # Stalks and ears.
    gold, dark = (225, 180, 60), (165, 120, 30)
    for i, (x0, top, lean) in enumerate(((22, 96, -8), (48, 80, -3), (76, 104, 4), (300, 100, 6),
                                         (324, 86, 2), (110, 128, 7), (262, 124, -6))):
        base = h - 2
        tipx = x0 + lean
        c.line(x0, base, tipx, top + 40, 2.4, (180, 145, 50))
        for k in range(6):
            y = top + 8 + k * 6
            t = (y - top) / 40
            cx = tipx + lean * 0.1 * (1 - t)
            c.ellipse(cx - 3.6, y, 5.2, 2.6, 0.7, gold if (k + i) % 2 else dark)
            c.ellipse(cx + 3.6, y, 5.2, 2.6, -0.7, dark if (k + i) % 2 else gold)
        c.ellipse(tipx, top + 3, 2.6, 5.2, 0, gold)
        for k in range(5):
            c.line(tipx + (k - 2) * 2, top + 2, tipx + (k - 2) * 5, top - 14, 0.8, (200, 160, 60))
    return c


PALETTE16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER, GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, CYAN, WHITE = range(16)


def safe(open_door):
    c = Canvas(32, 32, SILVER, PALETTE16)
    c.rect(0, 0, 31, 31, SILVER)
    # Body.
    c.rect(3, 4, 28, 27, BLACK)
    c.rect(4, 5, 27, 26, GREY)
    c.rect(7, 28, 9, 30, BLACK)
    c.rect(22, 28, 24, 30, BLACK)
    if not open_door:
        c.rect(6, 7, 25, 24, SILVER)
        c.rect(6, 7, 25, 7.9, WHITE)
        c.rect(6, 7, 6.9, 24, WHITE)
        c.disc(15.5, 15.5, 5.5, BLACK)
        c.disc(15.5, 15.5, 4.5, NAVY)
        c.disc(15.5, 15.5, 1.6, WHITE)
        c.line(15.5, 15.5, 18.5, 12.5, 1.2, WHITE)
        c.rect(23, 13, 24.5, 18, BLACK)
    else:
        # The inside, with a gold bar, and the door swung out to the left.
        c.rect(6, 7, 25, 24, BLACK)
        c.rect(7, 8, 24, 23, MAROON)
        c.rect(10, 18, 21, 21, YELLOW)
        c.rect(10, 18, 21, 18.9, WHITE)
        c.rect(12, 14, 19, 17, OLIVE)
        c.polygon([(0.5, 6), (6, 7), (6, 24), (0.5, 26)], GREY)
        c.line(0.5, 6, 6, 7, 1, BLACK)
        c.line(0.5, 26, 6, 24, 1, BLACK)
        c.rect(2, 14, 3, 17, BLACK)
    return c


def lightbulb():
    c = Canvas(48, 48, SILVER, PALETTE16)
    c.polygon([(24, 1), (47, 24), (24, 47), (1, 24)], TEAL)
    c.polygon([(24, 4), (44, 24), (24, 44), (4, 24)], CYAN)
    # Rays.
    for a in range(0, 360, 45):
        r = math.radians(a)
        c.line(24 + 13 * math.cos(r), 19 + 13 * math.sin(r), 24 + 17 * math.cos(r), 19 + 17 * math.sin(r),
               1.4, YELLOW if a % 90 else WHITE)
    # Glass and base.
    c.disc(24, 19, 10.5, OLIVE)
    c.disc(24, 19, 9.5, YELLOW)
    c.polygon([(18, 25), (30, 25), (28, 31), (20, 31)], YELLOW)
    c.rect(19, 31, 29, 37, GREY)
    for y in (32.5, 35):
        c.line(19, y, 29, y, 0.9, BLACK)
    c.rect(21, 38, 27, 40, BLACK)
    c.disc(20, 14, 2.2, WHITE)
    # Exclamation mark.
    c.line(24, 12, 24, 22, 3, RED)
    c.disc(24, 26.5, 1.8, RED)
    return c


def box(c, x0, y0, x1, y1, colour):
    """Fills the pixels x0..x1, y0..y1 (both ends included)."""
    c.rect(x0, y0, x1 + 0.9, y1 + 0.9, colour)


def button_face(w, h, down):
    """A push-button face with its 3-D frame: raised, or sunken when down."""
    c = Canvas(w, h, SILVER, PALETTE16)
    if down:
        box(c, 0, 0, w - 1, 0, BLACK)
        box(c, 0, 0, 0, h - 1, BLACK)
        box(c, 1, 1, w - 2, 1, GREY)
        box(c, 1, 1, 1, h - 2, GREY)
        box(c, 0, h - 1, w - 1, h - 1, WHITE)
        box(c, w - 1, 0, w - 1, h - 1, WHITE)
    else:
        box(c, 0, 0, w - 1, 0, WHITE)
        box(c, 0, 0, 0, h - 1, WHITE)
        box(c, 0, h - 1, w - 1, h - 1, BLACK)
        box(c, w - 1, 0, w - 1, h - 1, BLACK)
        box(c, 1, h - 2, w - 2, h - 2, GREY)
        box(c, w - 2, 1, w - 2, h - 2, GREY)
    return c


def calendar_button(down):
    c = button_face(26, 21, down)
    o = 1 if down else 0
    # The sheet: a black outline, a navy title bar with two rings, white below.
    box(c, 5 + o, 3 + o, 19 + o, 16 + o, BLACK)
    box(c, 6 + o, 4 + o, 18 + o, 6 + o, NAVY)
    box(c, 8 + o, 2 + o, 8 + o, 4 + o, BLACK)
    box(c, 16 + o, 2 + o, 16 + o, 4 + o, BLACK)
    box(c, 6 + o, 7 + o, 18 + o, 15 + o, WHITE)
    # Three weeks of days as 2 x 2 squares; Sundays red, the chosen day blue.
    colours = [
        [GREY, GREY, GREY, RED],
        [GREY, BLUE, GREY, RED],
        [GREY, GREY, GREY, RED],
    ]
    for row in range(3):
        for col in range(4):
            x = 7 + col * 3 + o
            y = 8 + row * 3 + o
            box(c, x, y, x + 1, y + 1, colours[row][col])
    return c


def magnifier_button(down):
    c = button_face(22, 21, down)
    o = 1 if down else 0
    # Lens: a black ring round a light glass with a white glint; a maroon handle.
    c.line(12.5 + o, 12.5 + o, 17 + o, 17 + o, 2.6, BLACK)
    c.line(13 + o, 13 + o, 16.5 + o, 16.5 + o, 1.2, MAROON)
    c.disc(9 + o, 9 + o, 5.6, BLACK)
    c.disc(9 + o, 9 + o, 4.4, CYAN)
    box(c, 7 + o, 6 + o, 8 + o, 7 + o, WHITE)
    return c


if __name__ == "__main__":
    os.makedirs(OUT, exist_ok=True)
    splash().save("SPLASH_BMP")
    safe(False).save("LOCKEDBITMAP")
    safe(True).save("UNLOCKEDBITMAP")
    lightbulb().save("LIGHTBULB")
    calendar_button(False).save("IBM_CALUP")
    calendar_button(True).save("IBM_CALDN")
    magnifier_button(False).save("IBM_MAGNIFUP")
    magnifier_button(True).save("IBM_MAGNIFDN")
