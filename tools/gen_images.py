"""Draws every built-in picture, glyph, cursor and icon Zellipo ships: python3 tools/gen_images.py OUTDIR."""

import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from bmpwriter import VGA16, write_bmp, write_palette_png, write_png  # noqa: E402

# The glyphs are drawn on the light grey of a button, an index no glyph uses for
# anything else; their files mark it see-through.
GLYPH_BG = 7
# The cursors' see-through index, magenta; the only other colours in them are the
# black outline and the white fill, the two colours a monochrome cursor has.
CURSOR_CLEAR = 13


# --- rasteriser --------------------------------------------------------------
# Everything is sampled at pixel centres with hard edges: the default picture has
# to stay flat-coloured (an 8-bit palette, and tiles the eye can match by colour),
# and tiny glyphs only read well when every pixel is placed on purpose.

def polygon_mask(points):
    """Pixels whose centres fall inside the polygon (even-odd rule)."""
    edges = []
    for i, (x0, y0) in enumerate(points):
        x1, y1 = points[(i + 1) % len(points)]
        if y0 != y1:
            edges.append((x0, y0, x1, y1))
    ys = [p[1] for p in points]
    mask = set()
    for y in range(max(0, math.floor(min(ys))), math.ceil(max(ys)) + 1):
        sy = y + 0.5
        xs = []
        for (x0, y0, x1, y1) in edges:
            if (y0 <= sy < y1) or (y1 <= sy < y0):
                xs.append(x0 + (sy - y0) * (x1 - x0) / (y1 - y0))
        xs.sort()
        for a, b in zip(xs[0::2], xs[1::2]):
            for x in range(math.ceil(a - 0.5), math.ceil(b - 0.5)):
                mask.add((x, y))
    return mask


def ellipse_mask(cx, cy, rx, ry):
    mask = set()
    for y in range(math.floor(cy - ry) - 1, math.ceil(cy + ry) + 1):
        for x in range(math.floor(cx - rx) - 1, math.ceil(cx + rx) + 1):
            dx = (x + 0.5 - cx) / rx
            dy = (y + 0.5 - cy) / ry
            if dx * dx + dy * dy <= 1.0:
                mask.add((x, y))
    return mask


def circle_mask(cx, cy, r):
    return ellipse_mask(cx, cy, r, r)


def rect_mask(x0, y0, x1, y1):
    """Half-open: x0 <= x < x1, y0 <= y < y1."""
    return {(x, y) for y in range(y0, y1) for x in range(x0, x1)}


def line_mask(x0, y0, x1, y1, width):
    """A straight stroke of the given width, square-ended at both points."""
    dx, dy = x1 - x0, y1 - y0
    length = math.sqrt(dx * dx + dy * dy)  # sqrt is exactly rounded everywhere, hypot is not
    nx, ny = -dy / length * width / 2, dx / length * width / 2
    return polygon_mask([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)])


def snap(v, step=0.25):
    # Vertices from trigonometry are snapped to a coarse grid, so a last-bit
    # difference between two maths libraries does not move a pixel.
    return round(v / step) * step


class Canvas:
    def __init__(self, width, height, fill):
        self.width, self.height = width, height
        self.px = [[fill] * width for _ in range(height)]

    def paint(self, mask, colour):
        for (x, y) in mask:
            if 0 <= x < self.width and 0 <= y < self.height:
                self.px[y][x] = colour

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.px[y][x] = colour

    def get(self, x, y):
        return self.px[y][x]

    def art(self, x0, y0, text, legend):
        """Stamps pixel art; characters missing from the legend are left alone."""
        for dy, line in enumerate(text.strip("\n").split("\n")):
            for dx, ch in enumerate(line):
                if ch in legend:
                    self.put(x0 + dx, y0 + dy, legend[ch])

    def rows(self):
        return [list(r) for r in self.px]


def parse_art(text):
    return [list(line) for line in text.strip("\n").split("\n")]


# --- the default picture -----------------------------------------------------

PICTURE_COLOURS = [
    ("sky", (122, 192, 240)),
    ("sun", (255, 232, 86)),
    ("sun_ring", (255, 176, 40)),
    ("ray", (255, 206, 70)),
    ("white", (255, 255, 255)),
    ("cloud_shade", (206, 222, 240)),
    ("balloon_a", (222, 52, 64)),
    ("balloon_b", (255, 214, 64)),
    ("basket", (150, 96, 44)),
    ("rope", (88, 60, 34)),
    ("bird", (44, 48, 70)),
    ("mount", (118, 126, 178)),
    ("mount_dark", (86, 94, 146)),
    ("snow", (246, 250, 255)),
    ("hill_far", (186, 218, 104)),
    ("pine", (38, 112, 72)),
    ("pine_dark", (24, 84, 56)),
    ("hill_mid", (118, 188, 78)),
    ("hill_near", (66, 150, 62)),
    ("field", (224, 196, 92)),
    ("field_row", (196, 160, 64)),
    ("wall", (246, 228, 176)),
    ("wall_shade", (214, 188, 130)),
    ("roof", (204, 44, 40)),
    ("roof_dark", (148, 26, 30)),
    ("brick", (170, 84, 60)),
    ("smoke", (200, 204, 212)),
    ("door", (132, 78, 36)),
    ("knob", (250, 210, 60)),
    ("glass", (90, 160, 226)),
    ("trunk", (122, 76, 40)),
    ("leaf", (34, 124, 44)),
    ("leaf_light", (76, 170, 60)),
    ("apple", (226, 40, 40)),
    ("sand", (232, 204, 140)),
    ("path", (222, 186, 120)),
    ("path_stone", (186, 150, 96)),
    ("water", (46, 118, 206)),
    ("water_light", (140, 196, 246)),
    ("hull", (190, 40, 40)),
    ("sail", (255, 255, 250)),
    ("mast", (90, 60, 36)),
    ("fence", (255, 246, 230)),
    ("flower_r", (240, 60, 90)),
    ("flower_y", (255, 236, 70)),
    ("flower_p", (170, 90, 220)),
]


def picture_palette(colours=PICTURE_COLOURS):
    palette = [rgb for _, rgb in colours]
    # The rest of the 256 entries are never drawn with; a colour cube keeps them
    # harmless if someone later edits the picture in a paint program.
    levels = (0, 51, 102, 153, 204, 255)
    for r in levels:
        for g in levels:
            for b in levels:
                if len(palette) < 256 and (r, g, b) not in palette:
                    palette.append((r, g, b))
    v = 8
    while len(palette) < 256:
        if (v, v, v) not in palette:
            palette.append((v, v, v))
        v += 8
    return palette


def wavy_edge(x0, x1, step, base, waves):
    """Points along a hill crest; waves are (amplitude, period, phase) triples."""
    pts = []
    x = x0
    while x <= x1:
        y = base
        for amp, period, phase in waves:
            y += amp * math.sin(2 * math.pi * (x / period + phase))
        pts.append((x, snap(y)))
        x += step
    return pts


def draw_default_picture():
    ix = {name: i for i, (name, _) in enumerate(PICTURE_COLOURS)}
    W, H = 240, 180
    c = Canvas(W, H, ix["sky"])

    # The scene is laid out so that every part of the sky holds something
    # (sun, clouds, birds, balloon): blank sky tiles would be a guessing game.
    sx, sy = 34, 32
    for k in range(12):
        a = 2 * math.pi * k / 12
        tip = (snap(sx + 27 * math.cos(a)), snap(sy + 27 * math.sin(a)))
        side1 = (snap(sx + 16 * math.cos(a - 0.2)), snap(sy + 16 * math.sin(a - 0.2)))
        side2 = (snap(sx + 16 * math.cos(a + 0.2)), snap(sy + 16 * math.sin(a + 0.2)))
        c.paint(polygon_mask([side1, tip, side2]), ix["ray"])
    c.paint(circle_mask(sx, sy, 18), ix["sun_ring"])
    c.paint(circle_mask(sx, sy, 15), ix["sun"])

    def cloud(x, y, s):
        puffs = [(-14, 2, 9), (-4, -4, 11), (9, -2, 10), (18, 3, 7)]
        body = set()
        for dx, dy, r in puffs:
            body |= circle_mask(x + dx * s, y + dy * s, r * s)
        body |= rect_mask(round(x - 16 * s), round(y + 1 * s), round(x + 20 * s), round(y + 10 * s))
        body = {(px, py) for (px, py) in body if py < y + 10 * s}
        shade = {(px, py) for (px, py) in body if py >= y + 6 * s}
        c.paint(body, ix["white"])
        c.paint(shade, ix["cloud_shade"])

    cloud(104, 22, 1.0)
    cloud(166, 12, 0.6)

    bird = """
BB...BB
..B.B..
...B...
"""
    for (x, y) in ((112, 50), (124, 44), (226, 52)):
        c.art(x, y, bird, {"B": ix["bird"]})

    # Lighting each peak from the left, like the sun, separates the ridges
    # where they overlap.
    ridge = [(0, 80), (26, 70), (52, 82), (86, 60), (110, 76), (146, 44), (178, 70), (198, 60), (222, 76), (240, 66)]
    mountains = polygon_mask([(0, 130)] + ridge + [(240, 130)])
    c.paint(mountains, ix["mount"])
    for i in range(1, len(ridge) - 1):
        px, py = ridge[i]
        if ridge[i - 1][1] > py < ridge[i + 1][1]:
            vx, vy = ridge[i + 1]
            shade = polygon_mask([(px, py), (vx, vy), (vx, 130), (px + 4, 130)]) & mountains
            c.paint(shade, ix["mount_dark"])
    for (px, py) in ((146, 44), (86, 60), (198, 60)):
        depth = 12 if py < 50 else 7
        caps = polygon_mask([(px - 30, py - 2), (px + 30, py - 2), (px + 30, py + depth),
                             (px + 8, py + depth - 4), (px + 3, py + depth + 1), (px - 3, py + depth - 3),
                             (px - 9, py + depth + 2), (px - 30, py + depth)])
        c.paint(caps & mountains, ix["snow"])

    # The balloon floats in front of the mountains; curved stripes make it
    # read as round even at 240 px.
    bx, by, br = 204, 30, 17
    envelope = circle_mask(bx, by, br) | polygon_mask([(bx - 15, by + 8), (bx + 15, by + 8), (bx + 6, by + 28), (bx - 6, by + 28)])
    # Gores of equal angle on a sphere: their seams sit where the sine of the
    # angle across the envelope crosses these values. Comparing against them
    # instead of calling asin keeps the seams on the same pixels everywhere.
    seams = (-math.sqrt(3) / 2, -0.5, 0.0, 0.5, math.sqrt(3) / 2)
    spans = {}
    for (px, py) in envelope:
        lo, hi = spans.get(py, (px, px))
        spans[py] = (min(lo, px), max(hi, px))
    for (px, py) in envelope:
        lo, hi = spans[py]
        half = (hi - lo + 1) / 2
        u = (px + 0.5 - (lo + half)) / half
        band = sum(1 for s in seams if u >= s)
        c.put(px, py, ix["balloon_a"] if band % 2 == 0 else ix["balloon_b"])
    c.paint(line_mask(bx - 6, by + 28, bx - 4, by + 36, 1), ix["rope"])
    c.paint(line_mask(bx + 6, by + 28, bx + 4, by + 36, 1), ix["rope"])
    c.paint(rect_mask(bx - 5, by + 35, bx + 5, by + 42), ix["basket"])
    c.paint(rect_mask(bx - 5, by + 37, bx + 5, by + 38), ix["rope"])

    # Drawn after the mountains so it stays visible in front of them.
    cloud(14, 68, 0.6)

    # Three layers of hill in clearly different greens, so a tile of plain
    # grass still tells the player which band of the picture it belongs to.
    far = polygon_mask([(0, 180)] + wavy_edge(0, 240, 4, 98, [(6, 160, 0.1), (3, 70, 0.4)]) + [(240, 180)])
    c.paint(far, ix["hill_far"])
    for (x, y, s) in ((150, 94, 1.0), (160, 98, 0.8), (168, 92, 1.1), (180, 96, 0.9), (228, 92, 1.0)):
        tree = polygon_mask([(x, y - 16 * s), (x + 6 * s, y), (x - 6 * s, y)])
        c.paint(tree, ix["pine"])
        c.paint(tree & rect_mask(x, 0, 240, 180), ix["pine_dark"])
        c.paint(rect_mask(x - 1, y, x + 1, y + 3), ix["trunk"])

    mid = polygon_mask([(0, 180)] + wavy_edge(0, 240, 4, 116, [(7, 200, 0.55), (3, 60, 0.2)]) + [(240, 180)])
    c.paint(mid, ix["hill_mid"])
    field = polygon_mask([(160, 110), (236, 104), (240, 128), (150, 130)]) & mid
    c.paint(field, ix["field"])
    for k in range(6):
        c.paint(polygon_mask([(150 + k * 16, 131), (154 + k * 16, 131), (170 + k * 14, 104), (166 + k * 14, 104)]) & field, ix["field_row"])

    near = polygon_mask([(0, 180)] + wavy_edge(0, 240, 4, 134, [(5, 240, 0.65), (2, 50, 0.0)]) + [(240, 180)])
    c.paint(near, ix["hill_near"])

    # The house is the picture's anchor: it spans the middle-left tiles at
    # every board size.
    hx0, hx1, wall_top, ground = 22, 84, 100, 136
    c.paint(rect_mask(66, 70, 74, 92), ix["brick"])
    c.paint(rect_mask(65, 68, 75, 71), ix["roof_dark"])
    for (dx, dy, r) in ((72, 62, 3), (76, 55, 4), (82, 47, 5)):
        c.paint(circle_mask(dx, dy, r), ix["smoke"])
    c.paint(rect_mask(hx0, wall_top, hx1, ground), ix["wall"])
    c.paint(rect_mask(hx1 - 6, wall_top, hx1, ground), ix["wall_shade"])
    c.paint(polygon_mask([(hx0 - 8, wall_top + 2), (53, 72), (hx1 + 8, wall_top + 2)]), ix["roof"])
    c.paint(rect_mask(hx0 - 8, wall_top + 2, hx1 + 8, wall_top + 5), ix["roof_dark"])
    c.paint(circle_mask(53, 88, 5), ix["white"])
    c.paint(circle_mask(53, 88, 3.5), ix["glass"])
    c.paint(rect_mask(46, 112, 58, ground), ix["door"])
    c.paint(rect_mask(54, 123, 56, 125), ix["knob"])
    for wx in (28, 64):
        c.paint(rect_mask(wx, 108, wx + 14, 124), ix["white"])
        c.paint(rect_mask(wx + 2, 110, wx + 6, 115), ix["glass"])
        c.paint(rect_mask(wx + 8, 110, wx + 12, 115), ix["glass"])
        c.paint(rect_mask(wx + 2, 117, wx + 6, 122), ix["glass"])
        c.paint(rect_mask(wx + 8, 117, wx + 12, 122), ix["glass"])

    c.paint(polygon_mask([(104, 146), (106, 108), (114, 108), (117, 146)]), ix["trunk"])
    crown = circle_mask(110, 96, 19) | circle_mask(96, 106, 12) | circle_mask(124, 106, 12)
    c.paint(crown, ix["leaf"])
    c.paint(circle_mask(104, 90, 9) & crown, ix["leaf_light"])
    for (ax, ay) in ((100, 100), (116, 88), (122, 108), (108, 110), (92, 108), (128, 96)):
        c.paint(circle_mask(ax, ay, 2.5), ix["apple"])

    # The sandy rim gives the lake's edge tiles a shape to match.
    c.paint(ellipse_mask(180, 156, 58, 20), ix["sand"])
    c.paint(ellipse_mask(180, 156, 52, 16), ix["water"])
    for (x0, x1, y) in ((140, 160, 150), (196, 214, 146), (150, 176, 163), (200, 222, 160), (166, 186, 168)):
        c.paint(rect_mask(x0, y, x1, y + 1), ix["water_light"])
    c.paint(polygon_mask([(168, 150), (192, 150), (188, 156), (172, 156)]), ix["hull"])
    c.paint(rect_mask(179, 128, 181, 150), ix["mast"])
    c.paint(polygon_mask([(178, 130), (178, 148), (166, 148)]), ix["sail"])
    c.paint(polygon_mask([(182, 132), (182, 148), (192, 148)]), ix["sail"])

    # The path ties the house to the bottom row, which is otherwise mostly grass.
    left = [(47, 136), (44, 142), (44, 148), (52, 156), (62, 164), (66, 172), (64, 180)]
    right = [(57, 136), (58, 142), (62, 148), (74, 155), (88, 163), (96, 172), (98, 180)]
    path = polygon_mask(left + right[::-1])
    c.paint(path, ix["path"])
    for (x, y, rx, ry) in ((51, 140, 3, 1.5), (56, 150, 3, 1.5), (68, 159, 4, 2), (78, 168, 5, 2), (84, 176, 5, 2.5)):
        c.paint(ellipse_mask(x, y, rx, ry) & path, ix["path_stone"])

    for x in range(2, 20, 6):
        c.paint(polygon_mask([(x, 146), (x + 1.5, 143), (x + 3, 146), (x + 3, 160), (x, 160)]), ix["fence"])
    c.paint(rect_mask(0, 149, 22, 151), ix["fence"])
    c.paint(rect_mask(0, 155, 22, 157), ix["fence"])

    # Flowers break up the grass of the bottom row.
    flowers = [(10, 170, "flower_r"), (24, 166, "flower_y"), (34, 174, "white"), (30, 152, "flower_p"),
               (110, 166, "flower_y"), (122, 174, "flower_r"), (132, 164, "white"), (108, 154, "flower_p"),
               (232, 176, "flower_r"), (138, 176, "flower_p"), (40, 160, "flower_r"), (16, 177, "flower_y")]
    for (x, y, name) in flowers:
        for (dx, dy) in ((0, -1), (-1, 0), (1, 0), (0, 1)):
            c.put(x + dx, y + dy, ix[name])
        c.put(x, y, ix["flower_y"] if name != "flower_y" else ix["apple"])

    return c, picture_palette()


# --- glyphs -----------------------------------------------------------------

# Letters used in the pixel art below, one per classic 16-colour entry.
# Magenta has no letter: it is the cursors' see-through colour and is kept out
# of the glyphs, so that one colour means the same in every file.
ART = {
    "K": 0, "r": 1, "g": 2, "o": 3, "n": 4, "p": 5, "t": 6, ".": GLYPH_BG,
    "d": 8, "R": 9, "G": 10, "Y": 11, "B": 12, "C": 14, "W": 15,
}


def art_canvas(width, height, text, legend=ART):
    lines = text.strip("\n").split("\n")
    if len(lines) != height or any(len(line) != width for line in lines):
        raise ValueError("pixel art is not %dx%d" % (width, height))
    c = Canvas(width, height, GLYPH_BG)
    c.art(0, 0, text, legend)
    return c


RESET = """
................
........B.......
........BB......
......BBBBB.....
....BBBBBBBB....
...BBB..BB......
...BB...B.......
..BB........BB..
..BB........BB..
..BB........BB..
..BB........BB..
...BB......BB...
...BBB....BBB...
....BBBBBBBB....
......BBBB......
................
"""

NEW_PICTURE = """
................
.KKKKKKKKKKKKKK.
.KYYYYYYYYYYYoK.
.KYCCCCCCCCYCoK.
.KYCWWCCCCYYYoK.
.KYWWWWCCCCYCoK.
.KYCCCCCCCCCCoK.
.KYCCCCgCCCCCoK.
.KYCCCgggCCCCoK.
.KYCCgggggCCGoK.
.KYCgggggggGGoK.
.KYGGGGGGGGGGoK.
.KYGGGGGGGGGGoK.
.KYoooooooooooK.
.KKKKKKKKKKKKKK.
................
"""

USER_SIZE = """
.....................
..KKKKKKKKKKKKKKKK...
..KWWWWKWWWWKWWWWK...
..KWWWWKWWWWKWWWWK...
..KWWWWKWWWWKWWWWK...
..KWWWWKWWWWKWWWWK...
..KKKKKKKKKKKKKKKK...
..KWWWWKWWWWKWWWWK...
..KWWWWKWWWWKWWWWK...
..KWWWWKWWWWKWWWWK...
..KWWWWKWWWWKWWWWK...
..KKKKKKKKKKKKKKKK...
..KWWWWKWWWWKWWWWK...
.KKKKKKKKKKKKKKKKKKK.
.KYKYKYKYKYKYKYKYKYK.
.KYKYYYKYYYKYYYKYYYK.
.KYKYYYKYYYKYYYKYYYK.
.KYYYYYYYYYYYYYYYYYK.
.KoooooooooooooooooK.
.KKKKKKKKKKKKKKKKKKK.
.....................
"""

NUMBER = """
.....................
.....................
..KKKKKKKKKKKKKKKKK..
..KWWWWWWWWWWWWWWdK..
..KWWWWWWWWWWWWWWdK..
..KWWWWWWWRRWWWWWdK..
..KWWWWWWRRRWWWWWdK..
..KWWWWWRRRRWWWWWdK..
..KWWWWRRWRRWWWWWdK..
..KWWWWWWWRRWWWWWdK..
..KWWWWWWWRRWWWWWdK..
..KWWWWWWWRRWWWWWdK..
..KWWWWWWWRRWWWWWdK..
..KWWWWWWWRRWWWWWdK..
..KWWWWWWWRRWWWWWdK..
..KWWWWWRRRRRRWWWdK..
..KWWWWWWWWWWWWWWdK..
..KdddddddddddddddK..
..KKKKKKKKKKKKKKKKK..
.....................
.....................
"""

MUSIC = """
.....................
.....................
.............KKKKKK..
........KKKKKKKKKKK..
........KKKKKKKKKKK..
........KKKKK.....K..
........K.........K..
........K.........K..
........K.........K..
........K.........K..
........K.........K..
....KKK.K....KKK..K..
..KKKKKKK..KKKKKKKK..
.KKKKKKKK.KKKKKKKKK..
.KKKKKKK..KKKKKKKK...
..KKKKK....KKKKK.....
.....................
.....................
"""

SPEAKER = """
................
.......K........
......KK...K....
.....KWK....K...
....KWdK.....K..
.KKKWddK.K...K..
.KddWddK..K...K.
.KddWddK..K...K.
.KddWddK..K...K.
.KddWddK..K...K.
.KKKWddK.K...K..
....KWdK.....K..
.....KWK....K...
......KK...K....
.......K........
................
"""

TROPHY = """
.....................
...KKKKKKKKKKKKKKK...
...KWYYYYYYYYYYYoK...
.KKKWYYYYYYYYYYYoKKK.
.K.KWYYYYYYYYYYYoK.K.
.K.KWYYYYYYYYYYYoK.K.
.K.KWYYYYYYYYYYYoK.K.
.KK.KWYYYYYYYYYoK.KK.
..KK.KWYYYYYYYoK.KK..
...KKKKWYYYYYoKKKK...
......KKWYYYoKK......
.......KKYYoKK.......
........KYYoK........
........KYYoK........
........KYYoK........
.......KKYYoKK.......
.....KKYYYYYooKK.....
....KKKKKKKKKKKKK....
....KrrrrrrrrrrrK....
....KrrYYYYYYYrrK....
....KKKKKKKKKKKKK....
.....................
"""


def level_glyph(n, face, shade):
    # A board of n x n tiles with the last one missing, as the player sees it.
    # 21 px only divides evenly for 3 and 5; the 7 x 7 board is one pixel wider
    # than the others' 19 and so runs to the right and bottom edge.
    tile, gap = {3: (5, 2), 5: (3, 1), 7: (2, 1)}[n]
    c = Canvas(21, 21, GLYPH_BG)
    for row in range(n):
        for col in range(n):
            if row == n - 1 and col == n - 1:
                continue
            x0, y0 = 1 + col * (tile + gap), 1 + row * (tile + gap)
            c.paint(rect_mask(x0, y0, x0 + tile, y0 + tile), face)
            if tile >= 3:
                c.paint(rect_mask(x0, y0 + tile - 1, x0 + tile, y0 + tile), shade)
                c.paint(rect_mask(x0 + tile - 1, y0, x0 + tile, y0 + tile), shade)
            if tile >= 5:
                c.paint(rect_mask(x0, y0, x0 + tile - 1, y0 + 1), ART["W"])
                c.paint(rect_mask(x0, y0, x0 + 1, y0 + tile - 1), ART["W"])
    return c


def sound_glyph():
    # Normal look on the left; on the right the disabled look Windows gives a
    # toolbar button: the dark parts embossed, grey over a white offset copy.
    normal = art_canvas(16, 16, SPEAKER)
    c = Canvas(32, 16, GLYPH_BG)
    dark = []
    for y in range(16):
        for x in range(16):
            v = normal.get(x, y)
            c.put(x, y, v)
            if v in (ART["K"], ART["d"]):
                dark.append((x, y))
    for (x, y) in dark:
        c.put(16 + x + 1, y + 1, ART["W"])
    for (x, y) in dark:
        c.put(16 + x, y, ART["d"])
    return c


def pause_glyph():
    c = Canvas(32, 32, GLYPH_BG)
    c.paint(circle_mask(16, 16, 14.6), ART["n"])
    c.paint(circle_mask(16, 16, 13.4), ART["B"])
    for x in (10, 18):
        c.paint(rect_mask(x + 1, 10, x + 5, 24), ART["n"])
        c.paint(rect_mask(x, 9, x + 4, 23), ART["W"])
    return c


# The puzzle motif: 3 x 3 tiles coloured along the anti-diagonal, the last one
# left out as the hole. (face, shade) pairs from the classic palette.
MOTIF_VGA = [(9, 1), (11, 3), (10, 2), (12, 4)]


def motif(c, x0, y0, tile, gap, shadow=None):
    cells = [(r, k) for r in range(3) for k in range(3) if (r, k) != (2, 2)]
    if shadow is not None:
        for (r, k) in cells:
            x, y = x0 + k * (tile + gap), y0 + r * (tile + gap)
            c.paint(rect_mask(x + 2, y + 2, x + tile + 2, y + tile + 2), shadow)
    for (r, k) in cells:
        face, shade = MOTIF_VGA[r + k]
        x, y = x0 + k * (tile + gap), y0 + r * (tile + gap)
        c.paint(rect_mask(x, y, x + tile, y + tile), face)
        c.paint(rect_mask(x, y + tile - 1, x + tile, y + tile), shade)
        c.paint(rect_mask(x + tile - 1, y, x + tile, y + tile), shade)
        c.paint(rect_mask(x, y, x + tile - 1, y + 1), ART["W"])
        c.paint(rect_mask(x, y, x + 1, y + tile - 1), ART["W"])


def icon_glyph():
    c = Canvas(32, 32, GLYPH_BG)
    motif(c, 2, 2, 8, 2)
    return c


def about_logo():
    c = Canvas(32, 32, ART["W"])
    motif(c, 1, 1, 8, 2, shadow=ART["d"])
    return c


# --- cursors ----------------------------------------------------------------

# One right hand, index finger up; the others are turned copies of it. Its
# fingertip is the black pixel at TIP.
HAND = """
....KKK..........
...KWWWK.........
...KWWWK.........
...KWWWK.........
...KWWWK.........
...KWWWKKK.......
...KWWWKWWKKK....
...KWWWKWWKWWKKK.
.KKKWWWKWWKWWKWWK
KWWKWWWWWWWWWKWWK
KWWKWWWWWWWWWWWWK
KWWWWWWWWWWWWWWWK
.KWWWWWWWWWWWWWWK
.KWWWWWWWWWWWWWWK
..KWWWWWWWWWWWWWK
..KWWWWWWWWWWWWK.
...KWWWWWWWWWWWK.
...KWWWWWWWWWWK..
....KWWWWWWWWWK..
....KWWWWWWWWWK..
....KKKKKKKKKKK..
"""
HAND_TIP = (5, 0)

# Where the program puts each cursor's hot spot; the fingertip has to land there.
CURSOR_HOTSPOTS = {
    "cursor_up.png": (16, 9),
    "cursor_down.png": (13, 24),
    "cursor_left.png": (7, 15),
    "cursor_right.png": (22, 15),
}


def _grid_turn(grid, tip, how):
    h, w = len(grid), len(grid[0])
    if how == "up":
        return grid, tip
    if how == "down":  # half turn
        return [row[::-1] for row in grid[::-1]], (w - 1 - tip[0], h - 1 - tip[1])
    if how == "left":  # quarter turn anticlockwise
        return [[grid[y][w - 1 - x] for y in range(h)] for x in range(w)], (tip[1], w - 1 - tip[0])
    if how == "right":  # mirror of the left hand
        g, t = _grid_turn(grid, tip, "left")
        return [row[::-1] for row in g], (len(g[0]) - 1 - t[0], t[1])
    raise ValueError(how)


def cursor(name):
    grid, tip = _grid_turn(parse_art(HAND), HAND_TIP, name[len("cursor_"):-len(".png")])
    hx, hy = CURSOR_HOTSPOTS[name]
    ox, oy = hx - tip[0], hy - tip[1]
    if ox < 0 or oy < 0 or ox + len(grid[0]) > 32 or oy + len(grid) > 32:
        raise ValueError("%s does not fit around its hot spot" % name)
    c = Canvas(32, 32, CURSOR_CLEAR)
    c.art(ox, oy, "\n".join("".join(r) for r in grid), {"K": 0, "W": 15})
    if c.get(hx, hy) != 0:
        raise ValueError("%s: hot spot is not on the fingertip" % name)
    return c


# --- application icons -------------------------------------------------------

# Softer cousins of the classic colours, same anti-diagonal order as the glyph.
MOTIF_RGB = [
    ((236, 72, 64), (255, 150, 140), (168, 36, 36)),
    ((250, 200, 48), (255, 236, 140), (196, 140, 20)),
    ((80, 186, 76), (160, 226, 150), (40, 128, 52)),
    ((56, 120, 226), (140, 186, 255), (30, 72, 160)),
]

# size: (margin, tile, gap, corner radius, bevel), picked per size so every
# edge lands on a whole pixel instead of being scaled from one master.
ICON_LAYOUT = {
    16: (1, 4, 1, 0, 1),
    22: (1, 6, 1, 1, 1),
    24: (1, 6, 2, 1, 1),
    32: (2, 8, 2, 2, 1),
    48: (3, 12, 3, 3, 2),
    64: (4, 16, 4, 4, 2),
    128: (7, 34, 6, 7, 4),
    256: (14, 68, 12, 14, 8),
}


def _in_round_rect(px, py, x0, y0, x1, y1, r):
    if px < x0 or px >= x1 or py < y0 or py >= y1:
        return False
    if r <= 0:
        return True
    cx = min(max(px, x0 + r), x1 - r)
    cy = min(max(py, y0 + r), y1 - r)
    return (px - cx) ** 2 + (py - cy) ** 2 <= r * r


def icon_png(size):
    margin, tile, gap, radius, bevel = ICON_LAYOUT[size]
    if 2 * margin + 3 * tile + 2 * gap != size:
        raise ValueError("icon layout for %d does not add up" % size)
    # Corners are the only curved edges; small sizes have none (or one-pixel
    # ones) and stay hard, larger ones are smoothed by 4 x 4 supersampling.
    smooth = radius > 1
    pixels = [[(0, 0, 0, 0)] * size for _ in range(size)]
    for r in range(3):
        for k in range(3):
            if (r, k) == (2, 2):
                continue
            face, light, dark = MOTIF_RGB[r + k]
            x0, y0 = margin + k * (tile + gap), margin + r * (tile + gap)
            x1, y1 = x0 + tile, y0 + tile
            for y in range(y0, y1):
                for x in range(x0, x1):
                    acc = [0, 0, 0]
                    hits = 0
                    # Away from the corners every edge is on a pixel boundary,
                    # so one sample there gives the same answer as sixteen.
                    near_corner = ((x < x0 + radius or x >= x1 - radius)
                                   and (y < y0 + radius or y >= y1 - radius))
                    ss = 4 if smooth and near_corner else 1
                    for sy in range(ss):
                        for sx in range(ss):
                            px = x + (2 * sx + 1) / (2 * ss)
                            py = y + (2 * sy + 1) / (2 * ss)
                            if radius == 1:
                                # One-pixel corners: just leave the corner pixel out.
                                if (x in (x0, x1 - 1)) and (y in (y0, y1 - 1)):
                                    continue
                            elif not _in_round_rect(px, py, x0, y0, x1, y1, radius):
                                continue
                            inner_r = max(radius - bevel, 0)
                            if _in_round_rect(px, py, x0 + bevel, y0 + bevel, x1 - bevel, y1 - bevel, inner_r):
                                colour = face
                            elif min(px - x0, py - y0) < min(x1 - px, y1 - py):
                                colour = light
                            else:
                                colour = dark
                            hits += 1
                            for i in range(3):
                                acc[i] += colour[i]
                    if hits:
                        pixels[y][x] = tuple((a + hits // 2) // hits for a in acc) + ((255 * hits + ss * ss // 2) // (ss * ss),)
    return pixels


# --- main --------------------------------------------------------------------

def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: gen_images.py OUTDIR\n")
        return 2
    out = argv[1]
    os.makedirs(out, exist_ok=True)

    pic, pal = draw_default_picture()
    write_bmp(os.path.join(out, "default.bmp"), pic.width, pic.height, 8, pal, pic.rows())

    logo = about_logo()
    write_bmp(os.path.join(out, "aboutlogo.bmp"), logo.width, logo.height, 4, VGA16, logo.rows())

    glyphs = {
        "reset.png": art_canvas(16, 16, RESET),
        "new.png": art_canvas(16, 16, NEW_PICTURE),
        "basic.png": level_glyph(3, ART["G"], ART["g"]),
        "middle.png": level_glyph(5, ART["B"], ART["n"]),
        "advance.png": level_glyph(7, ART["R"], ART["r"]),
        "user.png": art_canvas(21, 21, USER_SIZE),
        "number.png": art_canvas(21, 21, NUMBER),
        "music.png": art_canvas(21, 18, MUSIC),
        "sound.png": sound_glyph(),
        "scope.png": art_canvas(21, 22, TROPHY),
        "pause.png": pause_glyph(),
        "icon.png": icon_glyph(),
    }
    for name, c in glyphs.items():
        write_palette_png(os.path.join(out, name), c.width, c.height, 4, VGA16, c.rows(), GLYPH_BG)

    for name in CURSOR_HOTSPOTS:
        c = cursor(name)
        write_palette_png(os.path.join(out, name), c.width, c.height, 4, VGA16, c.rows(),
                          CURSOR_CLEAR)

    for size in sorted(ICON_LAYOUT):
        write_png(os.path.join(out, "icon_%d.png" % size), size, size, icon_png(size))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
