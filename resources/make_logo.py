#!/usr/bin/env python3
"""Draws Lumatag's logo and writes the two pictures the program holds.

    resources/make_logo.py [OUTPUT_DIR]      (default: the folder of this script)

about.bmp    157 x 75, 256-colour BMP for the About window: a blue luggage tag on its
             string with "Lumatag" on it and a small glint of light.
lumatag.ico  32 x 32, 32 bits per pixel with alpha: the same tag, an "L" on it.

Python 3 standard library only. The output is byte-for-byte the same on every machine:
shapes are tested with plain arithmetic and square roots (correctly rounded everywhere),
never with trigonometry, whose last bits differ between maths libraries.
"""

import math
import os
import struct
import sys

SUPERSAMPLE = 4  # samples per pixel along each axis, for smooth edges


# --- geometry -----------------------------------------------------------------------------

def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length2))
    ex, ey = px - (ax + t * dx), py - (ay + t * dy)
    return math.sqrt(ex * ex + ey * ey)


def convex_polygon_distance(px, py, points):
    """0 inside the polygon (points clockwise on screen), else the distance to its edge."""
    inside = True
    for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
        if (bx - ax) * (py - ay) - (by - ay) * (px - ax) < 0:
            inside = False
            break
    if inside:
        return 0.0
    return min(segment_distance(px, py, ax, ay, bx, by)
               for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]))


# Quarter arcs start at one of these directions and turn a quarter counter-clockwise (y up).
QUARTER_START = {0: (1, 0), 90: (0, 1), 180: (-1, 0), 270: (0, -1)}


def quarter_arc_distance(px, py, cx, cy, radius, start):
    ux, uy = QUARTER_START[start]
    vx, vy = -uy, ux
    rx, ry = px - cx, py - cy
    if ux * ry - uy * rx >= 0 and rx * vy - ry * vx >= 0:
        return abs(math.sqrt(rx * rx + ry * ry) - radius)
    return min(math.hypot(rx - radius * ux, ry - radius * uy),
               math.hypot(rx - radius * vx, ry - radius * vy))


class Stroke:
    """A pen path made of segments and quarter arcs, in glyph units with y pointing up."""

    def __init__(self):
        self.parts = []

    def line(self, ax, ay, bx, by):
        self.parts.append(("line", ax, ay, bx, by))
        return self

    def arc(self, cx, cy, radius, *starts):
        for start in starts:
            self.parts.append(("arc", cx, cy, radius, start))
        return self

    def circle(self, cx, cy, radius):
        return self.arc(cx, cy, radius, 0, 90, 180, 270)

    def distance(self, x, y):
        best = float("inf")
        for part in self.parts:
            if part[0] == "line":
                d = segment_distance(x, y, *part[1:])
            else:
                d = quarter_arc_distance(x, y, *part[1:])
            best = min(best, d)
        return best


# Lower-case letters on an x-height of 1, the capital L 1.45 high; (stroke, advance).
GLYPHS = {
    "L": (Stroke().line(0.1, 0, 0.1, 1.45).line(0.1, 0, 0.8, 0), 0.95),
    "u": (Stroke().line(0.1, 1, 0.1, 0.4).arc(0.45, 0.4, 0.35, 180, 270)
          .line(0.8, 1, 0.8, 0), 1.0),
    "m": (Stroke().line(0.1, 0, 0.1, 1).arc(0.4, 0.7, 0.3, 90, 0)
          .line(0.7, 0.7, 0.7, 0).arc(1.0, 0.7, 0.3, 90, 0).line(1.3, 0.7, 1.3, 0), 1.5),
    "a": (Stroke().circle(0.5, 0.5, 0.42).line(0.92, 1, 0.92, 0), 1.12),
    "t": (Stroke().line(0.3, 1.35, 0.3, 0.28).arc(0.58, 0.28, 0.28, 180)
          .line(0.0, 1, 0.62, 1), 0.82),
    "g": (Stroke().circle(0.5, 0.5, 0.42).line(0.92, 1, 0.92, -0.12)
          .arc(0.5, -0.12, 0.42, 270, 180), 1.12),
}
LETTER_GAP = 0.14


class Text:
    """A word set in the stroke letters above, its baseline at (left, baseline) in pixels."""

    def __init__(self, word, left, baseline, scale, pen):
        self.scale, self.half_pen = scale, pen / 2
        self.letters = []
        x = 0.0
        for char in word:
            stroke, advance = GLYPHS[char]
            self.letters.append((x, stroke))
            x += advance + LETTER_GAP
        self.width = (x - LETTER_GAP) * scale
        self.left, self.baseline = left, baseline

    def centred_at(self, centre_x):
        self.left = centre_x - self.width / 2
        return self

    def covers(self, px, py):
        gx = (px - self.left) / self.scale
        gy = (self.baseline - py) / self.scale
        limit = self.half_pen / self.scale
        if gy < -0.7 or gy > 1.6:
            return False
        for x, stroke in self.letters:
            if gx < x - 0.3 or gx > x + 1.7:
                continue
            if stroke.distance(gx - x, gy) <= limit:
                return True
        return False


class Tag:
    """A luggage tag: a rounded pentagon pointing left, with a punched hole near the point."""

    def __init__(self, points, rounding, hole, hole_radius, ring):
        self.points, self.rounding = points, rounding
        self.hole, self.hole_radius, self.ring = hole, hole_radius, ring

    def outside_by(self, px, py):
        return convex_polygon_distance(px, py, self.points) - self.rounding

    def hole_distance(self, px, py):
        return math.hypot(px - self.hole[0], py - self.hole[1])


def glint_covers(px, py, cx, cy, radius):
    """A four-pointed star: the astroid |dx|^(1/2) + |dy|^(1/2) <= radius^(1/2)."""
    return math.sqrt(abs(px - cx)) + math.sqrt(abs(py - cy)) <= math.sqrt(radius)


def bezier_polyline(p0, p1, p2, pieces=24):
    points = []
    for i in range(pieces + 1):
        t = i / pieces
        a, b, c = (1 - t) * (1 - t), 2 * (1 - t) * t, t * t
        points.append((a * p0[0] + b * p1[0] + c * p2[0], a * p0[1] + b * p1[1] + c * p2[1]))
    return points


def polyline_distance(px, py, points):
    return min(segment_distance(px, py, ax, ay, bx, by)
               for (ax, ay), (bx, by) in zip(points, points[1:]))


# --- colour -------------------------------------------------------------------------------

def mix(under, over, amount):
    return tuple(u + (o - u) * amount for u, o in zip(under, over))


def vertical_gradient(top_colour, bottom_colour, top, bottom, y):
    t = max(0.0, min(1.0, (y - top) / (bottom - top)))
    return mix(top_colour, bottom_colour, t)


TAG_TOP = (86, 156, 236)
TAG_BOTTOM = (22, 74, 164)
TAG_EDGE = (14, 48, 112)
RING = (236, 242, 252)
TWINE = (158, 116, 62)
GLINT = (255, 212, 84)
WHITE = (255, 255, 255)
TEXT_SHADOW = (10, 36, 92)


# --- the About picture --------------------------------------------------------------------

ABOUT_WIDTH, ABOUT_HEIGHT = 157, 75
ABOUT_TAG = Tag(points=[(11, 38), (33, 17), (146, 17), (146, 59), (33, 59)], rounding=5,
                hole=(23, 38), hole_radius=4.2, ring=6.4)
ABOUT_TEXT = Text("Lumatag", 0, 45, scale=12.5, pen=2.9).centred_at(90)
ABOUT_TEXT_SHADOW = Text("Lumatag", ABOUT_TEXT.left + 1, 46, scale=12.5, pen=2.9)
ABOUT_TWINE = bezier_polyline((21, 36), (9, 6), (-4, 12))


def about_sample(x, y):
    """The colour at one sample point of the About picture."""
    colour = WHITE
    tag = ABOUT_TAG
    # A soft shadow below and right of the tag.
    shadow_edge = tag.outside_by(x - 2, y - 3)
    if shadow_edge < 3:
        colour = mix(colour, (40, 52, 80), 0.32 * min(1.0, (3 - shadow_edge) / 4))
    hole = tag.hole_distance(x, y)
    if tag.outside_by(x, y) <= 0 and hole > tag.hole_radius:
        if hole <= tag.ring:
            colour = RING
        elif tag.outside_by(x, y) > -1.3:
            colour = TAG_EDGE
        else:
            colour = vertical_gradient(TAG_TOP, TAG_BOTTOM, 12, 64, y)
            if y < 35:  # a gentle sheen on the upper half
                colour = mix(colour, WHITE, 0.12)
        if ABOUT_TEXT_SHADOW.covers(x, y):
            colour = mix(colour, TEXT_SHADOW, 0.55)
        if ABOUT_TEXT.covers(x, y):
            colour = WHITE
    if polyline_distance(x, y, ABOUT_TWINE) <= 0.9:
        colour = TWINE
    if glint_covers(x, y, 146, 15, 9):
        colour = GLINT
    return colour


# --- the program icon ---------------------------------------------------------------------

ICON_SIZE = 32
ICON_TAG = Tag(points=[(2.5, 16), (11, 8), (28.5, 8), (28.5, 25), (11, 25)], rounding=2.5,
               hole=(8.5, 16.5), hole_radius=2.0, ring=3.3)
ICON_LETTER = Stroke().line(15.5, 11.5, 15.5, 21.5).line(15.5, 21.5, 23, 21.5)


def icon_sample(x, y):
    """The colour and opacity (0 or 1) at one sample point of the icon."""
    tag = ICON_TAG
    colour, opacity = None, 0.0
    hole = tag.hole_distance(x, y)
    if tag.outside_by(x, y) <= 0 and hole > tag.hole_radius:
        opacity = 1.0
        if hole <= tag.ring:
            colour = RING
        elif tag.outside_by(x, y) > -1.0:
            colour = TAG_EDGE
        else:
            colour = vertical_gradient(TAG_TOP, TAG_BOTTOM, 5, 28, y)
        if ICON_LETTER.distance(x, y) <= 1.4:
            colour = WHITE
    if glint_covers(x, y, 27.5, 6.5, 6):
        colour, opacity = GLINT, 1.0
    return colour, opacity


# --- rendering ----------------------------------------------------------------------------

def sample_points(px, py):
    step = 1.0 / SUPERSAMPLE
    for sy in range(SUPERSAMPLE):
        for sx in range(SUPERSAMPLE):
            yield px + (sx + 0.5) * step, py + (sy + 0.5) * step


def render_about():
    """Rows top to bottom of (r, g, b) integer pixels."""
    count = SUPERSAMPLE * SUPERSAMPLE
    rows = []
    for py in range(ABOUT_HEIGHT):
        row = []
        for px in range(ABOUT_WIDTH):
            total = [0.0, 0.0, 0.0]
            for x, y in sample_points(px, py):
                for i, channel in enumerate(about_sample(x, y)):
                    total[i] += channel
            row.append(tuple(int(round(channel / count)) for channel in total))
        rows.append(row)
    return rows


def render_icon():
    """Rows top to bottom of (r, g, b, a) pixels, straight (not premultiplied) alpha."""
    count = SUPERSAMPLE * SUPERSAMPLE
    rows = []
    for py in range(ICON_SIZE):
        row = []
        for px in range(ICON_SIZE):
            total, covered = [0.0, 0.0, 0.0], 0
            for x, y in sample_points(px, py):
                colour, opacity = icon_sample(x, y)
                if opacity:
                    covered += 1
                    for i, channel in enumerate(colour):
                        total[i] += channel
            if covered == 0:
                row.append((0, 0, 0, 0))
            else:
                rgb = tuple(int(round(channel / covered)) for channel in total)
                row.append(rgb + (int(round(255 * covered / count)),))
        rows.append(row)
    return rows


# --- 256 colours --------------------------------------------------------------------------

def median_cut(colours, boxes_wanted):
    """Splits the picture's colours into boxes at the median of their widest channel."""
    boxes = [sorted(colours)]
    while len(boxes) < boxes_wanted:
        best, best_range, best_channel = None, 0, 0
        for index, box in enumerate(boxes):
            if len(box) < 2:
                continue
            for channel in range(3):
                values = [c[channel] for c in box]
                spread = max(values) - min(values)
                if spread > best_range:
                    best, best_range, best_channel = index, spread, channel
        if best is None:
            break
        box = sorted(boxes.pop(best), key=lambda c: (c[best_channel], c))
        middle = len(box) // 2
        boxes[best:best] = [box[:middle], box[middle:]]
    return boxes


def build_palette(rows, size):
    pixels = [p for row in rows for p in row]
    boxes = median_cut(pixels, size)
    palette = []
    for box in boxes:
        palette.append(tuple(int(round(sum(c[i] for c in box) / len(box))) for i in range(3)))
    palette = sorted(set(palette), key=lambda c: (0.299 * c[0] + 0.587 * c[1] + 0.114 * c[2], c))
    return palette


def nearest(palette, colour, cache):
    if colour not in cache:
        cache[colour] = min(range(len(palette)), key=lambda i: (
            sum((palette[i][k] - colour[k]) ** 2 for k in range(3)), i))
    return cache[colour]


# --- files --------------------------------------------------------------------------------

IMPORTANT_COLOURS = 128
PIXELS_PER_METRE = 18263  # 463.9 dots per inch, the resolution the picture was laid out at


def bmp_bytes(rows):
    palette = build_palette(rows, IMPORTANT_COLOURS)
    assert len(palette) <= IMPORTANT_COLOURS
    cache = {}
    stride = (ABOUT_WIDTH + 3) // 4 * 4
    pixel_data = bytearray()
    for row in reversed(rows):  # bottom-up
        indexes = bytes(nearest(palette, colour, cache) for colour in row)
        pixel_data += indexes + bytes(stride - ABOUT_WIDTH)
    # Only the first 128 entries are used; the rest of the 256 are left black.
    entries = palette + [(0, 0, 0)] * (256 - len(palette))
    colour_table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in entries)
    info = struct.pack("<IiiHHIIiiII", 40, ABOUT_WIDTH, ABOUT_HEIGHT, 1, 8, 0, len(pixel_data),
                       PIXELS_PER_METRE, PIXELS_PER_METRE, 256, IMPORTANT_COLOURS)
    offset = 14 + len(info) + len(colour_table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixel_data), 0, 0, offset)
    data = header + info + colour_table + bytes(pixel_data)
    assert len(data) == 13078 and offset == 1078 and len(pixel_data) == 12000
    return data


def ico_bytes(rows):
    colour = bytearray()
    mask = bytearray()
    for row in reversed(rows):  # bottom-up
        bits = 0
        for r, g, b, a in row:
            colour += struct.pack("<BBBB", b, g, r, a)
            bits = (bits << 1) | (1 if a == 0 else 0)
        mask += struct.pack(">I", bits)  # 32 pixels: one row is exactly four bytes
    # In an icon the height counts the colour picture and the transparency mask together.
    info = struct.pack("<IiiHHIIiiII", 40, ICON_SIZE, ICON_SIZE * 2, 1, 32, 0,
                       len(colour) + len(mask), 0, 0, 0, 0)
    image = info + bytes(colour) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", ICON_SIZE, ICON_SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(out, "about.bmp"), "wb") as f:
        f.write(bmp_bytes(render_about()))
    with open(os.path.join(out, "lumatag.ico"), "wb") as f:
        f.write(ico_bytes(render_icon()))


if __name__ == "__main__":
    main()
