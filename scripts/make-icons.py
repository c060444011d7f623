#!/usr/bin/env python3
"""Draws the program's icons as palette PNG files (standard library only).

    python3 scripts/make-icons.py            # writes resources/icons/*.png

ZVXTOD, ZVXMAIN and PSWICO: 32 x 32 with at most 16 colours;
ZVXICON: 48 x 48 with at most 256 colours.
The icon push buttons' twelve icons (ICOOKUP ... ICOHELPDISABLED): 32 x 32,
16 colours; the pressed image is the released one moved down and right by one
pixel, the disabled one the same shape in greys.
"""
import math
import os
import struct
import zlib

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "icons")


class Canvas:
    def __init__(self, size, palette):
        self.size = size
        self.palette = [(0, 0, 0)] + palette  # index 0 is transparent
        self.px = [[0] * size for _ in range(size)]

    def put(self, x, y, c):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.px[y][x] = c

    def fill(self, inside, c):
        for y in range(self.size):
            for x in range(self.size):
                if inside(x + 0.5, y + 0.5):
                    self.px[y][x] = c

    def disc(self, cx, cy, r, c):
        self.fill(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r, c)

    def ring(self, cx, cy, r1, r2, c):
        self.fill(lambda x, y: r1 * r1 <= (x - cx) ** 2 + (y - cy) ** 2 <= r2 * r2, c)

    def rect(self, x0, y0, x1, y1, c):
        self.fill(lambda x, y: x0 <= x <= x1 and y0 <= y <= y1, c)

    def line(self, x0, y0, x1, y1, w, c):
        def inside(x, y):
            dx, dy = x1 - x0, y1 - y0
            t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
            return math.hypot(x - (x0 + t * dx), y - (y0 + t * dy)) <= w / 2
        self.fill(inside, c)

    def ellipse(self, cx, cy, rx, ry, angle, c):
        ca, sa = math.cos(angle), math.sin(angle)

        def inside(x, y):
            u = (x - cx) * ca + (y - cy) * sa
            v = -(x - cx) * sa + (y - cy) * ca
            return (u / rx) ** 2 + (v / ry) ** 2 <= 1
        self.fill(inside, c)

    def save(self, name):
        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

        raw = b"".join(b"\x00" + bytes(row) for row in self.px)
        plte = b"".join(bytes(rgb) for rgb in self.palette)
        png = b"\x89PNG\r\n\x1a\n"
        png += chunk(b"IHDR", struct.pack(">IIBBBBB", self.size, self.size, 8, 3, 0, 0, 0))
        png += chunk(b"PLTE", plte)
        png += chunk(b"tRNS", b"\x00")
        png += chunk(b"IDAT", zlib.compress(raw, 9))
        png += chunk(b"IEND", b"")
        with open(os.path.join(OUT, name + ".png"), "wb") as f:
            f.write(png)


def zvxtod():
    # A green disc with a ripe ear of grain.
    c = Canvas(32, [(0, 100, 40), (40, 150, 60), (230, 190, 40), (150, 110, 20), (255, 255, 255)])
    c.disc(16, 16, 15.5, 1)
    c.disc(16, 16, 13.5, 2)
    c.line(16, 27, 16, 8, 1.6, 4)
    for i, y in enumerate((10, 14, 18, 22)):
        c.ellipse(12.5, y, 3.2, 1.6, 0.6, 3)
        c.ellipse(19.5, y, 3.2, 1.6, -0.6, 3)
    c.ellipse(16, 7, 1.6, 3, 0, 3)
    return c


def zvxmain():
    # A blue tile with a white Z over a gold baseline.
    c = Canvas(32, [(20, 60, 140), (60, 110, 200), (255, 255, 255), (230, 190, 40)])
    c.rect(1, 1, 31, 31, 1)
    c.rect(3, 3, 29, 29, 2)
    c.line(9, 8, 23, 8, 3, 3)
    c.line(23, 8, 9, 22, 3, 3)
    c.line(9, 22, 23, 22, 3, 3)
    c.rect(6, 26, 26, 27.5, 4)
    return c


def zvxicon():
    # ZVXMAIN's design at 48 x 48 over a vertical blue shade.
    shades = [(10 + i * 2, 40 + i * 3, 110 + i * 4) for i in range(32)]
    c = Canvas(48, shades + [(255, 255, 255), (230, 190, 40), (0, 30, 80)])
    white, gold, edge = 33, 34, 35
    for y in range(48):
        for x in range(48):
            if 2 <= x <= 45 and 2 <= y <= 45:
                c.px[y][x] = 1 + min(31, y * 32 // 48)
            elif 1 <= x <= 46 and 1 <= y <= 46:
                c.px[y][x] = edge
    c.line(13, 12, 35, 12, 4.5, white)
    c.line(35, 12, 13, 33, 4.5, white)
    c.line(13, 33, 35, 33, 4.5, white)
    c.rect(9, 39, 39, 41, gold)
    return c


def pswico():
    # A gold key.
    c = Canvas(32, [(150, 110, 20), (230, 190, 40), (255, 240, 160)])
    c.ring(10, 11, 3, 7.5, 1)
    c.ring(10, 11, 4, 6.5, 2)
    c.line(15, 16, 27, 28, 4, 1)
    c.line(15.5, 16.5, 26.5, 27.5, 2, 2)
    c.line(22, 23, 19, 26, 3, 1)
    c.line(25, 26, 22.5, 28.5, 3, 1)
    c.disc(8, 9, 1.2, 3)
    return c


def button_icon(shape, colour, dark, state):
    # One of the push buttons' icons: a shape in a colour with a darker edge;
    # "down" moves it one pixel down and right, "disabled" draws it in greys.
    if state == "disabled":
        colour, dark = (160, 160, 160), (110, 110, 110)
    c = Canvas(32, [dark, colour, (255, 255, 255)])
    d = 1 if state == "down" else 0
    shape(c, d)
    return c


def tick(c, d):
    c.line(6 + d, 17 + d, 13 + d, 25 + d, 6, 1)
    c.line(13 + d, 25 + d, 27 + d, 7 + d, 6, 1)
    c.line(6 + d, 17 + d, 13 + d, 25 + d, 3.5, 2)
    c.line(13 + d, 25 + d, 27 + d, 7 + d, 3.5, 2)


def cross(c, d):
    for (x0, y0, x1, y1) in ((7, 7, 25, 25), (25, 7, 7, 25)):
        c.line(x0 + d, y0 + d, x1 + d, y1 + d, 6, 1)
    for (x0, y0, x1, y1) in ((7, 7, 25, 25), (25, 7, 7, 25)):
        c.line(x0 + d, y0 + d, x1 + d, y1 + d, 3.5, 2)


def barred_circle(c, d):
    c.ring(16 + d, 16 + d, 8.5, 13.5, 1)
    c.ring(16 + d, 16 + d, 9.5, 12.5, 2)
    c.line(9 + d, 23 + d, 23 + d, 9 + d, 5, 1)
    c.line(9.5 + d, 22.5 + d, 22.5 + d, 9.5 + d, 3, 2)


def question_mark(c, d):
    c.disc(16 + d, 16 + d, 14, 1)
    c.disc(16 + d, 16 + d, 12.5, 2)
    c.ring(16 + d, 12 + d, 2.5, 5.5, 3)
    c.rect(9 + d, 12 + d, 16 + d, 18 + d, 2)
    c.rect(14.5 + d, 16 + d, 17.5 + d, 20 + d, 3)
    c.disc(16 + d, 24 + d, 1.8, 3)


BUTTON_ICONS = (
    ("ICOOK", tick, (40, 170, 60), (0, 100, 30)),
    ("ICOCANCEL", cross, (220, 50, 40), (140, 20, 10)),
    ("ICONO", barred_circle, (220, 50, 40), (140, 20, 10)),
    ("ICOHELP", question_mark, (50, 100, 210), (20, 50, 130)),
)


if __name__ == "__main__":
    os.makedirs(OUT, exist_ok=True)
    for name, draw in (("ZVXTOD", zvxtod), ("ZVXMAIN", zvxmain), ("ZVXICON", zvxicon), ("PSWICO", pswico)):
        draw().save(name)
    for prefix, shape, colour, dark in BUTTON_ICONS:
        for state, suffix in (("up", "UP"), ("down", "DOWN"), ("disabled", "DISABLED")):
            button_icon(shape, colour, dark, state).save(prefix + suffix)
