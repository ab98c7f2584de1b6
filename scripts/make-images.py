#!/usr/bin/env python3
"""Draw Horalet's icons and About-box logo.

Writes, relative to the repository root:
  res/icons/state_running.ico, state_paused.ico, state_finished.ico and
    res/icons/app_small.ico (16, 20, 24, 32 and 48 pixels: the small icon of
    100, 125, 150, 200 and 300 % display scale)
  res/icons/tray_running.ico and tray_finished.ico (the same sizes): the
    notification-area icon while timers run and while a finish is unseen,
    the small icon with a badge in its bottom-right corner
  res/icons/app.ico (64, 48, 40, 32, 24, 20 and 16 pixels)
  res/logo.bmp (203 x 61, 24 bits), logo-150.bmp and logo-200.bmp (the same
    at 150 and 200 %)
  docs/help/images/*.png, the same pictures for the user manual

Standard library only, so that the images can be redrawn anywhere Python 3
runs. The outputs are committed; a Windows build never runs this.

Shapes are signed distance functions in pixel units (negative inside) and a
pixel's coverage is taken from the distance at its centre. That gives clean
anti-aliased edges even at 16 x 16 without supersampling, which would be slow
in pure Python.

Usage: make-images.py [--out DIR] [--check]
  --out DIR  repository root to write under (default: the one holding this script)
  --check    write nothing; only read the existing files back and validate them
             (a tray icon must also be the small icon outside its badge)
"""

import argparse
import math
import os
import struct
import sys
import zlib

# ---------------------------------------------------------------------------
# Colours: (r, g, b) in 0..255 or (r, g, b, a) with a in 0..1.


def hex_colour(text, alpha=1.0):
    text = text.lstrip("#")
    return (int(text[0:2], 16), int(text[2:4], 16), int(text[4:6], 16), alpha)


def mix(c0, c1, t):
    t = 0.0 if t < 0.0 else 1.0 if t > 1.0 else t
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


def vertical_gradient(top, bottom, y0, y1):
    def paint(x, y):
        return mix(top, bottom, (y - y0) / (y1 - y0))
    return paint


def radial_gradient(inner, outer, cx, cy, radius):
    def paint(x, y):
        return mix(inner, outer, math.hypot(x - cx, y - cy) / radius)
    return paint


# ---------------------------------------------------------------------------
# Signed distance functions. Every constructor returns (sdf, bbox); the box is
# (x0, y0, x1, y1) in pixels and only limits the pixels that are visited.


def circle(cx, cy, r):
    def sdf(x, y):
        return math.hypot(x - cx, y - cy) - r
    return sdf, (cx - r, cy - r, cx + r, cy + r)


def ring(cx, cy, r, width):
    def sdf(x, y):
        return abs(math.hypot(x - cx, y - cy) - r) - width / 2
    reach = r + width / 2
    return sdf, (cx - reach, cy - reach, cx + reach, cy + reach)


def capsule(x0, y0, x1, y1, width):
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy or 1e-12
    half = width / 2

    def sdf(x, y):
        t = ((x - x0) * dx + (y - y0) * dy) / length2
        t = 0.0 if t < 0.0 else 1.0 if t > 1.0 else t
        return math.hypot(x - (x0 + t * dx), y - (y0 + t * dy)) - half
    return sdf, (min(x0, x1) - half, min(y0, y1) - half,
                 max(x0, x1) + half, max(y0, y1) + half)


def polyline(points, width):
    parts = [capsule(*points[i], *points[i + 1], width)
             for i in range(len(points) - 1)]
    return union(*parts)


def rounded_rect(x0, y0, x1, y1, radius):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - radius, (y1 - y0) / 2 - radius

    def sdf(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - radius
    return sdf, (x0, y0, x1, y1)


def polygon(points, rounding=0.0):
    """Exact distance to a simple polygon; `rounding` grows it by that many
    pixels with round corners, so give the points already pulled in."""
    n = len(points)

    def sdf(x, y):
        best = float("inf")
        inside = False
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[i - 1]
            ex, ey = bx - ax, by - ay
            wx, wy = x - ax, y - ay
            t = (wx * ex + wy * ey) / (ex * ex + ey * ey)
            t = 0.0 if t < 0.0 else 1.0 if t > 1.0 else t
            best = min(best, math.hypot(wx - ex * t, wy - ey * t))
            if (ay > y) != (by > y) and x < ax + (y - ay) * ex / ey:
                inside = not inside
        return (-best if inside else best) - rounding
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return sdf, (min(xs) - rounding, min(ys) - rounding,
                 max(xs) + rounding, max(ys) + rounding)


def clock_point(cx, cy, radius, degrees):
    """A point on a dial: 0 degrees is twelve o'clock, angles grow clockwise."""
    a = math.radians(degrees)
    return cx + radius * math.sin(a), cy - radius * math.cos(a)


def arc(cx, cy, r, start, end, width):
    """Stroke of a circle from `start` to `end` degrees (clock angles) with
    round caps."""
    half = width / 2
    span = (end - start) % 360
    p0 = clock_point(cx, cy, r, start)
    p1 = clock_point(cx, cy, r, end)

    def sdf(x, y):
        ang = math.degrees(math.atan2(x - cx, -(y - cy))) % 360
        if (ang - start) % 360 <= span:
            return abs(math.hypot(x - cx, y - cy) - r) - half
        return min(math.hypot(x - p0[0], y - p0[1]),
                   math.hypot(x - p1[0], y - p1[1])) - half
    reach = r + half
    return sdf, (cx - reach, cy - reach, cx + reach, cy + reach)


def sector(cx, cy, r, start, end):
    """Filled pie slice from `start` to `end` clock degrees, at most 180."""
    def edge_normal(deg):
        a = math.radians(deg)
        return math.cos(a), math.sin(a)  # perpendicular to the ray, pointing clockwise
    ns = edge_normal(start)
    ne = edge_normal(end)

    def sdf(x, y):
        dx, dy = x - cx, y - cy
        # Half-plane distances; the start edge keeps the clockwise side,
        # the end edge the anticlockwise one.
        d_start = -(dx * ns[0] + dy * ns[1])
        d_end = dx * ne[0] + dy * ne[1]
        return max(math.hypot(dx, dy) - r, d_start, d_end)
    return sdf, (cx - r, cy - r, cx + r, cy + r)


def union(*shapes):
    fns = [s[0] for s in shapes]
    boxes = [s[1] for s in shapes]

    def sdf(x, y):
        return min(f(x, y) for f in fns)
    return sdf, (min(b[0] for b in boxes), min(b[1] for b in boxes),
                 max(b[2] for b in boxes), max(b[3] for b in boxes))


def inset(shape, amount):
    fn, box = shape
    return (lambda x, y: fn(x, y) + amount), box


def offset(shape, dx, dy):
    fn, box = shape
    return ((lambda x, y: fn(x - dx, y - dy)),
            (box[0] + dx, box[1] + dy, box[2] + dx, box[3] + dy))


# ---------------------------------------------------------------------------
# Canvas with premultiplied RGBA floats (colour 0..255, alpha 0..1).


class Canvas:
    def __init__(self, width, height, background=None):
        self.width = width
        self.height = height
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(width * height)]
        if background is not None:
            self.fill_all(background)

    def fill_all(self, paint):
        for y in range(self.height):
            for x in range(self.width):
                colour = paint(x + 0.5, y + 0.5) if callable(paint) else paint
                r, g, b = colour[:3]
                a = colour[3] if len(colour) > 3 else 1.0
                self.px[y * self.width + x] = [r * a, g * a, b * a, a]

    def draw(self, shape, paint, opacity=1.0):
        fn, (bx0, by0, bx1, by1) = shape
        x0 = max(0, int(math.floor(bx0)) - 1)
        y0 = max(0, int(math.floor(by0)) - 1)
        x1 = min(self.width, int(math.ceil(bx1)) + 1)
        y1 = min(self.height, int(math.ceil(by1)) + 1)
        for y in range(y0, y1):
            row = y * self.width
            for x in range(x0, x1):
                cx, cy = x + 0.5, y + 0.5
                cover = 0.5 - fn(cx, cy)
                if cover <= 0.0:
                    continue
                if cover > 1.0:
                    cover = 1.0
                colour = paint(cx, cy) if callable(paint) else paint
                a = (colour[3] if len(colour) > 3 else 1.0) * cover * opacity
                dst = self.px[row + x]
                keep = 1.0 - a
                dst[0] = colour[0] * a + dst[0] * keep
                dst[1] = colour[1] * a + dst[1] * keep
                dst[2] = colour[2] * a + dst[2] * keep
                dst[3] = a + dst[3] * keep

    def draw_outlined(self, shape, fill, outline, line_width):
        """A dark rim keeps a small shape readable on white and on grey."""
        self.draw(shape, outline)
        self.draw(inset(shape, line_width), fill)

    def rgba_bytes(self, x, y):
        """Straight (not premultiplied) 8-bit RGBA, as icons store it."""
        r, g, b, a = self.px[y * self.width + x]
        if a <= 1e-6:
            return 0, 0, 0, 0
        return (clamp_byte(r / a), clamp_byte(g / a), clamp_byte(b / a),
                clamp_byte(a * 255))


def clamp_byte(v):
    v = int(round(v))
    return 0 if v < 0 else 255 if v > 255 else v


# ---------------------------------------------------------------------------
# File formats.

ICO_HEADER = struct.Struct("<HHH")
ICO_ENTRY = struct.Struct("<BBBBHHII")
BITMAP_INFO = struct.Struct("<IiiHHIIiiII")
BITMAP_FILE = struct.Struct("<2sIHHI")

# Below this alpha a pixel counts as transparent in the AND mask, which is what
# renderers that ignore the alpha channel (masked image lists) fall back to.
MASK_ALPHA_THRESHOLD = 128


def icon_image(canvas):
    """One icon image: BITMAPINFOHEADER, bottom-up BGRA, then the AND mask."""
    w, h = canvas.width, canvas.height
    mask_stride = ((w + 31) // 32) * 4
    colour = bytearray()
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        bits = bytearray(mask_stride)
        for x in range(w):
            r, g, b, a = canvas.rgba_bytes(x, y)
            colour += bytes((b, g, r, a))
            if a < MASK_ALPHA_THRESHOLD:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = BITMAP_INFO.pack(40, w, h * 2, 1, 32, 0, len(colour) + len(mask),
                              0, 0, 0, 0)
    return header + bytes(colour) + bytes(mask)


def ico_file(canvases):
    images = [icon_image(c) for c in canvases]
    out = bytearray(ICO_HEADER.pack(0, 1, len(images)))
    data_offset = ICO_HEADER.size + ICO_ENTRY.size * len(images)
    for canvas, image in zip(canvases, images):
        out += ICO_ENTRY.pack(canvas.width % 256, canvas.height % 256, 0, 0,
                              1, 32, len(image), data_offset)
        data_offset += len(image)
    for image in images:
        out += image
    return bytes(out)


def bmp24_file(canvas):
    """Bottom-up 24-bit BMP; the canvas is expected to be opaque."""
    w, h = canvas.width, canvas.height
    stride = (w * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for x in range(w):
            r, g, b, _ = canvas.rgba_bytes(x, y)
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        pixels += row
    info = BITMAP_INFO.pack(40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header_size = BITMAP_FILE.size + len(info)
    head = BITMAP_FILE.pack(b"BM", header_size + len(pixels), 0, 0, header_size)
    return head + info + bytes(pixels)


def png_file(canvas):
    """RGBA PNG, for the manual: the help viewer shows PNG with alpha, and
    a BMP would lose the icons' transparent ground."""
    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body
                + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))
    raw = bytearray()
    for y in range(canvas.height):
        raw.append(0)  # filter type None; the images are tiny
        for x in range(canvas.width):
            raw += bytes(canvas.rgba_bytes(x, y))
    header = struct.pack(">IIBBBBB", canvas.width, canvas.height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


# ---------------------------------------------------------------------------
# State icons: they sit in list rows, so they must read at a glance on a white
# row and on the blue of a selected row. Laid out on the 16-pixel grid and
# scaled for the larger sizes of other display scales; edges that are whole
# pixel columns at 16 stay whole columns at every size.

ICON_SIZES = (16, 20, 24, 32, 48)


def state_running(size=16):
    k = size / 16.0
    c = Canvas(size, size)
    # Outer edge of the left side on x = 4 at 16 pixels, so it is one sharp
    # column; the points lie 1.3 inside it, the rounding's width.
    snap = round(4 * k) - 4 * k
    triangle = polygon([(5.3 * k + snap, 3.5 * k), (5.3 * k + snap, 12.5 * k), (12.6 * k, 8.0 * k)],
                       rounding=1.3 * k)
    c.draw_outlined(triangle,
                    vertical_gradient(hex_colour("7be07b"), hex_colour("1f9d3a"), 2 * k, 14 * k),
                    hex_colour("14692a"), 1.0 * k)
    return c


def state_paused(size=16):
    k = size / 16.0
    c = Canvas(size, size)
    fill = vertical_gradient(hex_colour("7fc0ff"), hex_colour("1d63cc"), 2 * k, 14 * k)
    edge = hex_colour("15448f")
    for x0 in (3, 9):
        c.draw_outlined(rounded_rect(round(x0 * k), round(2 * k), round((x0 + 4) * k), round(14 * k),
                                     1.2 * k),
                        fill, edge, 1.0 * k)
    return c


def state_finished(size=16):
    k = size / 16.0
    c = Canvas(size, size)
    points = [(3.4 * k, 8.4 * k), (6.6 * k, 11.6 * k), (12.8 * k, 4.2 * k)]
    c.draw(polyline(points, 4.4 * k), hex_colour("8e1a1f"))
    c.draw(polyline(points, 2.4 * k),
           vertical_gradient(hex_colour("ff7a74"), hex_colour("d22a2a"), 3 * k, 13 * k))
    return c


# ---------------------------------------------------------------------------
# The stopwatch: the program icon and the picture on the logo.

BEZEL_TOP = hex_colour("45a9cc")
BEZEL_BOTTOM = hex_colour("1b5c7c")
BEZEL_EDGE = hex_colour("12405a")
FACE_CENTRE = hex_colour("fffdf6")
FACE_EDGE = hex_colour("e4ebee")
METAL_TOP = hex_colour("d3dbe0")
METAL_BOTTOM = hex_colour("7d8b95")
METAL_EDGE = hex_colour("4c5962")
TICK = hex_colour("3b4a53")
WEDGE = hex_colour("f7a44f", 0.55)
SWEEP_HAND = hex_colour("e23b3b")
SHORT_HAND = hex_colour("26343c")

# The elapsed-time wedge and the red hand end at the same angle, which is what
# makes the picture read as a timer rather than a wall clock.
SWEEP_ANGLE = 135.0


def draw_stopwatch(c, ox, oy, size, detail):
    """Draw into `c` within the square (ox, oy, size). `detail` is 'full',
    'medium' or 'small'; smaller sizes drop what would only be mud."""
    if detail == "small":
        draw_small_stopwatch(c, ox, oy)
        return
    k = size / 64.0
    cx, cy = ox + 32.0 * k, oy + 36.5 * k
    outer = 26.5 * k
    lw = max(1.0, 1.2 * k)
    # Below full size the crown's straight edges are put on whole pixels,
    # or they come out as a grey smear.
    snap = round if detail != "full" else (lambda v: v)

    def metal(y0, y1):
        return vertical_gradient(METAL_TOP, METAL_BOTTOM, y0, y1)

    # Side buttons first, so that the bezel covers their inner ends.
    for deg in (-45.0, 45.0):
        p0 = clock_point(cx, cy, outer - 2 * k, deg)
        p1 = clock_point(cx, cy, outer + 3.5 * k, deg)
        w = 6.0 * k
        c.draw(capsule(*p0, *p1, w + 2 * lw), METAL_EDGE)
        c.draw(capsule(*p0, *p1, w), metal(p1[1] - w, p0[1] + w))

    stem = rounded_rect(snap(cx - 3.6 * k), snap(oy + 5.5 * k), snap(cx + 3.6 * k),
                        cy - outer + 2 * k, 1.0 * k)
    cap = rounded_rect(snap(cx - 8.5 * k), snap(oy + 1.0 * k), snap(cx + 8.5 * k),
                       snap(oy + 7.5 * k), 2.6 * k)
    c.draw_outlined(stem, metal(oy + 5 * k, oy + 12 * k), METAL_EDGE, lw)
    c.draw_outlined(cap, metal(oy + 1 * k, oy + 7.5 * k), METAL_EDGE, lw)

    # Bezel and face.
    c.draw(circle(cx, cy, outer), BEZEL_EDGE)
    c.draw(circle(cx, cy, outer - lw),
           vertical_gradient(BEZEL_TOP, BEZEL_BOTTOM, cy - outer, cy + outer))
    face_r = outer - lw - 4.2 * k
    if detail == "full":
        # A thin darker line where the face meets the bezel gives it depth.
        c.draw(circle(cx, cy, face_r + 0.9 * k), hex_colour("164a64", 0.6))
    c.draw(circle(cx, cy, face_r), radial_gradient(FACE_CENTRE, FACE_EDGE, cx, cy, face_r))

    # Elapsed-time wedge from twelve o'clock to the red hand.
    c.draw(sector(cx, cy, face_r - 1.0 * k, 0.0, SWEEP_ANGLE), WEDGE)

    if detail == "full":
        for i in range(12):
            major = i % 3 == 0
            r0 = face_r - (6.0 if major else 4.2) * k
            r1 = face_r - 2.0 * k
            c.draw(capsule(*clock_point(cx, cy, r0, i * 30), *clock_point(cx, cy, r1, i * 30),
                           (2.2 if major else 1.3) * k), TICK)
    else:
        for i in range(4):
            c.draw(capsule(*clock_point(cx, cy, face_r - 4.2 * k, i * 90),
                           *clock_point(cx, cy, face_r - 1.8 * k, i * 90), 2.4 * k), TICK)

    # Hands: a short dark one and the long red sweep hand.
    c.draw(capsule(cx, cy, *clock_point(cx, cy, face_r * 0.52, 300.0), max(1.6, 3.2 * k)),
           SHORT_HAND)
    tail = clock_point(cx, cy, face_r * 0.22, SWEEP_ANGLE + 180)
    tip = clock_point(cx, cy, face_r - 3.0 * k, SWEEP_ANGLE)
    c.draw(capsule(*tail, *tip, max(1.4, 1.9 * k)), SWEEP_HAND)
    c.draw(circle(cx, cy, max(1.8, 3.4 * k)), SHORT_HAND)
    c.draw(circle(cx, cy, max(0.8, 1.5 * k)), SWEEP_HAND)


def draw_small_stopwatch(c, ox, oy):
    """The 16-pixel stopwatch, laid out by hand on the pixel grid: the dial is
    centred on a pixel's middle so that the upright hand is one sharp column."""
    cx, cy = ox + 7.5, oy + 9.5
    outer = 6.5
    c.draw(rounded_rect(ox + 6.0, oy + 1.5, ox + 9.0, oy + 4.0, 0.3), METAL_EDGE)
    c.draw_outlined(rounded_rect(ox + 4.0, oy + 0.0, ox + 11.0, oy + 2.5, 0.8),
                    vertical_gradient(METAL_TOP, METAL_BOTTOM, oy, oy + 2.5), METAL_EDGE, 0.9)
    c.draw(circle(cx, cy, outer), BEZEL_EDGE)
    c.draw(circle(cx, cy, outer - 0.9),
           vertical_gradient(BEZEL_TOP, BEZEL_BOTTOM, cy - outer, cy + outer))
    face_r = outer - 2.3
    c.draw(circle(cx, cy, face_r), FACE_CENTRE)
    c.draw(sector(cx, cy, face_r, 0.0, SWEEP_ANGLE), hex_colour("f7a44f", 0.7))
    c.draw(capsule(cx, cy, cx, cy - face_r + 0.6, 1.0), SHORT_HAND)
    c.draw(capsule(cx, cy, *clock_point(cx, cy, face_r - 0.4, SWEEP_ANGLE), 1.3), SWEEP_HAND)
    c.draw(circle(cx, cy, 0.9), SHORT_HAND)


def app_icon(size):
    c = Canvas(size, size)
    detail = "full" if size >= 48 else "medium" if size > 16 else "small"
    draw_stopwatch(c, 0.0, 0.0, float(size), detail)
    return c


# ---------------------------------------------------------------------------
# Notification-area icons: the small program icon with a badge over the
# bottom-right 9 of its 16 pixels, the dial's crown and left half still
# showing. The taskbar may be light or dark, so a badge has a dark rim and,
# outside that, a light one, which also parts it from the dial beneath. The
# box and both rims are whole pixels at every size, so straight edges stay
# sharp.

BADGE_HALO = hex_colour("f4f8fa")


def badge_layout(size):
    """The badge's box (its left edge is also its top) and the width of each
    rim, all in whole pixels."""
    k = size / 16.0
    return float(round(7 * k)), float(size), max(1.0, float(round(0.9 * k)))


def draw_badge(c, outer, halo, rim, fill, edge):
    c.draw(outer, BADGE_HALO)
    c.draw_outlined(inset(outer, halo), fill, edge, rim)


def tray_running(size):
    """A play mark like the running state's: the program is counting."""
    k = size / 16.0
    c = app_icon(size)
    lo, hi, line = badge_layout(size)
    # The corners' rounding is left inside the box, so the straight left
    # edge lies on its first column.
    r = 1.3 * k
    outer = polygon([(lo + r, lo + r), (lo + r, hi - r), (hi - r, (lo + hi) / 2)], rounding=r)
    draw_badge(c, outer, line, line,
               vertical_gradient(hex_colour("7be07b"), hex_colour("1f9d3a"), lo, hi),
               hex_colour("14692a"))
    return c


def tray_finished(size):
    """A round orange badge with a white "!": a timer has finished unseen.
    Round and warm where the running mark is pointed and green, so the two
    differ at a glance, and to someone who tells red from green poorly."""
    k = size / 16.0
    c = app_icon(size)
    lo, hi, line = badge_layout(size)
    centre = (lo + hi) / 2
    # A circle's edge is never sharp, so its rims can be thinner than whole
    # pixels, which leaves the mark more room.
    draw_badge(c, circle(centre, centre, (hi - lo) / 2), 0.8 * line, 0.9 * line,
               vertical_gradient(hex_colour("ffa040"), hex_colour("e0381f"), lo, hi),
               hex_colour("8e1a1f"))
    # One column wide at 16 pixels: the bar, a one-unit gap, a square dot.
    unit = max(1.0, float(round(k)))
    left = float(round(centre - unit / 2))
    top, bottom = float(round(centre - 2.5 * k)), float(round(centre + 2.5 * k))
    white = hex_colour("ffffff")
    c.draw(rounded_rect(left, top, left + unit, bottom - 2 * unit, 0.25 * unit), white)
    c.draw(rounded_rect(left, bottom - unit, left + unit, bottom, 0.25 * unit), white)
    return c


# ---------------------------------------------------------------------------
# The logo's lettering: a small stroke font of round-capped lines and arcs.
# Units: baseline at y = 0, x-height 7, cap height 10, y grows upwards.

STROKE = 1.55
X_MID = 3.5
BOWL_R = 3.5 - STROKE / 2

GLYPHS = {
    "H": (7.3, [("line", 0.78, 0.78, 0.78, 9.22), ("line", 6.52, 0.78, 6.52, 9.22),
                ("line", 0.78, 5.0, 6.52, 5.0)]),
    "o": (7.0, [("arc", 3.5, X_MID, BOWL_R, 0, 360)]),
    "r": (4.9, [("line", 0.78, 0.78, 0.78, 6.22),
                ("arc", 3.7, X_MID, BOWL_R + 0.2, 270, 40)]),
    "a": (7.0, [("arc", 3.35, X_MID, BOWL_R, 0, 360), ("line", 6.22, 0.78, 6.22, 6.22)]),
    "l": (1.56, [("line", 0.78, 0.78, 0.78, 9.22)]),
    "e": (7.0, [("arc", 3.5, X_MID, BOWL_R, 145, 90), ("line", 0.78, X_MID, 6.22, X_MID)]),
    "t": (4.6, [("line", 1.9, 0.78, 1.9, 9.0), ("line", 0.2, 6.22, 4.2, 6.22)]),
}
LETTER_GAP = 1.35


def text_width(text):
    return sum(GLYPHS[ch][0] for ch in text) + LETTER_GAP * (len(text) - 1)


def text_shape(text, left, baseline, scale):
    """The whole word as one shape, so that touching strokes blend once."""
    parts = []
    x = left
    for ch in text:
        width, strokes = GLYPHS[ch]
        for s in strokes:
            if s[0] == "line":
                _, x0, y0, x1, y1 = s
                parts.append(capsule(x + x0 * scale, baseline - y0 * scale,
                                     x + x1 * scale, baseline - y1 * scale, STROKE * scale))
            else:
                _, acx, acy, r, a0, a1 = s
                centre = (x + acx * scale, baseline - acy * scale)
                if (a1 - a0) % 360 == 0:
                    parts.append(ring(*centre, r * scale, STROKE * scale))
                else:
                    parts.append(arc(*centre, r * scale, a0, a1, STROKE * scale))
        x += (width + LETTER_GAP) * scale
    return union(*parts)


LOGO_SIZE = (203, 61)
# The About box shows the logo at 100, 150 and 200 %; between those scales it
# shrinks the next larger one.
LOGO_SCALES = {100: "res/logo.bmp", 150: "res/logo-150.bmp", 200: "res/logo-200.bmp"}


def scaled_length(length, percent):
    """A 100 % length at another scale, rounded as the program rounds it."""
    return (length * percent + 50) // 100


def logo(percent=100):
    s = percent / 100.0
    w, h = (scaled_length(v, percent) for v in LOGO_SIZE)
    top, bottom = hex_colour("f7fbfd"), hex_colour("cfe4ee")

    def background(x, y):
        # Mostly vertical, leaning a little so the right end is lighter.
        t = (y / h) * 0.85 + (1.0 - x / w) * 0.15
        return mix(top, bottom, t)
    c = Canvas(w, h, background)
    # A hairline at the bottom grounds the picture inside the static's edge.
    c.draw(rounded_rect(-1, h - 2.2 * s, w + 1, h + 1, 0.1), hex_colour("1b5c7c", 0.35))

    clock_size = 56.0 * s
    draw_stopwatch(c, 4.0 * s, (h - clock_size) / 2 - 1.0 * s, clock_size, "full")

    word = "Horalet"
    left = 70.0 * s
    scale = (w - left - 8.0 * s) / text_width(word)
    baseline = h / 2 + 10 * scale / 2 - 1.0 * s
    shape = text_shape(word, left, baseline, scale)
    c.draw(offset(shape, 0.8 * s, 1.2 * s), hex_colour("0d2f40", 0.22))
    c.draw(shape, vertical_gradient(hex_colour("256f8f"), hex_colour("123f57"),
                                    baseline - 10 * scale, baseline))
    return c


# ---------------------------------------------------------------------------
# Read-back checks: catch a malformed header or a wrong row padding before a
# resource compiler or the loader finds it.


class FormatError(Exception):
    pass


def check_ico(data, expect_sizes):
    if len(data) < ICO_HEADER.size:
        raise FormatError("too short")
    reserved, kind, count = ICO_HEADER.unpack_from(data, 0)
    if reserved != 0 or kind != 1:
        raise FormatError("not an icon directory")
    if count != len(expect_sizes):
        raise FormatError("holds %d images, expected %d" % (count, len(expect_sizes)))
    end_of_directory = ICO_HEADER.size + count * ICO_ENTRY.size
    for i, size in enumerate(expect_sizes):
        bw, bh, colours, _, planes, bpp, length, where = ICO_ENTRY.unpack_from(
            data, ICO_HEADER.size + i * ICO_ENTRY.size)
        if (bw or 256) != size or (bh or 256) != size:
            raise FormatError("image %d is %dx%d, expected %d" % (i, bw, bh, size))
        if colours != 0 or planes != 1 or bpp != 32:
            raise FormatError("image %d is not a 32-bit image" % i)
        if where < end_of_directory or where + length > len(data):
            raise FormatError("image %d lies outside the file" % i)
        hdr = BITMAP_INFO.unpack_from(data, where)
        if hdr[0] != 40 or hdr[1] != size or hdr[2] != 2 * size or hdr[4] != 32 or hdr[5] != 0:
            raise FormatError("image %d has a wrong bitmap header" % i)
        mask_stride = ((size + 31) // 32) * 4
        if length != 40 + size * size * 4 + mask_stride * size:
            raise FormatError("image %d has %d bytes, expected %d"
                              % (i, length, 40 + size * size * 4 + mask_stride * size))
        colour = data[where + 40:where + 40 + size * size * 4]
        mask = data[where + 40 + size * size * 4:where + length]
        alphas = colour[3::4]
        if max(alphas) < 255 or min(alphas) != 0:
            raise FormatError("image %d is not drawn on a transparent ground" % i)
        for row in range(size):
            for x in range(size):
                transparent = bool(mask[row * mask_stride + x // 8] & (0x80 >> (x % 8)))
                if transparent != (alphas[row * size + x] < MASK_ALPHA_THRESHOLD):
                    raise FormatError("image %d: mask disagrees with alpha at %d,%d" % (i, x, row))


def ico_colours(data):
    """Each image's straight BGRA bytes, top row first, by its size; the
    directory is taken as check_ico found it."""
    count = ICO_HEADER.unpack_from(data, 0)[2]
    images = {}
    for i in range(count):
        bw, _, _, _, _, _, _, where = ICO_ENTRY.unpack_from(data, ICO_HEADER.size + i * ICO_ENTRY.size)
        size = bw or 256
        stride = size * 4
        bottom_up = data[where + 40:where + 40 + size * stride]
        images[size] = b"".join(bottom_up[row * stride:(row + 1) * stride]
                                for row in range(size - 1, -1, -1))
    return images


def check_tray_ico(data, expect_sizes, plain):
    """A badged notification-area icon: well formed, the program's own small
    icon (`plain`, an .ico) everywhere outside the badge's corner, and a
    badge there."""
    check_ico(data, expect_sizes)
    badged, bare = ico_colours(data), ico_colours(plain)
    for size in expect_sizes:
        lo = int(badge_layout(size)[0])
        changed = False
        for y in range(size):
            for x in range(size):
                i = (y * size + x) * 4
                same = badged[size][i:i + 4] == bare[size][i:i + 4]
                if x < lo or y < lo:
                    if not same:
                        raise FormatError("%d-pixel image: the badge reaches %d,%d, outside its corner"
                                          % (size, x, y))
                else:
                    changed |= not same
        if not changed:
            raise FormatError("%d-pixel image has no badge" % size)


def check_bmp(data, width, height):
    if len(data) < BITMAP_FILE.size + 40:
        raise FormatError("too short")
    magic, file_size, _, _, pixel_offset = BITMAP_FILE.unpack_from(data, 0)
    info = BITMAP_INFO.unpack_from(data, BITMAP_FILE.size)
    if magic != b"BM" or file_size != len(data):
        raise FormatError("bad file header")
    if info[0] != 40 or info[1] != width or info[2] != height:
        raise FormatError("expected a bottom-up %dx%d bitmap" % (width, height))
    if info[3] != 1 or info[4] != 24 or info[5] != 0:
        raise FormatError("expected uncompressed 24-bit pixels")
    stride = (width * 3 + 3) & ~3
    if pixel_offset + stride * height != len(data) or info[6] != stride * height:
        raise FormatError("pixel rows are not padded to 4 bytes")


def check_png(data, width, height):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        raise FormatError("not a PNG")
    w, h = struct.unpack_from(">II", data, 16)
    if (w, h) != (width, height):
        raise FormatError("is %dx%d, expected %dx%d" % (w, h, width, height))


# ---------------------------------------------------------------------------

def build():
    """Every output file by its path, with the check it must pass."""
    states = {name: [draw(size) for size in ICON_SIZES] for name, draw in
              (("running", state_running), ("paused", state_paused), ("finished", state_finished))}
    app_sizes = (64, 48, 40, 32, 24, 20, 16)
    app = {size: app_icon(size) for size in app_sizes}
    logos = {percent: logo(percent) for percent in LOGO_SCALES}
    outputs = [("res/icons/state_%s.ico" % name, ico_file(images), check_ico, list(ICON_SIZES))
               for name, images in states.items()]
    app_small = ico_file([app[size] for size in ICON_SIZES])
    trays = {name: [draw(size) for size in ICON_SIZES] for name, draw in
             (("running", tray_running), ("finished", tray_finished))}
    outputs += [
        ("res/icons/app.ico", ico_file([app[size] for size in app_sizes]), check_ico, list(app_sizes)),
        ("res/icons/app_small.ico", app_small, check_ico, list(ICON_SIZES)),
    ]
    outputs += [("res/icons/tray_%s.ico" % name, ico_file(images), check_tray_ico, list(ICON_SIZES),
                 app_small)
                for name, images in trays.items()]
    outputs += [(path, bmp24_file(logos[percent]), check_bmp,
                 *(scaled_length(v, percent) for v in LOGO_SIZE))
                for percent, path in LOGO_SCALES.items()]
    outputs += [("docs/help/images/state_%s.png" % name, png_file(images[0]), check_png, 16, 16)
                for name, images in states.items()]
    outputs += [("docs/help/images/tray_%s.png" % name, png_file(images[0]), check_png, 16, 16)
                for name, images in trays.items()]
    outputs += [
        ("docs/help/images/app.png", png_file(app[32]), check_png, 32, 32),
        ("docs/help/images/logo.png", png_file(logos[100]), check_png, 203, 61),
    ]
    return outputs


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.dirname(here))
    parser.add_argument("--check", action="store_true")
    args = parser.parse_args(argv)

    outputs = build()
    failed = False
    for rel, data, check, *expect in outputs:
        path = os.path.join(args.out, rel)
        if not args.check:
            write(path, data)
        failed |= not report(rel, check, path, *expect)
    return 1 if failed else 0


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def report(name, check, path, *expect):
    try:
        with open(path, "rb") as f:
            check(f.read(), *expect)
    except (OSError, FormatError, struct.error) as e:
        print("%s: %s" % (name, e), file=sys.stderr)
        return False
    print("%s: ok" % name)
    return True


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
