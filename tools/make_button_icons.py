#!/usr/bin/env python3
"""Draws the check marks of the shaded check boxes: 144 (unchecked) and 143
(checked), 16 x 16 pixels with transparency, into resources/bitmaps/.

A soft rounded box in a muted green-grey; the checked one has a pale green
fill and a calm green tick. Drawn by supersampling, standard library only.

    python3 tools/make_button_icons.py
"""
import math
import os
import struct
import zlib

SIZE = 16
SAMPLES = 8  # per pixel side

BOX_CENTRE = 8.0
BOX_HALF = 6.0
BOX_RADIUS = 2.5
BORDER = 1.25
TICK = [(4.7, 8.1), (7.0, 10.6), (11.5, 5.2)]
TICK_HALF_WIDTH = 1.05

BORDER_COLOUR = (86, 112, 98)
FILL_TOP = (253, 254, 251)
FILL_BOTTOM = (228, 234, 226)
CHECKED_FILL_TOP = (232, 246, 228)
CHECKED_FILL_BOTTOM = (196, 226, 192)
TICK_COLOUR = (34, 116, 62)


def rounded_box_distance(x, y):
    qx = abs(x - BOX_CENTRE) - (BOX_HALF - BOX_RADIUS)
    qy = abs(y - BOX_CENTRE) - (BOX_HALF - BOX_RADIUS)
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - BOX_RADIUS


def segment_distance(x, y, a, b):
    ax, ay = a
    bx, by = b
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(x - ax - t * dx, y - ay - t * dy)


def mix(top, bottom, y):
    f = (y - (BOX_CENTRE - BOX_HALF)) / (2 * BOX_HALF)
    f = max(0.0, min(1.0, f))
    return tuple(t + (b - t) * f for t, b in zip(top, bottom))


def sample(x, y, checked):
    """Colour and opacity at one point: (r, g, b, a) with a in 0..1."""
    if checked and min(segment_distance(x, y, TICK[i], TICK[i + 1]) for i in range(len(TICK) - 1)) <= TICK_HALF_WIDTH:
        return TICK_COLOUR + (1.0,)
    distance = rounded_box_distance(x, y)
    if distance > 0:
        return (0, 0, 0, 0.0)
    if distance > -BORDER:
        return BORDER_COLOUR + (1.0,)
    top, bottom = (CHECKED_FILL_TOP, CHECKED_FILL_BOTTOM) if checked else (FILL_TOP, FILL_BOTTOM)
    return mix(top, bottom, y) + (1.0,)


def render(checked):
    rows = []
    for py in range(SIZE):
        row = bytearray()
        for px in range(SIZE):
            r = g = b = a = 0.0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    cr, cg, cb, ca = sample(px + (sx + 0.5) / SAMPLES, py + (sy + 0.5) / SAMPLES, checked)
                    r += cr * ca
                    g += cg * ca
                    b += cb * ca
                    a += ca
            if a > 0:
                row += bytes((round(r / a), round(g / a), round(b / a), round(255 * a / SAMPLES**2)))
            else:
                row += bytes(4)
        rows.append(bytes(row))
    return rows


def png(rows):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)  # 8-bit RGBA
    raw = b"".join(b"\x00" + row for row in rows)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "bitmaps")
    for number, checked in ((143, True), (144, False)):
        with open(os.path.join(folder, f"{number}.png"), "wb") as out:
            out.write(png(render(checked)))


if __name__ == "__main__":
    main()
