#!/usr/bin/python3
"""Draws the module's bitmaps and icons and writes them into resources/.

Standard library only: the BMP and ICO bytes are written here, so the result
is the same on every machine. The script is the source of the pictures; the
files it writes are committed, so the build only needs them, and the test
resources_check draws them again and compares. Run it after changing a picture:

    scripts/draw-resources.py            # writes into <repo>/resources
    scripts/draw-resources.py OUTDIR     # writes elsewhere (e.g. to compare)

Small glyphs are pixel art, one character per pixel. The 32 x 32 pictures are
built from shapes given as signed distance functions: the button strip is
rendered with 4 x 4 supersampling into 24-bit colour, the icons are snapped to
the 16-colour palette without blending.
"""

import math
import os
import struct
import sys

# ---------------------------------------------------------------------------
# The standard Windows 16-colour palette, in its usual index order.

PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)

# One character per pixel in the pixel-art grids.
CHARS = {
    'k': BLACK, 'm': MAROON, 'g': GREEN, 'o': OLIVE, 'n': NAVY, 'p': PURPLE,
    't': TEAL, 's': SILVER, 'd': GREY, 'r': RED, 'l': LIME, 'y': YELLOW,
    'b': BLUE, 'f': FUCHSIA, 'c': AQUA, 'w': WHITE,
}

MAGENTA_RGB = (255, 0, 255)


# ---------------------------------------------------------------------------
# File writers. Rows are given top-down; BMP stores them bottom-up.

def _bmp_file(width, height, bpp, palette, pixel_bytes):
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, bpp, 0, len(pixel_bytes),
                       2835, 2835, len(palette), len(palette))
    pal = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in palette)
    offset = 14 + len(info) + len(pal)
    head = struct.pack('<2sIHHI', b'BM', offset + len(pixel_bytes), 0, 0, offset)
    return head + info + pal + pixel_bytes


def _pad(row):
    return row + b'\0' * (-len(row) % 4)


def _pack4(indices):
    if len(indices) % 2:
        indices = list(indices) + [0]
    return bytes((indices[i] << 4) | indices[i + 1] for i in range(0, len(indices), 2))


def bmp4(rows):
    """A 16-colour bitmap with the standard palette; rows of palette indices."""
    height, width = len(rows), len(rows[0])
    data = b''.join(_pad(_pack4(row)) for row in reversed(rows))
    return _bmp_file(width, height, 4, PALETTE, data)


def bmp24(rows):
    """A 24-bit bitmap; rows of (r, g, b) tuples."""
    height, width = len(rows), len(rows[0])
    data = b''.join(_pad(b''.join(struct.pack('BBB', b, g, r) for (r, g, b) in row))
                    for row in reversed(rows))
    return _bmp_file(width, height, 24, [], data)


def ico4(rows):
    """A one-image 16-colour icon; rows of palette indices, None = transparent.

    The image is a DIB of doubled height: the colour part (transparent pixels
    black, so they vanish under the mask) followed by the 1-bit AND mask.
    """
    height, width = len(rows), len(rows[0])
    xor = b''.join(_pad(_pack4([0 if p is None else p for p in row])) for row in reversed(rows))
    mask = b''
    for row in reversed(rows):
        bits = bytearray((width + 7) // 8)
        for x, p in enumerate(row):
            if p is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += _pad(bytes(bits))
    info = struct.pack('<IiiHHIIiiII', 40, width, height * 2, 1, 4, 0, len(xor) + len(mask),
                       0, 0, 0, 0)
    pal = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in PALETTE)
    image = info + pal + xor + mask
    head = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', width % 256, height % 256, 16, 0, 1, 4, len(image), 6 + 16)
    return head + entry + image


# ---------------------------------------------------------------------------
# Pixel art helpers.

def grid(text, background):
    """Turns a picture drawn with CHARS into rows of palette indices.

    '.' is the background colour; every row must have the same length.
    """
    lines = [line.strip() for line in text.strip('\n').splitlines()]
    width = len(lines[0])
    rows = []
    for n, line in enumerate(lines):
        if len(line) != width:
            raise ValueError('row %d is %d wide, expected %d: %r' % (n, len(line), width, line))
        rows.append([background if ch == '.' else CHARS[ch] for ch in line])
    return rows


# Folder and file glyphs, 16 x 15, background pure blue ('.').

CLOSEDFOLDER = """
................
................
..kkkkk.........
.kwyyyyk........
.kyyyyyykkkkkkkk
.kwwwwwwwwwwwwwk
.kwyyyyyyyyyyyok
.kwyyyyyyyyyyyok
.kwyyyyyyyyyyyok
.kwyyyyyyyyyyyok
.kwyyyyyyyyyyyok
.kwyyyyyyyyyyyok
.koooooooooooook
..kkkkkkkkkkkkkk
................
"""

OPENFOLDER = """
................
................
.kkkkk..........
kwyyyyk.........
kyyyyyykkkkkk...
kyyyyyyyyyyyyk..
kyyyyyyyyyyyyk..
kyyykkkkkkkkkkkk
kyykwwwwwwwwwwwk
kyykwyyyyyyyyyok
kykwyyyyyyyyyyk.
kykwyyyyyyyyyok.
kkwyyyyyyyyyyk..
kkoooooooooook..
.kkkkkkkkkkkkk..
"""

CURRENTFOLDER = """
................
................
.kkkkk..........
kwwwwwk.........
kwwwwwwkkkkkk...
kwwwwwwwwwwwwk..
kwwwwwwwwwwwwk..
kwwwkkkkkkkkkkkk
kwwkwwwwwwwwwwwk
kwwkwyyyyyyyyyok
kwkwyyyyyyyyyyk.
kwkwyyyyyyyyyok.
kkwyyyyyyyyyyk..
kkoooooooooook..
.kkkkkkkkkkkkk..
"""

EXECUTABLE = """
................
kkkkkkkkkkkkkkk.
knnnnnnnnnnnnnkd
knwwwnnnnnswsskd
knnnnnnnnnnnnnkd
kkkkkkkkkkkkkkkd
kswwwwwwwwwwwwkd
kswwwwwwwwwwwwkd
kswwwwwwwwwwwwkd
kswwwwwwwwwwwwkd
kswwwwwwwwwwwwkd
kswwwwwwwwwwwwkd
kkkkkkkkkkkkkkkd
.dddddddddddddd.
................
"""

UNKNOWNFILE = """
..kkkkkkkk......
..kwwwwwwkk.....
..kwwwwwwkwk....
..kwwwwwwkwwk...
..kwwwwwwkkkkk..
..kwwwwwwwwwskd.
..kwwwwwwwwwskd.
..kwwwwwwwwwskd.
..kwwwwwwwwwskd.
..kwwwwwwwwwskd.
..kwwwwwwwwwskd.
..kwwwwwwwwwskd.
..kssssssssssskd
..kkkkkkkkkkkkkd
...dddddddddddd.
"""

# Drive glyphs, 16 x 11, background pure blue ('.'). All share one grey
# drive box; the front face tells the kind.

FLOPPY = """
................
...kkkkkkkkkkkk.
..kwwwwwwwwwwwkk
.kkkkkkkkkkkkkdk
.kwwwwwwwwwwwsdk
.kssssssssssssdk
.ksskkkkkkkkssdk
.kssswwwwwwwssdk
.ksssssssssddsk.
.kkkkkkkkkkkkkk.
................
"""

HARD = """
................
...kkkkkkkkkkkk.
..kwwwwwwwwwwwkk
.kkkkkkkkkkkkkdk
.kwwwwwwwwwwwsdk
.ksdddddddddssdk
.kswwwwwwwwwssdk
.ksssssssssslgdk
.kssssssssssssk.
.kkkkkkkkkkkkkk.
................
"""

NETWORK = """
...kkkkkkkkkkkk.
..kwwwwwwwwwwwkk
.kkkkkkkkkkkkkdk
.kwwwwwwwwwwwsdk
.ksdddddddddssdk
.ksssssssssslgk.
.kkkkkkkkkkkkkk.
.......kk.......
.......kk.......
kkkkkkkkkkkkkkkk
................
"""

# The CD-ROM drive holds a disc that sticks out of its front.
CDROM = """
................
...kkkkkkkkkkkk.
..kwwwwwwwwwwwkk
.kkkkkkkkkkkkkdk
.kwwwwwwwwwwwsdk
.kssskkkkkkkksdk
.ksssdkkkkkkkksk
.ksssssssssssdsk
.kssssssssssssk.
.kkkkkkkkkkkkkk.
................
"""

CD_DISC = """
..kkkkk..
.kcwwssk.
kcwwsssdk
kwwsdsssk
kwsdkdssk
ksssdssdk
ksssssddk
.kssddck.
..kkkkk..
"""


def overlay(rows, art, left, top):
    """Paints pixel art over rows; '.' in the art leaves the pixel as it was."""
    for dy, line in enumerate(art.strip('\n').splitlines()):
        for dx, ch in enumerate(line.strip()):
            if ch != '.':
                rows[top + dy][left + dx] = CHARS[ch]
    return rows


# A RAM disk: memory chips with their pins on the drive's front.
RAM = """
................
...kkkkkkkkkkkk.
..kwwwwwwwwwwwkk
.kkkkkkkkkkkkkdk
.kwwwwwwwwwwwsdk
.ksdsdssdsdssldk
.kskkkssskkksgdk
.kskkkssskkkssdk
.ksdsdssdsdsssk.
.kkkkkkkkkkkkkk.
................
"""


# ---------------------------------------------------------------------------
# Shapes as signed distance functions: negative inside, positive outside,
# in pixel units, y pointing down, pixel (x, y) covering [x, x+1) x [y, y+1).

def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def ellipse(cx, cy, rx, ry, angle=0.0):
    """An approximate distance: exact sign, good enough edges for small shapes."""
    c, s = math.cos(math.radians(angle)), math.sin(math.radians(angle))
    scale = min(rx, ry)

    def f(x, y):
        dx, dy = x - cx, y - cy
        u, v = dx * c + dy * s, -dx * s + dy * c
        return (math.hypot(u / rx, v / ry) - 1.0) * scale
    return f


def box(x0, y0, x1, y1, radius=0.0):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - radius, (y1 - y0) / 2 - radius

    def f(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - radius
    return f


def _segment_distance(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
    return math.hypot(x - ax - t * dx, y - ay - t * dy)


def stroke(points, width):
    """A polyline with round caps and joins."""
    half = width / 2
    segs = list(zip(points, points[1:]))
    return lambda x, y: min(_segment_distance(x, y, a[0], a[1], b[0], b[1])
                            for a, b in segs) - half


def polygon(points):
    n = len(points)

    def f(x, y):
        d = float('inf')
        inside = False
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[i - 1]
            d = min(d, _segment_distance(x, y, ax, ay, bx, by))
            if (ay > y) != (by > y) and x < (bx - ax) * (y - ay) / (by - ay) + ax:
                inside = not inside
        return -d if inside else d
    return f


def arc(cx, cy, radius, width, start, end):
    """A thick circular arc with butt ends, from start to end degrees counter-
    clockwise as seen on screen (0 = right, 90 = up)."""
    half = width / 2
    span = (end - start) % 360

    def point(deg):
        return cx + radius * math.cos(math.radians(deg)), cy - radius * math.sin(math.radians(deg))
    p0, p1 = point(start), point(end)

    def f(x, y):
        deg = math.degrees(math.atan2(cy - y, x - cx))
        if (deg - start) % 360 <= span:
            return abs(math.hypot(x - cx, y - cy) - radius) - half
        # Beyond the ends: distance to the end edges (butt caps).
        best = float('inf')
        for (px, py), deg_end in ((p0, start), (p1, end)):
            nx, ny = math.cos(math.radians(deg_end)), -math.sin(math.radians(deg_end))
            best = min(best, _segment_distance(x, y, px - nx * half, py - ny * half,
                                               px + nx * half, py + ny * half))
        return best
    return f


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def subtract(shape, hole):
    return lambda x, y: max(shape(x, y), -hole(x, y))


def grow(shape, amount):
    return lambda x, y: shape(x, y) - amount


# ---------------------------------------------------------------------------
# Colour helpers for the 24-bit pictures.

def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def vertical(top, bottom, y0, y1):
    """A colour that runs from top (at y0) to bottom (at y1)."""
    def f(x, y):
        t = max(0.0, min(1.0, (y - y0) / (y1 - y0)))
        return mix(top, bottom, t)
    return f


def radial(inner, outer, cx, cy, r):
    def f(x, y):
        t = max(0.0, min(1.0, math.hypot(x - cx, y - cy) / r))
        return mix(inner, outer, t)
    return f


def brighten(colour, amount):
    return mix(colour, (255, 255, 255), amount)


def saturate(colour, amount):
    grey = sum(colour) / 3
    return tuple(max(0.0, min(255.0, grey + (c - grey) * (1 + amount))) for c in colour)


class Picture:
    """Layers painted in order; a layer is (shape, colour) with colour either
    an (r, g, b) tuple or a function of (x, y), or a glow (alpha function)."""

    def __init__(self):
        self.layers = []

    def fill(self, shape, colour):
        self.layers.append(('fill', shape, colour))
        return self

    def glow(self, alpha, colour):
        self.layers.append(('glow', alpha, colour))
        return self

    def render(self, size=32, samples=4, under=(255, 255, 255), empty=MAGENTA_RGB):
        """24-bit rows. Partly covered pixels are blended with `under` (the form
        behind the buttons is white); pixels that nothing touches get `empty`,
        the image list's transparent colour."""
        rows = []
        step = 1.0 / samples
        for py in range(size):
            row = []
            for px in range(size):
                acc = [0.0, 0.0, 0.0]
                alpha_sum = 0.0
                for sy in range(samples):
                    for sx in range(samples):
                        x, y = px + (sx + 0.5) * step, py + (sy + 0.5) * step
                        c = [0.0, 0.0, 0.0]
                        a = 0.0
                        for kind, what, colour in self.layers:
                            if kind == 'fill':
                                if what(x, y) > 0:
                                    continue
                                la = 1.0
                            else:
                                la = what(x, y)
                                if la <= 0:
                                    continue
                            col = colour(x, y) if callable(colour) else colour
                            c = [col[i] * la + c[i] * (1 - la) for i in range(3)]
                            a = la + a * (1 - la)
                        acc = [acc[i] + c[i] for i in range(3)]
                        alpha_sum += a
                n = samples * samples
                alpha = alpha_sum / n
                if alpha < 0.03:
                    row.append(empty)
                else:
                    row.append(tuple(int(round(min(255.0, acc[i] / n + under[i] * (1 - alpha))))
                                     for i in range(3)))
            rows.append(row)
        return rows


class IndexedPicture:
    """Layers of (shape, palette index); a pixel takes the last layer that
    covers at least half of it. Nothing is blended: icons keep 16 colours."""

    def __init__(self):
        self.layers = []

    def fill(self, shape, index):
        self.layers.append((shape, index))
        return self

    def outlined(self, shape, index, outline=BLACK, width=1.0):
        self.layers.append((grow(shape, width), outline))
        self.layers.append((shape, index))
        return self

    def render(self, size=32, samples=4):
        rows = []
        step = 1.0 / samples
        for py in range(size):
            row = []
            for px in range(size):
                votes = {}
                for sy in range(samples):
                    for sx in range(samples):
                        x, y = px + (sx + 0.5) * step, py + (sy + 0.5) * step
                        top = None
                        for shape, index in self.layers:
                            if shape(x, y) <= 0:
                                top = index
                        votes[top] = votes.get(top, 0) + 1
                covered = sum(v for k, v in votes.items() if k is not None)
                if covered * 2 < samples * samples:
                    row.append(None)
                else:
                    row.append(max((v, k) for k, v in votes.items() if k is not None)[1])
            rows.append(row)
        return rows


# ---------------------------------------------------------------------------
# The template's button pictures, 32 x 32 each. `hot` is the picture shown
# while the mouse is over the button: stronger colours and a soft glow ring.

def _glow_ring(pic, colour, cx=16.0, cy=16.0, radius=13.0):
    def alpha(x, y):
        d = math.hypot(x - cx, y - cy)
        ring = 0.55 * math.exp(-((d - radius) / 2.0) ** 2)
        inner = 0.18 if d < radius else 0.0
        return min(0.7, ring + inner)
    pic.glow(alpha, colour)


def _tone(colour, hot):
    return brighten(saturate(colour, 0.25), 0.12) if hot else colour


def picture_ok(hot):
    pic = Picture()
    if hot:
        _glow_ring(pic, (150, 230, 120))
    check = [(7.5, 16.5), (13.5, 22.5), (25.0, 9.0)]
    dark = _tone((10, 90, 20), hot)
    top, bottom = _tone((120, 215, 90), hot), _tone((25, 140, 35), hot)
    pic.fill(stroke(check, 7.6), dark)
    pic.fill(stroke(check, 5.2), vertical(top, bottom, 9, 24))
    pic.fill(stroke([(8.6, 16.4), (13.5, 21.3), (24.4, 9.0)], 1.3),
             brighten(top, 0.45))
    return pic


def picture_undo(hot):
    pic = Picture()
    if hot:
        _glow_ring(pic, (255, 205, 130))
    cx, cy, r = 17.0, 17.5, 8.0
    dark = _tone((150, 70, 0), hot)
    light, deep = _tone((255, 195, 80), hot), _tone((225, 115, 10), hot)
    body = arc(cx, cy, r, 4.6, -50, 180)
    head = polygon([(cx - r - 6.2, cy - 0.5), (cx - r + 6.2, cy - 0.5), (cx - r, cy + 7.5)])
    shape = union(body, head)
    pic.fill(grow(shape, 1.2), dark)
    pic.fill(shape, vertical(light, deep, cy - r - 3, cy + 8))
    pic.fill(arc(cx, cy, r + 1.0, 1.0, 20, 160), brighten(light, 0.5))
    return pic


def picture_info(hot):
    pic = Picture()
    if hot:
        _glow_ring(pic, (140, 190, 255))
    dark = _tone((15, 45, 130), hot)
    pic.fill(circle(16, 16, 12.6), dark)
    pic.fill(circle(16, 16, 11.4), radial(_tone((110, 170, 250), hot), _tone((25, 85, 200), hot),
                                          12.5, 11.0, 16.0))
    pic.fill(ellipse(13.5, 9.5, 5.0, 2.4, -25), lambda x, y: brighten((110, 170, 250), 0.35))
    pic.fill(circle(16, 9.8, 2.1), (255, 255, 255))
    pic.fill(union(box(14.2, 13.5, 17.8, 23.5, 0.6), box(12.8, 21.6, 19.2, 23.8, 0.6),
                   box(12.8, 13.5, 17.8, 15.2, 0.6)), (255, 255, 255))
    return pic


def _cube(pic, x, y, s, colour, hot):
    """An isometric cube whose top corner is at (x, y), edge length s."""
    h = s / 2
    base = _tone(colour, hot)
    top = [(x, y), (x + s, y + h), (x, y + s), (x - s, y + h)]
    left = [(x - s, y + h), (x, y + s), (x, y + 2 * s), (x - s, y + s + h)]
    right = [(x, y + s), (x + s, y + h), (x + s, y + s + h), (x, y + 2 * s)]
    hexagon = [(x, y), (x + s, y + h), (x + s, y + s + h), (x, y + 2 * s), (x - s, y + s + h),
               (x - s, y + h)]
    pic.fill(grow(polygon(hexagon), 0.9), _tone(mix(colour, (0, 0, 0), 0.65), hot))
    pic.fill(grow(polygon(top), -0.35), brighten(base, 0.45))
    pic.fill(grow(polygon(left), -0.35), base)
    pic.fill(grow(polygon(right), -0.35), mix(base, (0, 0, 0), 0.3))


def picture_registry(hot):
    pic = Picture()
    if hot:
        _glow_ring(pic, (170, 200, 255))
    s = 6.6
    _cube(pic, 9.6, 13.0, s, (40, 110, 220), hot)
    _cube(pic, 22.4, 13.0, s, (40, 170, 70), hot)
    _cube(pic, 16.0, 2.6, s, (220, 70, 50), hot)
    return pic


def _round_badge(pic, colour, hot):
    dark = _tone(mix(colour, (0, 0, 0), 0.55), hot)
    light, deep = _tone(brighten(colour, 0.4), hot), _tone(colour, hot)
    pic.fill(circle(16, 16, 12.6), dark)
    pic.fill(circle(16, 16, 11.4), radial(light, deep, 12.5, 11.0, 16.0))
    pic.fill(ellipse(13.0, 7.9, 4.2, 1.7, -25), brighten(light, 0.4))


def picture_help(hot):
    pic = Picture()
    if hot:
        _glow_ring(pic, (215, 170, 255))
    _round_badge(pic, (130, 60, 190), hot)
    white = (255, 255, 255)
    pic.fill(arc(16, 12.6, 3.9, 3.0, -90, 165), white)
    pic.fill(stroke([(16, 16.0), (16, 18.8)], 3.0), white)
    pic.fill(circle(16, 23.4, 1.9), white)
    return pic


def picture_close(hot):
    pic = Picture()
    if hot:
        _glow_ring(pic, (255, 160, 150))
    _round_badge(pic, (210, 40, 30), hot)
    pic.fill(union(stroke([(11.5, 11.5), (20.5, 20.5)], 3.4),
                   stroke([(20.5, 11.5), (11.5, 20.5)], 3.4)), (255, 255, 255))
    return pic


def picture_play(hot):
    pic = Picture()
    if hot:
        _glow_ring(pic, (150, 230, 120))
    _round_badge(pic, (30, 150, 40), hot)
    pic.fill(grow(polygon([(13.0, 10.0), (22.5, 16.0), (13.0, 22.0)]), 0.6), (255, 255, 255))
    return pic


def picture_stop(hot):
    pic = Picture()
    if hot:
        _glow_ring(pic, (170, 190, 220))
    _round_badge(pic, (70, 85, 110), hot)
    pic.fill(box(12.0, 12.0, 20.0, 20.0, 1.0), (255, 255, 255))
    return pic


# Image list order: normal and hot picture of OK, Undo, Info, Registry, then
# four spare pictures for tips that need more buttons.
BUTTONS = [
    (picture_ok, False), (picture_ok, True),
    (picture_undo, False), (picture_undo, True),
    (picture_info, False), (picture_info, True),
    (picture_registry, False), (picture_registry, True),
    (picture_help, False), (picture_close, False), (picture_play, False), (picture_stop, False),
]


def button_strip():
    images = [make(hot).render() for make, hot in BUTTONS]
    return [sum((img[y] for img in images), []) for y in range(32)]


# ---------------------------------------------------------------------------
# The play button's glyph: two 16 x 16 images side by side, normal and
# disabled, on fuchsia (a colour neither picture uses).

PLAY = """
................
................
....kk..........
....kwkk........
....kwllkk......
....kwllllkk....
....kwllllllkk..
....klllllllllk.
....klllllllggkd
....kllllllggkd.
....kllllggkkd..
....kllggkkd....
....kggkkd......
....kkkd........
.....d..........
................
"""


def play_glyph():
    """Normal image on the left, the disabled one (grey, embossed) on the right."""
    normal = grid(PLAY, FUCHSIA)
    size = len(normal)
    disabled = [[FUCHSIA] * size for _ in range(size)]
    shape = [[p in (BLACK, WHITE, LIME, GREEN) for p in row] for row in normal]
    for y in range(size):
        for x in range(size):
            if shape[y][x] and y + 1 < size and x + 1 < size and not shape[y + 1][x + 1]:
                disabled[y + 1][x + 1] = WHITE
    for y in range(size):
        for x in range(size):
            if shape[y][x]:
                disabled[y][x] = GREY if normal[y][x] == BLACK else SILVER
    return [normal[y] + disabled[y] for y in range(size)]


# ---------------------------------------------------------------------------
# Icons, 32 x 32, 16 colours.

def tip_icon():
    """A lit light bulb: the template is the frame of every tip."""
    pic = IndexedPicture()
    for deg in (150, 115, 90, 65, 30):
        c, s = math.cos(math.radians(deg)), -math.sin(math.radians(deg))
        pic.fill(stroke([(16 + 11.2 * c, 12.5 + 11.2 * s), (16 + 14.2 * c, 12.5 + 14.2 * s)], 1.7),
                 OLIVE)
    glass = union(circle(16, 12.5, 8.2),
                  polygon([(10.0, 16.0), (22.0, 16.0), (19.8, 22.5), (12.2, 22.5)]))
    pic.outlined(glass, YELLOW, width=1.1)
    pic.fill(ellipse(12.6, 9.6, 1.6, 3.0, 35), WHITE)
    pic.fill(stroke([(13.5, 21.5), (13.5, 17.5), (14.5, 15.5), (16.0, 17.5), (17.5, 15.5),
                     (18.5, 17.5), (18.5, 21.5)], 1.0), OLIVE)
    pic.outlined(box(11.8, 22.5, 20.2, 28.2, 0.8), SILVER, width=1.1)
    for y in (24.5, 26.5):
        pic.fill(box(12.0, y - 0.45, 20.0, y + 0.45), GREY)
    pic.outlined(box(14.0, 28.5, 18.0, 30.0, 0.6), GREY, width=1.0)
    return pic.render()


def editor_icon():
    """Beamed notes over a luggage label: a tag editor for music."""
    pic = IndexedPicture()
    tag = polygon([(1.5, 21.0), (8.0, 14.5), (30.5, 14.5), (30.5, 28.5), (8.0, 28.5)])
    pic.fill(stroke([(6.5, 21.0), (3.5, 16.5), (3.0, 11.0), (5.5, 6.5), (9.0, 4.5)], 1.2), BLACK)
    pic.outlined(tag, YELLOW, width=1.1)
    pic.fill(box(8.6, 26.5, 30.4, 28.4), OLIVE)
    pic.outlined(circle(7.0, 21.5, 2.0), WHITE, width=1.0)
    pic.fill(circle(7.0, 21.5, 0.9), BLACK)
    for y, x1 in ((19.0, 13.5), (22.5, 12.5)):
        pic.fill(box(11.0, y - 0.5, x1, y + 0.5), OLIVE)
    heads = [ellipse(17.0, 23.0, 3.0, 2.1, -22), ellipse(26.2, 21.0, 3.0, 2.1, -22)]
    stems = [box(18.7, 5.5, 20.1, 22.5), box(27.9, 3.5, 29.3, 20.5)]
    beam = polygon([(18.7, 5.5), (29.3, 3.5), (29.3, 7.0), (18.7, 9.0)])
    note = union(heads[0], heads[1], stems[0], stems[1], beam)
    pic.fill(grow(note, 1.0), WHITE)
    pic.fill(note, BLACK)
    return pic.render()


# ---------------------------------------------------------------------------

GLYPHS = [
    # (resource name, pixel art, width, height)
    ('OPENFOLDER', OPENFOLDER, 16, 15),
    ('CLOSEDFOLDER', CLOSEDFOLDER, 16, 15),
    ('CURRENTFOLDER', CURRENTFOLDER, 16, 15),
    ('EXECUTABLE', EXECUTABLE, 16, 15),
    ('UNKNOWNFILE', UNKNOWNFILE, 16, 15),
    ('FLOPPY', FLOPPY, 16, 11),
    ('HARD', HARD, 16, 11),
    ('NETWORK', NETWORK, 16, 11),
    ('CDROM', CDROM, 16, 11),
    ('RAM', RAM, 16, 11),
]

RC_HEADER = """\
// Bitmaps and icons of the module, drawn by scripts/draw-resources.py.
// Do not edit by hand: change the script and run it again.
// File names resolve against the include path (windres -I <repo>/resources)
// or the directory of this file.

"""


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, '..', 'resources')
    os.makedirs(out, exist_ok=True)
    files = {}
    for name, art, width, height in GLYPHS:
        rows = grid(art, BLUE)
        if name == 'CDROM':
            overlay(rows, CD_DISC, 7, 2)
        if (len(rows[0]), len(rows)) != (width, height):
            raise ValueError('%s is %dx%d' % (name, len(rows[0]), len(rows)))
        if rows[-1][0] != BLUE:
            raise ValueError('%s: bottom-left pixel must be the blue background' % name)
        files[name + '.bmp'] = bmp4(rows)
    files['PLAY.bmp'] = bmp4(play_glyph())
    files['TIPPBUTTONS.bmp'] = bmp24(button_strip())
    files['TIPP.ico'] = ico4(tip_icon())
    files['OMBRIK63.ico'] = ico4(editor_icon())

    lines = [RC_HEADER]
    for name, _, _, _ in GLYPHS:
        lines.append('%-14s BITMAP "%s.bmp"\n' % (name, name))
    lines.append('%-14s BITMAP "TIPPBUTTONS.bmp"\n' % 'TIPPBUTTONS')
    lines.append('%-14s BITMAP "PLAY.bmp"\n' % 'PLAY')
    lines.append('%-14s ICON   "TIPP.ico"\n' % 'TIPPICON')
    lines.append('%-14s ICON   "OMBRIK63.ico"\n' % 'OMBRIK63ICON')
    files['glyphs.rc'] = ''.join(lines).encode('ascii')

    for name, data in sorted(files.items()):
        with open(os.path.join(out, name), 'wb') as f:
            f.write(data)
        print('%-18s %6d bytes' % (name, len(data)))


if __name__ == '__main__':
    main()
