#!/usr/bin/env python3
"""Writes the pictures of the main form and the program icon as PNG files.

- resources/bitmaps/150.png  clock face background, 151 x 72
- resources/bitmaps/146.png  large digit strip 0..9, 240 x 34 (24 x 34 each)
- resources/bitmaps/153.png  small digit strip 0..9, 120 x 17 (12 x 17 each)
- resources/bitmaps/151.png  clock indicator, not running, 111 x 23
- resources/bitmaps/149.png  clock indicator, running, first blink picture
- resources/bitmaps/152.png  clock indicator, running, second blink picture
- resources/bitmaps/171.png  faint enso drawn behind the rows of the interval list
- resources/bitmaps/172.png  measuring pointer, 32 x 32, hot spot (15, 15)
- resources/icons/128_16.png, 128_32.png, 128_48.png, 128_256.png and 128.svg: program icon

The clock is an amber seven-segment display on a deep blue face; unlit segments
glow faintly so the digits read as a display, not as printed text. Shapes are
signed distance functions in pixel units, so every edge is anti-aliased by its
distance to the pixel centre. Only the standard library is used, and the output
is the same on every run.

Usage: tools/make_form_pictures.py [RESOURCE_DIRECTORY]   (default: resources)
"""

import math
import os
import struct
import sys
import zlib

# The clock's colours. The digit cells' ground is FACE, equal to the face under them.
FACE = (16, 26, 38)
FACE_EDGE_DARK = (6, 10, 16)
FACE_EDGE_LIGHT = (54, 72, 92)
LIT = (240, 176, 72)
GHOST = (27, 40, 54)
COLON = (150, 108, 46)
RUN_GREEN = (96, 200, 140)
RUN_GREEN_DIM = (52, 120, 86)
REST_BLUE = (70, 96, 124)

# Which of the segments a, b, c, d, e, f, g each digit lights.
SEGMENTS = {
    0: "abcdef", 1: "bc", 2: "abged", 3: "abgcd", 4: "fgbc",
    5: "afgcd", 6: "afgedc", 7: "abc", 8: "abcdefg", 9: "abcdfg",
}


# --- writing PNG files ----------------------------------------------------

def write_png(path, width, height, pixels):
    """pixels: rows of (r, g, b, a) tuples with channels 0..255."""
    raw = bytearray()
    for row in pixels:
        raw.append(0)
        for r, g, b, a in row:
            raw += bytes((r, g, b, a))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    data += chunk(b"IEND", b"")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as file:
        file.write(data)


# --- shapes as signed distances (negative inside), in pixels --------------

def coverage(distance):
    """The share of a pixel that a shape covers, from the distance of its centre."""
    return min(1.0, max(0.0, 0.5 - distance))


def circle(x, y, cx, cy, r):
    return math.hypot(x - cx, y - cy) - r


def capsule(x, y, ax, ay, bx, by, r):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
    return math.hypot(x - (ax + t * dx), y - (ay + t * dy)) - r


def rounded_box(x, y, x0, y0, x1, y1, r):
    """A box from (x0, y0) to (x1, y1) in pixel edges with corner radius r."""
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    qx = abs(x - cx) - ((x1 - x0) / 2 - r)
    qy = abs(y - cy) - ((y1 - y0) / 2 - r)
    return math.hypot(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0) - r


def petal(x, y, cx, cy, angle, length, width):
    """A pointed petal (the overlap of two circles) growing from (cx, cy) in direction angle."""
    ux, uy = math.sin(angle), -math.cos(angle)
    # Local coordinates: along the petal and across it.
    along = (x - cx) * ux + (y - cy) * uy - length / 2
    across = -(x - cx) * uy + (y - cy) * ux
    # Two circles of radius R whose overlap is `length` long and `width` wide.
    half_l, half_w = length / 2, width / 2
    radius = (half_l * half_l + half_w * half_w) / (2 * half_w)
    offset = radius - half_w
    return max(math.hypot(along, across - offset), math.hypot(along, across + offset)) - radius


# --- painting --------------------------------------------------------------

class Canvas:
    def __init__(self, width, height, colour=(0, 0, 0), alpha=255):
        self.width, self.height = width, height
        self.pixels = [[(float(colour[0]), float(colour[1]), float(colour[2]), alpha / 255.0)
                        for _ in range(width)] for _ in range(height)]

    def fill(self, distance, colour, opacity=1.0):
        """Paints colour over the shape given by distance(x, y) at pixel centres."""
        for row in range(self.height):
            line = self.pixels[row]
            for col in range(self.width):
                cover = coverage(distance(col + 0.5, row + 0.5)) * opacity
                if cover > 0.0:
                    r, g, b, a = line[col]
                    out_a = cover + a * (1 - cover)
                    mix = [(c * cover + old * a * (1 - cover)) / out_a for c, old in zip(colour, (r, g, b))]
                    line[col] = (mix[0], mix[1], mix[2], out_a)

    def shade(self, function):
        """Sets every pixel's colour to function(x, y, old colour)."""
        for row in range(self.height):
            for col in range(self.width):
                r, g, b, a = self.pixels[row][col]
                self.pixels[row][col] = (*function(col, row, (r, g, b)), a)

    def save(self, path):
        rows = [[tuple(int(round(max(0.0, min(255.0, v)))) for v in (r, g, b)) + (int(round(a * 255)),)
                 for r, g, b, a in line] for line in self.pixels]
        write_png(path, self.width, self.height, rows)


def blend(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


# --- the clock --------------------------------------------------------------

def seven_segment(canvas, left, top, width, height, lit, thickness, gap):
    """Draws the seven segments of one digit cell; segments in lit glow, the others are ghosts."""
    r = thickness / 2
    inset = r + gap  # half the gap between neighbouring segments, beyond the round ends
    x0, x1 = left + r + 0.5, left + width - r - 0.5
    y0, y1 = top + r + 0.5, top + height - r - 0.5
    ym = (y0 + y1) / 2
    ends = {
        "a": (x0 + inset, y0, x1 - inset, y0),
        "b": (x1, y0 + inset, x1, ym - inset),
        "c": (x1, ym + inset, x1, y1 - inset),
        "d": (x0 + inset, y1, x1 - inset, y1),
        "e": (x0, ym + inset, x0, y1 - inset),
        "f": (x0, y0 + inset, x0, ym - inset),
        "g": (x0 + inset, ym, x1 - inset, ym),
    }
    for name, (ax, ay, bx, by) in ends.items():
        colour = LIT if name in lit else GHOST
        canvas.fill(lambda x, y, ax=ax, ay=ay, bx=bx, by=by: capsule(x, y, ax, ay, bx, by, r), colour)


def digit_strip(cell_width, cell_height, margin_x, margin_top, margin_bottom, thickness, gap):
    canvas = Canvas(cell_width * 10, cell_height, FACE)
    for digit in range(10):
        seven_segment(canvas, digit * cell_width + margin_x, margin_top, cell_width - 2 * margin_x,
                      cell_height - margin_top - margin_bottom, SEGMENTS[digit], thickness, gap)
    return canvas


def clock_face():
    canvas = Canvas(151, 72, FACE)

    # A one-pixel sunken rim so the face sits in the form like an instrument.
    def rim(x, y, colour):
        if x == 0 or y == 0:
            return FACE_EDGE_DARK
        if x == 150 or y == 71:
            return FACE_EDGE_LIGHT
        if x == 1 or y == 1 or x == 149 or y == 70:
            return blend(FACE, FACE_EDGE_DARK, 0.4)
        return colour

    canvas.shade(rim)
    # The colon between hours and minutes, a quiet amber.
    for cy in (43.5, 57.5):
        canvas.fill(lambda x, y, cy=cy: circle(x, y, 60.5, cy, 2.2), COLON)
    # A hairline below the indicator field, separating state from time.
    canvas.fill(lambda x, y: capsule(x, y, 8, 30.5, 143, 30.5, 0.5), blend(FACE, FACE_EDGE_LIGHT, 0.45))
    return canvas


def indicator(state):
    """state: 'rest', 'bright' or 'soft'. A lamp at the left and a breath-like wave beside it."""
    canvas = Canvas(111, 23, FACE)
    cx, cy = 11.5, 11.5
    if state == "rest":
        canvas.fill(lambda x, y: abs(circle(x, y, cx, cy, 6.0)) - 0.8, REST_BLUE)
        canvas.fill(lambda x, y: capsule(x, y, 24, cy, 104, cy, 0.6), blend(FACE, REST_BLUE, 0.6))
        return canvas
    lamp = RUN_GREEN if state == "bright" else RUN_GREEN_DIM
    halo = 0.35 if state == "bright" else 0.15
    canvas.fill(lambda x, y: circle(x, y, cx, cy, 9.5), lamp, halo)
    canvas.fill(lambda x, y: circle(x, y, cx, cy, 6.5), lamp)
    # One slow breath drawn as a sine; the two pictures swap its phase, so it seems to flow.
    phase = 0.0 if state == "bright" else math.pi
    wave_colour = blend(FACE, lamp, 0.85)

    def wave(x, y):
        if x < 24 or x > 104:
            return 1.0
        t = (x - 24) / 80 * 2 * math.pi * 2
        ideal = cy - 5.5 * math.sin(t + phase)
        slope = 5.5 * math.cos(t + phase) * 2 * math.pi * 2 / 80
        return abs(y - ideal) / math.sqrt(1 + slope * slope) - 0.9

    canvas.fill(wave, wave_colour)
    return canvas


# --- the list background, the pointer and the icon ---------------------------

def enso(size, cx, cy, radius, brush, colour, opacity, gap_angle=0.9):
    """A brush circle open at the upper right, thicker where the stroke starts."""
    canvas = Canvas(size, size, colour, 0)

    def stroke(x, y):
        angle = math.atan2(y - cy, x - cx)  # -pi..pi, 0 to the right
        # Running clockwise from the gap: the stroke thins out towards its end.
        run = (angle + math.pi / 4) % (2 * math.pi)
        if run < gap_angle:
            # Inside the gap: the distance to the nearer end, as a round cap.
            start = (-math.pi / 4 + gap_angle)
            end = -math.pi / 4
            width_start = brush * 0.35
            d1 = circle(x, y, cx + radius * math.cos(start), cy + radius * math.sin(start), width_start)
            d2 = circle(x, y, cx + radius * math.cos(end), cy + radius * math.sin(end), brush)
            return min(d1, d2)
        along = (run - gap_angle) / (2 * math.pi - gap_angle)  # 0 at the thin end, 1 at the start
        width = brush * (0.35 + 0.65 * along)
        return abs(math.hypot(x - cx, y - cy) - radius) - width

    canvas.fill(stroke, colour, opacity)
    return canvas


def list_background():
    # Very faint on white and on the pale yellow rows alike, so no row text is hidden.
    return enso(200, 100, 100, 70, 9, (110, 140, 160), 0.10)


def pointer():
    canvas = Canvas(32, 32, (0, 0, 0), 0)
    cx = cy = 15.5  # the centre of pixel (15, 15): the hot spot
    # A ring with a dot: dark lines with a light outline read on light and dark forms.
    canvas.fill(lambda x, y: abs(circle(x, y, cx, cy, 8.0)) - 2.0, (255, 255, 255))
    canvas.fill(lambda x, y: circle(x, y, cx, cy, 2.6), (255, 255, 255))
    canvas.fill(lambda x, y: abs(circle(x, y, cx, cy, 8.0)) - 0.9, (30, 60, 90))
    canvas.fill(lambda x, y: circle(x, y, cx, cy, 1.4), (30, 60, 90))
    return canvas


ICON_BACK_TOP = (22, 44, 72)
ICON_BACK_BOTTOM = (10, 20, 36)
ICON_PETAL = (236, 182, 92)
ICON_PETAL_SIDE = (196, 134, 66)
ICON_WATER = (84, 160, 150)


def icon_shapes(s):
    """The icon's shapes for an icon of s pixels: (distance function, colour, opacity), back to front."""
    u = s / 32.0
    corner = 6 * u
    base_x, base_y = s / 2, s * 0.70
    shapes = [(lambda x, y: rounded_box(x, y, 0.5 * u, 0.5 * u, s - 0.5 * u, s - 0.5 * u, corner), None, 1.0)]
    # Water line under the lotus.
    shapes.append((lambda x, y: capsule(x, y, s * 0.22, s * 0.80, s * 0.78, s * 0.80, max(0.6, 0.9 * u)),
                   ICON_WATER, 1.0))
    # Two side petals, then the centre petal in front.
    for angle in (-1.05, 1.05):
        shapes.append((lambda x, y, a=angle: petal(x, y, base_x, base_y, a, 12.5 * u, 5.6 * u), ICON_PETAL_SIDE, 1.0))
    for angle in (-0.5, 0.5):
        shapes.append((lambda x, y, a=angle: petal(x, y, base_x, base_y, a, 15 * u, 6.4 * u), ICON_PETAL_SIDE, 1.0))
    shapes.append((lambda x, y: petal(x, y, base_x, base_y, 0.0, 17 * u, 7.5 * u), ICON_PETAL, 1.0))
    return shapes


def icon(size):
    canvas = Canvas(size, size, (0, 0, 0), 0)
    for distance, colour, opacity in icon_shapes(size):
        if colour is None:  # the rounded square with its gentle vertical gradient
            for row in range(size):
                shade = blend(ICON_BACK_TOP, ICON_BACK_BOTTOM, row / max(1, size - 1))
                line_canvas = canvas.pixels[row]
                for col in range(size):
                    cover = coverage(distance(col + 0.5, row + 0.5))
                    if cover > 0:
                        line_canvas[col] = (*shade, cover)
        else:
            canvas.fill(distance, colour, opacity)
    return canvas


def icon_svg():
    """The same icon as a scalable picture, on a 32-unit grid."""
    def hexc(c):
        return "#%02x%02x%02x" % tuple(int(v) for v in c)

    def petal_path(angle, length, width):
        half_w = width / 2
        radius = ((length / 2) ** 2 + half_w ** 2) / (2 * half_w)
        return ('<path transform="translate(16 22.4) rotate(%g)" d="M0 0 A%.3f %.3f 0 0 1 0 %.3f '
                'A%.3f %.3f 0 0 1 0 0 Z" fill="%s"/>'
                % (math.degrees(angle), radius, radius, -length, radius, radius, "{fill}"))

    parts = [
        '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 32 32">',
        '<defs><linearGradient id="back" x1="0" y1="0" x2="0" y2="1">'
        '<stop offset="0" stop-color="%s"/><stop offset="1" stop-color="%s"/></linearGradient></defs>'
        % (hexc(ICON_BACK_TOP), hexc(ICON_BACK_BOTTOM)),
        '<rect x="0.5" y="0.5" width="31" height="31" rx="6" fill="url(#back)"/>',
        '<line x1="7.04" y1="25.6" x2="24.96" y2="25.6" stroke="%s" stroke-width="1.8" stroke-linecap="round"/>'
        % hexc(ICON_WATER),
    ]
    for angle in (-1.05, 1.05):
        parts.append(petal_path(angle, 12.5, 5.6).replace("{fill}", hexc(ICON_PETAL_SIDE)))
    for angle in (-0.5, 0.5):
        parts.append(petal_path(angle, 15, 6.4).replace("{fill}", hexc(ICON_PETAL_SIDE)))
    parts.append(petal_path(0.0, 17, 7.5).replace("{fill}", hexc(ICON_PETAL)))
    parts.append("</svg>")
    return "\n".join(parts) + "\n"


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else "resources"
    bitmaps = os.path.join(root, "bitmaps")
    icons = os.path.join(root, "icons")
    clock_face().save(os.path.join(bitmaps, "150.png"))
    digit_strip(24, 34, 3, 2, 2, 4.0, 1.4).save(os.path.join(bitmaps, "146.png"))
    digit_strip(12, 17, 1, 2, 2, 2.0, 0.3).save(os.path.join(bitmaps, "153.png"))
    indicator("rest").save(os.path.join(bitmaps, "151.png"))
    indicator("bright").save(os.path.join(bitmaps, "149.png"))
    indicator("soft").save(os.path.join(bitmaps, "152.png"))
    list_background().save(os.path.join(bitmaps, "171.png"))
    pointer().save(os.path.join(bitmaps, "172.png"))
    for size in (16, 32, 48, 256):
        icon(size).save(os.path.join(icons, "128_%d.png" % size))
    os.makedirs(icons, exist_ok=True)
    with open(os.path.join(icons, "128.svg"), "w", encoding="ascii") as file:
        file.write(icon_svg())


if __name__ == "__main__":
    main()
