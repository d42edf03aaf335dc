#!/usr/bin/env python3
"""Draws the pictures of the volume sliders into resources/bitmaps/:

133.png  channel, 240 x 17: a sunken groove on the form's grey with a quiet scale
134.png  active channel, 240 x 17: the same groove filled in sage green, shown left of the thumb
135.png  thumb, 23 x 11: a rounded grip; magenta (its pixel 0, 0) is the transparent colour
136.png  active thumb, 23 x 11: the same grip tinted green while it is dragged

Only the standard library is used, so the pictures can be made again anywhere.
"""

import pathlib
import struct
import zlib

OUT = pathlib.Path(__file__).resolve().parent.parent / "resources" / "bitmaps"

FORM = (239, 239, 239)
KEY = (255, 0, 255)

CHANNEL_W, CHANNEL_H = 240, 17
THUMB_W, THUMB_H = 23, 11
# Where the slider keeps the thumb: margins 2 left and right, 3 at the top.
MARGIN_LEFT, MARGIN_RIGHT, MARGIN_TOP = 2, 2, 3
STEPS = 20


def write_png(path, pixels):
    height = len(pixels)
    width = len(pixels[0])
    raw = b"".join(b"\x00" + bytes(c for pixel in row for c in pixel) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    path.write_bytes(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
                     + chunk(b"IEND", b""))


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def inside_rounded(x, y, left, top, right, bottom, radius):
    """Whether the pixel centre lies in the rounded rectangle with inclusive pixel bounds."""
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius + 0.5


def channel(active):
    pixels = [[FORM for _ in range(CHANNEL_W)] for _ in range(CHANNEL_H)]
    left, right = MARGIN_LEFT + 3, CHANNEL_W - MARGIN_RIGHT - 4
    top, bottom = 6, 10
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            if not inside_rounded(x, y, left, top, right, bottom, 2):
                continue
            if active:
                # Deeper green towards the loud end.
                fill = mix((178, 211, 196), (92, 150, 128), (x - left) / (right - left))
            else:
                fill = (214, 216, 218)
            on_edge = any(not inside_rounded(x + dx, y + dy, left, top, right, bottom, 2)
                          for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            # Lit from above: a shadowed upper rim, a light lower one.
            if on_edge:
                fill = (118, 126, 132) if y < bottom else (252, 252, 252)
            pixels[y][x] = fill
    # A quiet scale below the thumb, one mark per position, a longer one at the ends and the middle.
    track = CHANNEL_W - MARGIN_LEFT - MARGIN_RIGHT - THUMB_W
    for step in range(STEPS + 1):
        x = MARGIN_LEFT + int(track * step / STEPS) + THUMB_W // 2
        length = 2 if step in (0, STEPS // 2, STEPS) else 1
        for y in range(MARGIN_TOP + THUMB_H + 1, MARGIN_TOP + THUMB_H + 1 + length):
            pixels[y][x] = (168, 172, 176)
    return pixels


def thumb(active):
    if active:
        light, dark, border, grip = (236, 246, 241), (150, 196, 176), (52, 104, 86), (62, 118, 98)
    else:
        light, dark, border, grip = (252, 252, 250), (206, 210, 214), (104, 112, 120), (138, 146, 154)
    pixels = [[KEY for _ in range(THUMB_W)] for _ in range(THUMB_H)]
    right, bottom = THUMB_W - 1, THUMB_H - 1
    for y in range(THUMB_H):
        for x in range(THUMB_W):
            if not inside_rounded(x, y, 0, 0, right, bottom, 4):
                continue
            on_edge = any(not inside_rounded(x + dx, y + dy, 0, 0, right, bottom, 4)
                          for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            pixels[y][x] = border if on_edge else mix(light, dark, y / bottom)
    for x in (THUMB_W // 2 - 3, THUMB_W // 2, THUMB_W // 2 + 3):
        for y in range(3, THUMB_H - 3):
            pixels[y][x] = grip
    assert pixels[0][0] == KEY
    return pixels


def main():
    OUT.mkdir(parents=True, exist_ok=True)
    write_png(OUT / "133.png", channel(active=False))
    write_png(OUT / "134.png", channel(active=True))
    write_png(OUT / "135.png", thumb(active=False))
    write_png(OUT / "136.png", thumb(active=True))


if __name__ == "__main__":
    main()
