"""Draws the five sample pictures the player can choose from: python3 tools/gen_samples.py OUTDIR.

Each is written as 300.bmp ... 304.bmp: a 300 x 301, 8-bit Windows bitmap with a full palette,
which the program keeps as a resource and reads as it is.
"""

import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from bmpwriter import bmp_bytes  # noqa: E402
from gen_images import (  # noqa: E402
    Canvas, circle_mask, ellipse_mask, line_mask, picture_palette, polygon_mask, rect_mask,
    snap, wavy_edge)

W, H = 300, 301
# The resolution stamped into every sample: 300 dots per inch.
PIXELS_PER_METRE = 11808

# Every picture is drawn so that it can be solved by eye at 7 x 7: each tile of
# about 43 pixels square holds part of a shape, an edge or a colour that no other
# tile has. Flat colours with hard edges keep the 8-bit palette exact.


# --- shapes beyond the default picture's ------------------------------------

def tilted_ellipse_mask(cx, cy, rx, ry, degrees):
    a = math.radians(degrees)
    ca, sa = math.cos(a), math.sin(a)
    reach = max(rx, ry) + 1
    mask = set()
    for y in range(math.floor(cy - reach), math.ceil(cy + reach) + 1):
        for x in range(math.floor(cx - reach), math.ceil(cx + reach) + 1):
            dx, dy = x + 0.5 - cx, y + 0.5 - cy
            u = (dx * ca + dy * sa) / rx
            v = (-dx * sa + dy * ca) / ry
            if u * u + v * v <= 1.0:
                mask.add((x, y))
    return mask


def star_mask(cx, cy, outer, inner, points, degrees=-90):
    pts = []
    for k in range(points * 2):
        r = outer if k % 2 == 0 else inner
        a = math.radians(degrees + 180 * k / points)
        pts.append((snap(cx + r * math.cos(a)), snap(cy + r * math.sin(a))))
    return polygon_mask(pts)


def ring_mask(cx, cy, outer, inner):
    return circle_mask(cx, cy, outer) - circle_mask(cx, cy, inner)


def stroke_mask(points, width):
    """A polyline of the given width with round joints."""
    mask = set()
    for (x0, y0), (x1, y1) in zip(points, points[1:]):
        if (x0, y0) != (x1, y1):
            mask |= line_mask(x0, y0, x1, y1, width)
    for (x, y) in points:
        mask |= circle_mask(x, y, width / 2)
    return mask


def bezier(p0, p1, p2, steps=16):
    """Points along a quadratic curve, snapped so they come out the same everywhere."""
    pts = []
    for i in range(steps + 1):
        t = i / steps
        x = (1 - t) ** 2 * p0[0] + 2 * (1 - t) * t * p1[0] + t * t * p2[0]
        y = (1 - t) ** 2 * p0[1] + 2 * (1 - t) * t * p1[1] + t * t * p2[1]
        pts.append((snap(x), snap(y)))
    return pts


def regular_polygon(cx, cy, r, sides, degrees=-90):
    return [(snap(cx + r * math.cos(math.radians(degrees + 360 * k / sides))),
             snap(cy + r * math.sin(math.radians(degrees + 360 * k / sides))))
            for k in range(sides)]


def from_top(y, waves, step=4):
    """The area above a wavy line across the whole width."""
    return polygon_mask([(0, 0), (W, 0)] + wavy_edge(0, W, step, y, waves)[::-1])


def wavy_band(y_top, y_bottom, waves_top, waves_bottom):
    """The area between two wavy lines across the whole width."""
    top = wavy_edge(0, W, 4, y_top, waves_top)
    bottom = wavy_edge(0, W, 4, y_bottom, waves_bottom)
    return polygon_mask(top + bottom[::-1])


class Picture:
    """A canvas that paints by colour name, with the picture's own palette."""

    def __init__(self, colours, background):
        self.colours = colours
        self.ix = {name: i for i, (name, _) in enumerate(colours)}
        if len(self.ix) != len(colours):
            raise ValueError("a colour name is used twice")
        self.canvas = Canvas(W, H, self.ix[background])

    def paint(self, mask, name):
        self.canvas.paint(mask, self.ix[name])

    def put(self, x, y, name):
        self.canvas.put(x, y, self.ix[name])

    def bmp(self):
        return bmp_bytes(W, H, 8, picture_palette(self.colours), self.canvas.rows(),
                         PIXELS_PER_METRE)


# --- 300: a coral reef ---------------------------------------------------------

REEF_COLOURS = [
    ("surface", (196, 240, 252)), ("water1", (104, 204, 234)), ("water2", (64, 166, 218)),
    ("water3", (40, 124, 192)), ("water4", (28, 90, 158)), ("ray", (140, 220, 244)),
    ("sand", (238, 214, 150)), ("sand_dark", (208, 180, 112)), ("rock", (122, 112, 136)),
    ("rock_dark", (88, 78, 104)), ("coral_red", (230, 66, 80)), ("coral_pink", (250, 146, 176)),
    ("coral_orange", (250, 152, 54)), ("fan", (150, 78, 196)), ("weed", (64, 176, 92)),
    ("weed_dark", (30, 122, 72)), ("clown", (252, 118, 18)), ("white", (255, 255, 255)),
    ("ink", (26, 28, 44)), ("tang", (255, 222, 36)), ("tang_fin", (232, 170, 20)),
    ("minnow", (48, 92, 224)), ("minnow_belly", (170, 200, 255)), ("shell_back", (104, 128, 48)),
    ("shell_plate", (152, 176, 70)), ("skin", (176, 196, 112)), ("jelly", (244, 168, 224)),
    ("jelly_dark", (208, 104, 188)), ("star", (255, 104, 56)), ("bubble", (214, 246, 255)),
    ("wood", (142, 82, 38)), ("wood_dark", (96, 52, 24)), ("gold", (252, 206, 40)),
    ("conch", (250, 226, 204)), ("conch_dark", (226, 170, 140)), ("hull", (70, 54, 74)),
    ("hull_stripe", (214, 52, 52)), ("urchin", (96, 40, 110)),
]


def fish(p, cx, cy, length, height, facing, body, fin, stripes=()):
    """A fish seen from the side; facing is 1 for right, -1 for left."""
    half = length / 2
    back = cx - facing * (half + length * 0.32)
    tail = [(cx - facing * (half - 4), cy), (back, cy - height * 0.5),
            (cx - facing * (half + length * 0.24), cy), (back, cy + height * 0.5)]
    p.paint(polygon_mask(tail), fin)
    top_fin = [(cx - facing * half * 0.5, cy - height * 0.35),
               (cx + facing * half * 0.1, cy - height * 0.85),
               (cx + facing * half * 0.35, cy - height * 0.35)]
    p.paint(polygon_mask(top_fin), fin)
    shape = ellipse_mask(cx, cy, half, height / 2)
    p.paint(shape, body)
    for (offset, width, colour) in stripes:
        x = cx + facing * offset * half
        band = rect_mask(round(x - width / 2), round(cy - height),
                         round(x + width / 2), round(cy + height))
        p.paint(band & shape, colour)
    eye_x, eye_y = cx + facing * half * 0.6, cy - height * 0.12
    p.paint(circle_mask(eye_x, eye_y, max(2.0, height * 0.1)), "white")
    p.paint(circle_mask(eye_x + facing * 0.8, eye_y, max(1.2, height * 0.055)), "ink")
    mouth = (cx + facing * half * 0.92, cy + height * 0.12)
    p.paint(line_mask(mouth[0] - facing * 5, mouth[1], mouth[0], mouth[1], 1), "ink")


def draw_reef():
    p = Picture(REEF_COLOURS, "water4")

    # Four bands of water, light under the surface and deep above the sand, so
    # every row of tiles has a colour of its own.
    p.paint(from_top(178, [(6, 150, 0.2), (3, 55, 0.6)]), "water3")
    p.paint(from_top(112, [(5, 130, 0.7), (2, 40, 0.1)]), "water2")
    p.paint(from_top(52, [(4, 110, 0.3), (2, 37, 0.5)]), "water1")
    for (x0, spread) in ((20, 26), (96, 18), (172, 30), (250, 20)):
        beam = polygon_mask([(x0, 0), (x0 + spread, 0), (x0 + spread + 56, 150), (x0 + 40, 150)])
        p.paint(beam & wavy_band(-10, 112, [], [(5, 130, 0.7), (2, 40, 0.1)]), "ray")
    p.paint(from_top(7, [(3, 30, 0.0), (1.5, 13, 0.3)], step=3), "surface")
    # A boat's keel from below, its anchor hanging on a rope, marks the top middle.
    keel = polygon_mask([(104, 0), (204, 0), (192, 16), (118, 16)])
    p.paint(keel, "hull")
    p.paint(rect_mask(108, 4, 200, 8) & keel, "hull_stripe")
    ax = 126
    p.paint(line_mask(ax, 16, ax, 34, 1.5), "wood_dark")
    p.paint(rect_mask(ax - 2, 34, ax + 3, 50), "hull")
    p.paint(stroke_mask(bezier((ax - 10, 42), (ax, 56), (ax + 10, 42)), 3), "hull")
    p.paint(rect_mask(ax - 6, 36, ax + 7, 39), "hull")

    # The turtle swims up-left across the top-left tiles.
    tx, ty = 70, 62
    flippers = ((-24, -18, 17, 6, -40), (-22, 20, 13, 5, 40), (26, -20, 12, 5, 30),
                (24, 18, 11, 5, -30))
    for (fx, fy, rx, ry, a) in flippers:
        p.paint(tilted_ellipse_mask(tx + fx, ty + fy, rx, ry, a), "skin")
    p.paint(tilted_ellipse_mask(tx - 40, ty - 6, 11, 8, -15), "skin")
    p.paint(circle_mask(tx - 45, ty - 8, 2), "ink")
    shell = tilted_ellipse_mask(tx, ty, 34, 24, -12)
    p.paint(shell, "shell_back")
    for (dx, dy) in ((0, 0), (-18, -4), (18, 4), (-8, -15), (10, -13), (-10, 14), (8, 15)):
        p.paint(polygon_mask(regular_polygon(tx + dx, ty + dy, 7.5, 6, 0)) & shell, "shell_plate")

    # A jellyfish drifts in the top-right corner, its tentacles reaching down into
    # the second band.
    jx, jy = 252, 44
    for dx in (-16, -8, 0, 8, 16):
        wave = [(jx + dx + (3 if i % 2 else -3), jy + 8 + i * 12) for i in range(7)]
        p.paint(stroke_mask(wave, 2), "jelly_dark")
    dome = ellipse_mask(jx, jy, 26, 22) & rect_mask(0, 0, W, jy + 8)
    p.paint(dome, "jelly")
    for dx in (-14, 0, 14):
        p.paint(ellipse_mask(jx + dx, jy - 2, 4, 9) & dome, "jelly_dark")
    p.paint(rect_mask(jx - 26, jy + 6, jx + 27, jy + 9), "jelly_dark")

    # A school of small blue fish heads right under the surface light.
    for (x, y, s) in ((150, 58, 1.0), (176, 46, 0.9), (182, 76, 1.0), (204, 62, 0.85),
                      (158, 88, 0.8)):
        fish(p, x, y, 24 * s, 10 * s, 1, "minnow", "minnow_belly")

    # The bottom: sand with ripples, and rocks the reef grows on.
    sand = polygon_mask(wavy_edge(0, W, 4, 226, [(7, 170, 0.15), (3, 60, 0.4)]) + [(W, H), (0, H)])
    p.paint(sand, "sand")
    for (y, phase) in ((248, 0.0), (266, 0.3), (284, 0.6), (298, 0.1)):
        ripple = wavy_band(y, y + 2, [(2, 40, phase)], [(2, 40, phase)])
        p.paint(ripple & sand, "sand_dark")
    for (cx, cy, rx, ry) in ((36, 238, 40, 22), (268, 236, 36, 20), (150, 246, 30, 12)):
        rock = ellipse_mask(cx, cy, rx, ry)
        p.paint(rock, "rock")
        lit = ellipse_mask(cx - rx * 0.15, cy - ry * 0.25, rx * 0.95, ry * 0.9)
        p.paint(rock - lit, "rock_dark")

    # Branching red coral on the left rock.
    def branch(x, y, length, degrees, width, depth):
        a = math.radians(degrees)
        x1, y1 = snap(x + length * math.cos(a)), snap(y - length * math.sin(a))
        p.paint(stroke_mask([(x, y), (x1, y1)], width), "coral_red")
        if depth:
            branch(x1, y1, length * 0.72, degrees + 28, width * 0.75, depth - 1)
            branch(x1, y1, length * 0.72, degrees - 26, width * 0.75, depth - 1)
    branch(34, 226, 30, 92, 8, 3)
    # A pink brain coral and orange tube corals on the right.
    p.paint(ellipse_mask(236, 214, 26, 18), "coral_pink")
    for k in range(4):
        fold = wavy_band(201 + k * 7, 203 + k * 7, [(2, 14, k * 0.25)], [(2, 14, k * 0.25)])
        p.paint(fold & ellipse_mask(236, 214, 22, 15), "coral_red")
    for (x, top) in ((198, 188), (208, 176), (218, 194)):
        p.paint(rect_mask(x - 4, top, x + 4, 230), "coral_orange")
        p.paint(ellipse_mask(x, top, 5, 3), "clown")
    # The purple sea fan stands at the right edge.
    fan = polygon_mask([(290, 224), (246, 150), (262, 136), (284, 130), (300, 140), (300, 224)])
    p.paint(fan, "fan")
    for (x1, y1) in ((248, 152), (262, 138), (284, 132), (300, 146)):
        p.paint(line_mask(290, 224, x1, y1, 2) & fan, "coral_pink")

    # Seaweed sways up the left edge and in the middle.
    for (x, top, phase, colour) in ((10, 96, 0.0, "weed"), (22, 130, 0.5, "weed_dark"),
                                    (112, 170, 0.2, "weed"), (126, 186, 0.7, "weed_dark")):
        pts = [(x + 6 * math.sin(2 * math.pi * (i / 5 + phase)), 232 - (232 - top) * i / 10)
               for i in range(11)]
        p.paint(stroke_mask([(snap(a), snap(b)) for a, b in pts], 6), colour)

    # The treasure chest in the sand, its lid open and its gold spilling.
    p.paint(rect_mask(124, 254, 178, 286), "wood")
    p.paint(polygon_mask([(122, 254), (180, 254), (186, 232), (128, 236)]), "wood_dark")
    for x in (136, 164):
        p.paint(rect_mask(x, 254, x + 4, 286), "gold")
    p.paint(rect_mask(124, 262, 178, 265), "wood_dark")
    for (x, y) in ((128, 251), (140, 249), (152, 251), (166, 250), (188, 286), (196, 290),
                   (110, 290)):
        p.paint(ellipse_mask(x, y, 5, 3), "gold")
    # Its bubbles rise up the middle of the picture.
    for (x, y, r) in ((150, 224, 4), (146, 206, 3), (154, 192, 5), (148, 176, 3), (60, 140, 4),
                      (66, 122, 3), (58, 106, 5), (100, 96, 3)):
        p.paint(ring_mask(x, y, r, r - 1.5), "bubble")

    # A starfish and a conch on the sand.
    p.paint(star_mask(76, 276, 17, 7, 5, -70), "star")
    p.paint(circle_mask(76, 276, 3), "coral_orange")
    conch = polygon_mask([(222, 270), (252, 258), (262, 272), (248, 288), (228, 286)])
    p.paint(conch, "conch")
    for k in range(3):
        p.paint(line_mask(232 + k * 8, 286, 242 + k * 6, 262, 1.5) & conch, "conch_dark")

    # A sea urchin and a scallop keep the bottom corners apart.
    spines = (stroke_mask([(10, 280), (30, 280)], 2) | stroke_mask([(20, 270), (20, 290)], 2)
              | line_mask(13, 273, 27, 287, 2) | line_mask(27, 273, 13, 287, 2))
    p.paint(spines, "urchin")
    p.paint(circle_mask(20, 280, 6), "urchin")
    scallop = polygon_mask([(282, 296), (266, 278), (276, 270), (288, 270), (298, 278)])
    p.paint(scallop, "coral_pink")
    for x1 in (270, 278, 286, 294):
        p.paint(line_mask(282, 296, x1, 272, 1) & scallop, "coral_red")

    # The clownfish is the picture's centre; a yellow tang swims the other way.
    fish(p, 124, 148, 74, 40, 1, "clown", "ink",
         stripes=((0.5, 8, "white"), (-0.05, 9, "white"), (-0.6, 7, "white")))
    fish(p, 238, 136, 56, 44, -1, "tang", "tang_fin")
    p.paint(tilted_ellipse_mask(246, 138, 9, 5, 20), "tang_fin")

    return p.bmp()


# --- 301: outer space ----------------------------------------------------------

SPACE_COLOURS = [
    ("space", (14, 16, 46)), ("corona", (250, 120, 40)), ("sun_rim", (255, 176, 44)),
    ("sun", (255, 224, 80)), ("star", (255, 255, 255)), ("star_warm", (255, 232, 130)),
    ("star_cold", (150, 210, 255)), ("gas_a", (236, 200, 132)), ("gas_b", (206, 146, 80)),
    ("gas_c", (248, 228, 186)), ("gas_shade", (156, 104, 60)), ("ring_a", (222, 212, 184)),
    ("ring_b", (164, 144, 116)), ("ocean", (44, 112, 222)), ("ocean_dark", (28, 70, 160)),
    ("land", (74, 172, 82)), ("cloud", (242, 248, 255)), ("ice", (176, 232, 236)),
    ("ice_dark", (96, 170, 186)), ("moon", (184, 184, 196)), ("moon_dark", (128, 128, 146)),
    ("hull", (240, 240, 246)), ("hull_red", (222, 46, 54)), ("porthole", (96, 196, 244)),
    ("rim", (116, 118, 140)), ("flame", (255, 138, 28)), ("flame_core", (255, 226, 64)),
    ("saucer", (164, 172, 190)), ("saucer_dark", (98, 106, 128)), ("dome", (138, 238, 218)),
    ("lamp_red", (255, 72, 72)), ("lamp_green", (80, 250, 120)), ("beam", (244, 240, 170)),
    ("core", (255, 246, 204)), ("arm", (118, 138, 255)), ("arm_light", (196, 160, 255)),
    ("comet", (230, 255, 255)), ("tail", (120, 216, 240)), ("tail_far", (58, 142, 198)),
    ("gold", (226, 184, 60)), ("panel", (40, 72, 164)), ("panel_line", (120, 150, 226)),
    ("mars", (206, 92, 52)), ("mars_dark", (150, 58, 36)), ("rock", (122, 100, 86)),
    ("rock_dark", (84, 66, 58)),
]


def placed(points, cx, cy, degrees):
    """Shape points drawn around (0, 0), turned by the angle and moved to (cx, cy)."""
    a = math.radians(degrees)
    ca, sa = math.cos(a), math.sin(a)
    return [(snap(cx + x * ca - y * sa), snap(cy + x * sa + y * ca)) for (x, y) in points]


def placed_mask(points, cx, cy, degrees):
    return polygon_mask(placed(points, cx, cy, degrees))


def draw_space():
    p = Picture(SPACE_COLOURS, "space")

    # Stars first, everything else over them. A fixed sequence spreads them; a
    # few larger sparkles give the emptier tiles something to match.
    seed = 12345
    for k in range(150):
        seed = (seed * 1103515245 + 12345) % (1 << 31)
        x, y = seed % W, (seed // W) % H
        p.put(x, y, ("star", "star_warm", "star_cold")[k % 3])
    sparkles = ((112, 96, 5, "star"), (196, 128, 4, "star_cold"), (286, 128, 4, "star_warm"),
                (20, 176, 4, "star"), (130, 226, 5, "star_warm"), (214, 290, 4, "star_cold"),
                (104, 12, 4, "star_cold"), (276, 10, 3, "star"), (182, 200, 3, "star"))
    for (x, y, r, name) in sparkles:
        p.paint(star_mask(x, y, r, 1, 4, 0), name)

    # The sun rises out of the top-left corner behind its corona.
    p.paint(star_mask(2, 2, 80, 64, 14, 8), "corona")
    p.paint(circle_mask(2, 2, 60), "sun_rim")
    p.paint(circle_mask(2, 2, 50), "sun")
    for (x, y, r) in ((18, 30, 6), (36, 12, 4), (8, 44, 3)):
        p.paint(circle_mask(x, y, r), "sun_rim")

    # A small icy planet keeps to itself on the left.
    p.paint(circle_mask(22, 106, 10), "ice")
    p.paint(circle_mask(22, 106, 10) - circle_mask(19, 103, 10), "ice_dark")
    ring = tilted_ellipse_mask(22, 106, 17, 3, -24) - tilted_ellipse_mask(22, 106, 12, 1.5, -24)
    p.paint(ring - circle_mask(22, 105, 10), "star_cold")

    # A satellite spreads its panels below the sun.
    sx, sy, turn = 96, 92, -20
    for side in (-1, 1):
        panel = [(side * 10, -7), (side * 40, -7), (side * 40, 7), (side * 10, 7)]
        p.paint(placed_mask(panel, sx, sy, turn), "panel")
        for k in range(1, 4):
            x = side * (10 + k * 7.5)
            seam = [(x - 0.6, -7), (x + 0.6, -7), (x + 0.6, 7), (x - 0.6, 7)]
            p.paint(placed_mask(seam, sx, sy, turn), "panel_line")
    p.paint(placed_mask([(-9, -9), (9, -9), (9, 9), (-9, 9)], sx, sy, turn), "gold")
    p.paint(stroke_mask(placed([(0, -9), (0, -18)], sx, sy, turn), 1.5), "rim")
    p.paint(circle_mask(*placed([(0, -19)], sx, sy, turn)[0], 2.5), "star")

    # A comet crosses the top middle, its tail streaming back to the left.
    hx, hy = 190, 34
    for (length, spread, name) in ((84, 1.0, "tail_far"), (60, 0.6, "tail")):
        top = bezier((hx, hy - 8 * spread), (hx - length * 0.5, hy - 16 * spread),
                     (hx - length, hy - 26 * spread))
        bottom = bezier((hx - length * 0.9, hy + 4 * spread), (hx - length * 0.45, hy + 6 * spread),
                        (hx, hy + 8 * spread))
        p.paint(polygon_mask(top + bottom), name)
    p.paint(circle_mask(hx, hy, 7), "comet")

    # The ringed planet: the far half of the ring behind the ball, the near half before it.
    gx, gy, gr, tilt = 234, 74, 36, -16
    a = math.radians(tilt)
    ring = tilted_ellipse_mask(gx, gy, 64, 15, tilt) - tilted_ellipse_mask(gx, gy, 44, 9, tilt)
    gap = tilted_ellipse_mask(gx, gy, 56, 12.5, tilt) - tilted_ellipse_mask(gx, gy, 52, 11.5, tilt)

    def across(x, y):
        return -(x + 0.5 - gx) * math.sin(a) + (y + 0.5 - gy) * math.cos(a)
    far = {(x, y) for (x, y) in ring if across(x, y) < 0}
    p.paint(far, "ring_a")
    p.paint(far & gap, "ring_b")
    ball = circle_mask(gx, gy, gr)
    p.paint(ball, "gas_a")
    for (v0, v1, name) in ((-30, -20, "gas_c"), (-12, -4, "gas_b"), (6, 12, "gas_c"),
                           (18, 28, "gas_b")):
        p.paint({(x, y) for (x, y) in ball if v0 <= across(x, y) < v1}, name)
    p.paint(ball - circle_mask(gx - 8, gy - 8, gr), "gas_shade")
    near = ring - far
    p.paint(near, "ring_a")
    p.paint(near & gap, "ring_b")

    # A flying saucer beams down towards the planet below it.
    ux, uy = 56, 140
    beam = [(ux - 10, uy + 6), (ux + 10, uy + 6), (ux + 30, uy + 56), (ux - 30, uy + 56)]
    p.paint(polygon_mask(beam), "beam")
    p.paint(ellipse_mask(ux, uy - 2, 16, 15) & rect_mask(0, 0, W, uy), "dome")
    p.paint(ellipse_mask(ux, uy + 2, 36, 10), "saucer")
    p.paint(ellipse_mask(ux, uy + 6, 30, 5) & rect_mask(0, uy + 6, W, H), "saucer_dark")
    for k, dx in enumerate((-24, -12, 0, 12, 24)):
        p.paint(circle_mask(ux + dx, uy + 3, 2.5), ("lamp_red", "lamp_green")[k % 2])

    # The home planet in the bottom-left corner, lit from the upper left.
    ex, ey, er = 60, 246, 48
    globe = circle_mask(ex, ey, er)
    p.paint(globe, "ocean")
    continents = ([(30, 214), (52, 206), (66, 218), (58, 236), (70, 252), (56, 268), (42, 256),
                   (28, 240)],
                  [(80, 226), (100, 224), (106, 246), (94, 262), (82, 248)],
                  [(40, 280), (64, 278), (76, 290), (48, 296)])
    for shape in continents:
        p.paint(polygon_mask(shape) & globe, "land")
    for (cx, cy, rx, ry) in ((44, 226, 18, 3), (86, 238, 14, 3), (62, 272, 20, 3),
                             (30, 258, 10, 2)):
        p.paint(ellipse_mask(cx, cy, rx, ry) & globe, "cloud")
    p.paint(globe - circle_mask(ex - 12, ey - 12, er + 2), "ocean_dark")

    # Its moon, pitted with craters.
    mx, my, mr = 150, 264, 20
    p.paint(circle_mask(mx, my, mr), "moon")
    for (dx, dy, r) in ((-7, -6, 5), (6, 3, 4), (-2, 10, 3), (9, -9, 2.5)):
        p.paint(circle_mask(mx + dx, my + dy, r), "moon_dark")
    p.paint(circle_mask(mx, my, mr) - circle_mask(mx - 5, my - 5, mr), "moon_dark")

    # A red planet and its asteroids fill the bottom-right corner.
    rx, ry = 252, 252
    p.paint(circle_mask(rx, ry, 28), "mars")
    for (dx, dy, r) in ((-10, -8, 6), (8, 6, 8), (-4, 14, 4)):
        p.paint(circle_mask(rx + dx, ry + dy, r), "mars_dark")
    for (x, y, r, turn) in ((204, 222, 9, 10), (290, 206, 7, 40), (214, 290, 8, 70),
                            (292, 292, 6, 20)):
        rock = polygon_mask(regular_polygon(x, y, r, 7, turn))
        p.paint(rock, "rock")
        p.paint(rock - polygon_mask(regular_polygon(x - 2, y - 2, r, 7, turn)), "rock_dark")

    # A spiral galaxy on the right, between the ringed planet and the red one.
    cx, cy = 254, 176
    for (start, name) in ((0, "arm"), (180, "arm_light")):
        pts = []
        for k in range(22):
            t = k / 21
            ang = math.radians(start + 300 * t)
            r = 4 + 30 * t
            pts.append((snap(cx + r * math.cos(ang)), snap(cy + 0.55 * r * math.sin(ang))))
        p.paint(stroke_mask(pts, 4), name)
    p.paint(ellipse_mask(cx, cy, 8, 5), "core")

    # The rocket climbs through the middle of the picture.
    kx, ky, turn = 150, 150, 40
    p.paint(placed_mask([(-8, 22), (8, 22), (0, 52)], kx, ky, turn), "flame")
    p.paint(placed_mask([(-4, 22), (4, 22), (0, 38)], kx, ky, turn), "flame_core")
    for side in (-1, 1):
        p.paint(placed_mask([(side * 11, 2), (side * 24, 26), (side * 11, 20)], kx, ky, turn),
                "hull_red")
    body = placed_mask([(0, -46), (8, -34), (12, -16), (12, 22), (-12, 22), (-12, -16), (-8, -34)],
                       kx, ky, turn)
    p.paint(body, "hull")
    nose = placed_mask([(-20, -60), (20, -60), (20, -26), (-20, -26)], kx, ky, turn)
    p.paint(body & nose, "hull_red")
    band = placed_mask([(-20, 12), (20, 12), (20, 18), (-20, 18)], kx, ky, turn)
    p.paint(body & band, "hull_red")
    wx, wy = placed([(0, -8)], kx, ky, turn)[0]
    p.paint(circle_mask(wx, wy, 7), "rim")
    p.paint(circle_mask(wx, wy, 5), "porthole")
    p.paint(placed_mask([(-1, 22), (1, 22), (1, 30), (-1, 30)], kx, ky, turn), "rim")

    return p.bmp()


# --- 302: a composition of shapes ----------------------------------------------

SHAPES_COLOURS = [
    ("paper", (244, 234, 208)), ("sky", (186, 214, 232)), ("blush", (246, 204, 196)),
    ("black", (28, 28, 34)), ("white", (255, 255, 255)), ("red", (214, 44, 44)),
    ("blue", (34, 78, 176)), ("yellow", (252, 204, 32)), ("teal", (24, 150, 146)),
    ("orange", (242, 128, 34)), ("pink", (236, 120, 168)), ("purple", (110, 56, 140)),
    ("green", (82, 160, 70)), ("grey", (150, 150, 156)), ("navy", (26, 40, 96)),
]


def draw_shapes():
    p = Picture(SHAPES_COLOURS, "paper")

    # Three fields of ground colour, so the corners differ before anything is on them.
    p.paint(polygon_mask([(138, 0), (300, 0), (300, 176), (176, 150)]), "sky")
    p.paint(polygon_mask([(0, 196), (96, 301), (0, 301)]), "blush")

    # Long lines run under the shapes; where they cross a tile they tell its neighbours.
    p.paint(line_mask(-10, 52, 310, 250, 2.5), "black")
    p.paint(line_mask(36, 310, 170, -10, 3), "black")
    p.paint(line_mask(310, 112, 110, 312, 2), "red")

    # Concentric rings fill the top right.
    for (r, name) in ((66, "black"), (60, "blue"), (48, "yellow"), (36, "red"), (24, "white"),
                      (13, "teal"), (5, "black")):
        p.paint(circle_mask(214, 86, r), name)

    # A red sun sets in the top-left corner over a zigzag.
    p.paint(circle_mask(0, 0, 62), "red")
    p.paint(circle_mask(0, 0, 40), "orange")
    zig = [(0, 96)] + [(14 + 24 * k, 72 if k % 2 == 0 else 104) for k in range(6)]
    p.paint(stroke_mask(zig, 5), "teal")

    # A tall yellow triangle leans against the left edge, pierced by a blue bar.
    triangle = polygon_mask([(8, 262), (58, 118), (112, 236)])
    p.paint(triangle, "yellow")
    p.paint(polygon_mask([(46, 170), (86, 170), (86, 176), (46, 176)]) & triangle, "navy")
    for (x, y) in ((20, 140), (32, 140), (20, 152), (32, 152), (20, 164), (32, 164)):
        p.paint(circle_mask(x, y, 3.5), "pink")

    # Two overlapping panes in the middle; where they overlap they mix.
    blue_pane = polygon_mask(regular_polygon(150, 150, 38, 4, 15))
    orange_pane = rect_mask(138, 118, 196, 176)
    p.paint(blue_pane, "blue")
    p.paint(orange_pane, "orange")
    p.paint(blue_pane & orange_pane, "purple")

    # A fan of coloured arcs rises from the bottom edge.
    for (r, name) in ((70, "black"), (64, "red"), (52, "orange"), (40, "yellow"), (28, "green"),
                      (16, "blue")):
        p.paint(circle_mask(172, 301, r), name)

    # A tilted chequered square in the bottom-right corner.
    for row in range(5):
        for col in range(5):
            x, y = col * 14 - 35, row * 14 - 35
            cell = [(x, y), (x + 14, y), (x + 14, y + 14), (x, y + 14)]
            p.paint(placed_mask(cell, 262, 248, 14), "black" if (row + col) % 2 == 0 else "white")

    # A moon-like ring in the bottom-left, and small circles scattered as accents.
    p.paint(circle_mask(44, 272, 20), "black")
    p.paint(circle_mask(44, 272, 13), "white")
    p.paint(circle_mask(50, 268, 10), "grey")
    for (x, y, r, name) in ((118, 36, 9, "blue"), (252, 186, 7, "black"), (120, 208, 6, "red"),
                            (96, 110, 5, "green"), (226, 286, 5, "teal"), (286, 170, 5, "pink")):
        p.paint(circle_mask(x, y, r), name)

    # A pink wedge, a navy peak and a green bar give plainer parts a shape of their own.
    p.paint(polygon_mask([(300, 150), (300, 212), (246, 200)]), "pink")
    p.paint(polygon_mask([(136, 204), (150, 180), (164, 204)]), "navy")
    p.paint(placed_mask([(-30, -4), (30, -4), (30, 4), (-30, 4)], 112, 70, -30), "green")

    return p.bmp()


# --- 303: a still life by the window -----------------------------------------------

ROOM_COLOURS = [
    ("wall", (238, 224, 188)), ("wall_stripe", (226, 206, 164)), ("frame", (252, 252, 246)),
    ("pane", (150, 206, 246)), ("cloud", (255, 255, 255)), ("hill", (120, 190, 96)),
    ("curtain", (200, 50, 60)), ("curtain_fold", (150, 30, 44)), ("gold", (214, 170, 60)),
    ("gold_dark", (160, 118, 36)), ("sea", (46, 110, 190)), ("sail", (250, 250, 240)),
    ("clock_face", (255, 252, 236)), ("ink", (34, 30, 36)), ("cloth", (38, 128, 138)),
    ("cloth_fold", (24, 96, 108)), ("lace", (250, 248, 236)), ("floor", (176, 116, 64)),
    ("floor_line", (124, 76, 38)), ("vase", (52, 90, 196)), ("vase_light", (140, 176, 240)),
    ("petal", (255, 208, 30)), ("petal_dark", (238, 160, 20)), ("seed", (110, 64, 30)),
    ("stem", (60, 140, 60)), ("bowl", (236, 126, 56)), ("bowl_dark", (190, 84, 34)),
    ("apple", (214, 36, 44)), ("orange", (255, 150, 30)), ("banana", (250, 226, 80)),
    ("grape", (120, 60, 150)), ("grape_light", (170, 110, 200)), ("pot", (246, 240, 250)),
    ("pot_dot", (230, 100, 150)), ("pot_shade", (206, 196, 214)), ("cup", (120, 200, 160)),
    ("cat", (240, 160, 70)), ("cat_stripe", (196, 110, 36)), ("cat_light", (255, 224, 180)),
    ("yarn", (220, 60, 120)), ("yarn_line", (160, 30, 90)), ("leaf", (70, 160, 70)),
]


def draw_room():
    p = Picture(ROOM_COLOURS, "wall")
    for x in range(6, W, 26):
        p.paint(rect_mask(x, 0, x + 8, 190), "wall_stripe")

    # The window, its view and the curtains drawn back on either side.
    p.paint(rect_mask(20, 14, 120, 122), "frame")
    view = set()
    for (x0, y0) in ((26, 20), (73, 20), (26, 70), (73, 70)):
        pane = rect_mask(x0, y0, x0 + 41, y0 + 46)
        p.paint(pane, "pane")
        view |= pane
    p.paint(view & (circle_mask(40, 38, 9) | circle_mask(52, 34, 11) | circle_mask(64, 40, 8)),
            "cloud")
    hill = [(26, 116)] + wavy_edge(26, 114, 4, 96, [(6, 70, 0.2)]) + [(114, 116)]
    p.paint(view & polygon_mask(hill), "hill")
    for (x0, x1, tie) in ((8, 34, 24), (106, 132, 116)):
        curtain = polygon_mask([(x0, 8), (x1, 8), (tie + 4, 76), (x1 + 2, 132), (x0 - 2, 132),
                                (tie - 4, 76)])
        p.paint(curtain, "curtain")
        for k in range(1, 3):
            p.paint(line_mask(x0 + k * (x1 - x0) / 3, 10, tie, 76, 2) & curtain, "curtain_fold")
        p.paint(rect_mask(tie - 8, 72, tie + 8, 80), "gold")
    p.paint(rect_mask(2, 4, 140, 9), "gold_dark")

    # A clock and a framed seascape on the wall.
    p.paint(circle_mask(166, 44, 22), "gold_dark")
    p.paint(circle_mask(166, 44, 18), "clock_face")
    for k in range(12):
        tx, ty = placed([(0, -15)], 166, 44, 30 * k)[0]
        p.paint(circle_mask(tx, ty, 1.2), "ink")
    p.paint(line_mask(166, 44, 166, 32, 2), "ink")
    p.paint(line_mask(166, 44, 175, 49, 2), "ink")
    p.paint(rect_mask(200, 18, 286, 92), "gold")
    p.paint(rect_mask(204, 22, 282, 88) - rect_mask(207, 25, 279, 85), "gold_dark")
    p.paint(rect_mask(207, 25, 279, 85), "pane")
    p.paint(rect_mask(207, 62, 279, 85), "sea")
    p.paint(polygon_mask([(232, 64), (262, 64), (256, 72), (238, 72)]), "curtain")
    p.paint(polygon_mask([(246, 34), (246, 62), (230, 62)]), "sail")
    p.paint(polygon_mask([(249, 38), (249, 62), (262, 62)]), "sail")
    p.paint(circle_mask(268, 38, 6), "petal")

    # The table under its cloth, with a lace hem, on the wooden floor.
    p.paint(rect_mask(0, 258, W, H), "floor")
    for y in (270, 286):
        p.paint(rect_mask(0, y, W, y + 2), "floor_line")
    for (x, y0, y1) in ((60, 258, 270), (150, 272, 286), (230, 258, 270), (100, 288, 301),
                        (270, 288, 301)):
        p.paint(rect_mask(x, y0, x + 2, y1), "floor_line")
    p.paint(polygon_mask([(0, 184), (W, 184), (W, 250), (0, 250)]), "cloth")
    for (x, lean) in ((18, -4), (74, 3), (128, -2), (196, 5), (262, -3)):
        fold = [(x, 188), (x + 2, 188), (x + 4 + lean, 250), (x - 2 + lean, 250)]
        p.paint(polygon_mask(fold), "cloth_fold")
    # Each stretch of the cloth has an embroidered motif of its own.
    p.paint(star_mask(104, 222, 11, 5, 5), "lace")
    heart = (circle_mask(160, 218, 6) | circle_mask(171, 218, 6)
             | polygon_mask([(154.5, 220), (176.5, 220), (165.5, 234)]))
    p.paint(heart, "apple")
    p.paint(polygon_mask([(228, 208), (240, 222), (228, 236), (216, 222)]), "petal")
    p.paint(polygon_mask([(228, 214), (234, 222), (228, 230), (222, 222)]), "orange")
    for k in range(6):
        p.paint(circle_mask(*placed([(0, -7)], 286, 222, 60 * k)[0], 4.5), "lace")
    p.paint(circle_mask(286, 222, 4), "petal")
    p.paint(tilted_ellipse_mask(20, 222, 9, 4, -30) | tilted_ellipse_mask(34, 218, 9, 4, 30),
            "leaf")
    for x in range(0, W + 12, 12):
        p.paint(circle_mask(x + 6, 250, 6) & rect_mask(0, 250, W, 257), "lace")
        p.paint(circle_mask(x + 6, 252, 1.5), "cloth")
    p.paint(rect_mask(0, 180, W, 186), "cloth_fold")

    # Sunflowers in a blue vase.
    for (x1, y1) in ((52, 60), (84, 36), (104, 74), (40, 108)):
        stem = bezier((70, 132), ((70 + x1) / 2 + 4, (132 + y1) / 2), (x1, y1))
        p.paint(stroke_mask(stem, 3), "stem")
    p.paint(tilted_ellipse_mask(60, 100, 9, 4, -30), "leaf")
    p.paint(tilted_ellipse_mask(92, 96, 10, 4, 30), "leaf")
    for (x, y, r) in ((52, 60, 16), (84, 36, 18), (104, 74, 14), (40, 108, 12)):
        p.paint(star_mask(x, y, r, r * 0.55, 12, 0), "petal_dark")
        p.paint(star_mask(x, y, r * 0.85, r * 0.5, 12, 15), "petal")
        p.paint(circle_mask(x, y, r * 0.42), "seed")
    vase = polygon_mask([(56, 132), (84, 132), (80, 142), (94, 166), (84, 184), (56, 184),
                         (46, 166), (60, 142)])
    p.paint(vase, "vase")
    p.paint(vase & (rect_mask(0, 156, W, 160) | rect_mask(0, 170, W, 173)), "vase_light")

    # The fruit bowl in the middle: grapes over the rim, a banana across the top.
    for (x, y) in ((118, 152), (112, 160), (122, 162), (106, 168), (116, 170), (110, 178),
                   (120, 180)):
        p.paint(circle_mask(x, y, 5), "grape")
        p.paint(circle_mask(x - 1.5, y - 1.5, 1.5), "grape_light")
    p.paint(circle_mask(140, 146, 14), "orange")
    p.paint(circle_mask(166, 140, 15), "apple")
    p.paint(stroke_mask([(166, 126), (168, 118)], 2), "seed")
    p.paint(tilted_ellipse_mask(173, 119, 6, 3, -20), "leaf")
    p.paint(circle_mask(186, 152, 12), "apple")
    p.paint(stroke_mask(bezier((128, 132), (156, 150), (196, 128)), 7), "banana")
    bowl = ellipse_mask(158, 160, 46, 26) & rect_mask(0, 158, W, H)
    p.paint(bowl, "bowl")
    p.paint(rect_mask(112, 158, 205, 163) & ellipse_mask(158, 160, 47, 27), "bowl_dark")
    p.paint(rect_mask(144, 182, 172, 188), "bowl_dark")

    # A spotted teapot and its cup on the right.
    p.paint(stroke_mask(bezier((266, 146), (290, 150), (270, 172)), 5), "pot_shade")
    p.paint(polygon_mask([(220, 160), (204, 132), (210, 128), (228, 150)]), "pot")
    body = ellipse_mask(246, 160, 26, 24) & rect_mask(0, 0, W, 184)
    p.paint(body, "pot")
    p.paint(body - ellipse_mask(240, 154, 26, 24), "pot_shade")
    for (x, y) in ((236, 150), (252, 144), (258, 164), (240, 170), (226, 162), (266, 152)):
        p.paint(circle_mask(x, y, 3) & body, "pot_dot")
    p.paint(ellipse_mask(246, 136, 14, 5), "pot_shade")
    p.paint(circle_mask(246, 129, 4), "pot_dot")
    p.paint(polygon_mask([(274, 166), (298, 166), (294, 182), (278, 182)]), "cup")
    p.paint(ellipse_mask(286, 182, 14, 3), "pot_shade")

    # The cat sits on the floor in front of the cloth, watching a ball of yarn.
    cx, cy = 58, 262
    tail = bezier((cx + 22, cy + 30), (cx + 48, cy + 30), (cx + 42, cy + 6))
    p.paint(stroke_mask(tail, 6), "cat")
    cat_body = ellipse_mask(cx, cy + 14, 26, 26) & rect_mask(0, 0, W, cy + 36)
    p.paint(cat_body, "cat")
    for k in range(3):
        stripe = tilted_ellipse_mask(cx + 10 + k * 6, cy + 6 + k * 2, 3, 11, 20)
        p.paint(stripe & cat_body, "cat_stripe")
    p.paint(ellipse_mask(cx - 6, cy + 20, 10, 14) & cat_body, "cat_light")
    hx = cx - 4
    head = circle_mask(hx, cy - 16, 17)
    for side in (-1, 1):
        ear = [(hx + side * 16, cy - 36), (hx + side * 4, cy - 28), (hx + side * 15, cy - 20)]
        p.paint(polygon_mask(ear), "cat")
    p.paint(head, "cat")
    p.paint(rect_mask(cx - 8, cy - 33, cx, cy - 27) & head, "cat_stripe")
    for side in (-1, 1):
        p.paint(ellipse_mask(hx + side * 7, cy - 18, 2.5, 3.5), "stem")
        p.paint(rect_mask(hx - 1 + side * 7, cy - 21, hx + 1 + side * 7, cy - 15), "ink")
    p.paint(polygon_mask([(cx - 7, cy - 10), (cx - 1, cy - 10), (cx - 4, cy - 7)]), "pot_dot")
    for side in (-1, 1):
        p.paint(line_mask(hx + side * 6, cy - 8, hx + side * 20, cy - 10, 1), "ink")
    # A toy mouse waits in the bottom-right corner.
    p.paint(stroke_mask(bezier((296, 292), (300, 300), (286, 298)), 1.5), "ink")
    p.paint(ellipse_mask(282, 288, 13, 8) & rect_mask(0, 0, W, 294), "pot_shade")
    p.paint(circle_mask(272, 281, 4), "pot_dot")
    p.paint(circle_mask(270, 287, 1.2), "ink")
    yx, yy = 230, 282
    p.paint(stroke_mask(bezier((yx - 12, yy + 8), (170, 300), (120, 290)), 1.5), "yarn_line")
    ball = circle_mask(yx, yy, 14)
    p.paint(ball, "yarn")
    for k in range(3):
        strand = bezier((yx - 12, yy - 6 + k * 6), (yx, yy - 12 + k * 8), (yx + 12, yy - 4 + k * 6))
        p.paint(stroke_mask(strand, 1.5) & ball, "yarn_line")

    return p.bmp()


# --- 304: a macaw in the rainforest -----------------------------------------------

FOREST_COLOURS = [
    ("shade", (24, 84, 58)), ("sky", (176, 228, 222)), ("leaf_dark", (34, 122, 78)),
    ("leaf", (64, 164, 72)), ("leaf_light", (124, 200, 84)), ("vein", (200, 236, 150)),
    ("bark", (120, 78, 44)), ("bark_dark", (78, 48, 28)), ("moss", (150, 170, 60)),
    ("red", (222, 36, 40)), ("red_dark", (164, 20, 30)), ("face", (250, 246, 236)),
    ("ink", (24, 22, 28)), ("beak", (238, 226, 196)), ("beak_dark", (150, 140, 120)),
    ("yellow", (255, 210, 30)), ("green", (60, 170, 70)), ("blue", (36, 92, 210)),
    ("blue_light", (70, 150, 236)), ("claw", (110, 110, 120)), ("hibiscus", (240, 70, 130)),
    ("hibiscus_dark", (190, 30, 90)), ("pollen", (255, 230, 60)), ("heliconia", (250, 110, 30)),
    ("morpho", (40, 140, 250)), ("morpho_edge", (16, 30, 70)), ("vine", (90, 140, 50)),
]

# Leaves at every depth, the darker ones behind: centre, half length, half width, turn, colour.
FOREST_LEAVES = (
    (20, 60, 40, 14, 30, "leaf_dark"), (96, 36, 36, 12, -20, "leaf_dark"),
    (250, 50, 44, 14, 150, "leaf_dark"), (270, 120, 40, 14, 200, "leaf_dark"),
    (28, 140, 42, 14, -30, "leaf_dark"), (100, 120, 34, 12, 60, "leaf_dark"),
    (230, 280, 44, 16, -25, "leaf_dark"), (40, 290, 40, 14, 20, "leaf_dark"),
    (70, 90, 38, 13, 15, "leaf"), (226, 100, 34, 12, -40, "leaf"),
    (286, 180, 34, 12, 100, "leaf"), (96, 250, 40, 14, -50, "leaf"),
    (250, 226, 30, 10, 20, "leaf"), (14, 210, 34, 12, 80, "leaf"),
    (130, 12, 30, 10, 10, "leaf_light"), (200, 150, 28, 10, -70, "leaf_light"),
    (60, 176, 30, 10, 160, "leaf_light"), (290, 270, 30, 10, -80, "leaf_light"),
)


def leaf(p, cx, cy, length, width, degrees, colour):
    """A pointed leaf with its midrib."""
    outline = (bezier((-length, 0), (0, -width * 2), (length, 0), 10)
               + bezier((length, 0), (0, width * 2), (-length, 0), 10)[1:])
    shape = placed_mask(outline, cx, cy, degrees)
    p.paint(shape, colour)
    rib = placed([(-length * 0.95, 0), (length * 0.8, 0)], cx, cy, degrees)
    p.paint(stroke_mask(rib, 1.2) & shape, "vein")


def draw_forest():
    p = Picture(FOREST_COLOURS, "shade")

    # Sky shows through the canopy along the top, further down in some places than others.
    p.paint(from_top(22, [(14, 120, 0.1), (6, 47, 0.3)]), "sky")
    for (x, y, length, width, turn, name) in FOREST_LEAVES:
        leaf(p, x, y, length, width, turn, name)

    # A vine hangs down the right side.
    vine = [(snap(262 + 6 * math.sin(k / 2.0)), k * 10) for k in range(20)]
    p.paint(stroke_mask(vine, 3), "vine")
    for k in range(2, 19, 3):
        x, y = vine[k]
        leaf(p, x + (8 if k % 2 else -8), y, 8, 3.5, 30 if k % 2 else 150, "leaf_light")

    # The branch the macaw sits on.
    branch = polygon_mask([(0, 196), (120, 184), (300, 170), (300, 186), (120, 200), (0, 212)])
    p.paint(branch, "bark")
    for (x0, x1) in ((10, 60), (90, 150), (200, 270)):
        p.paint(line_mask(x0, 204 - x0 * 0.08, x1, 204 - x1 * 0.08, 1.5) & branch, "bark_dark")
    p.paint(branch & polygon_mask([(30, 180), (80, 180), (70, 196), (36, 200)]), "moss")

    # A hibiscus, a heliconia and a butterfly.
    fx, fy = 50, 252
    for k in range(5):
        px, py = placed([(0, -12)], fx, fy, 72 * k + 10)[0]
        p.paint(circle_mask(px, py, 11), "hibiscus")
    p.paint(circle_mask(fx, fy, 7), "hibiscus_dark")
    p.paint(stroke_mask([(fx, fy), (fx + 14, fy - 16)], 2), "pollen")
    p.paint(circle_mask(fx + 14, fy - 16, 3), "pollen")
    for k in range(4):
        bx, by = 272 - k * 4, 214 + k * 18
        p.paint(polygon_mask([(bx, by), (bx + 22, by + 6), (bx + 4, by + 14)]), "heliconia")
        p.paint(polygon_mask([(bx + 4, by + 8), (bx + 20, by + 8), (bx + 6, by + 12)]), "yellow")
    p.paint(stroke_mask([(270, 210), (262, 290)], 3), "vine")
    mx, my = 58, 44
    for side in (-1, 1):
        def mirrored(points):
            return polygon_mask([(mx + side * dx, my + dy) for (dx, dy) in points])
        edge = (mirrored([(0, -2), (10, -20), (26, -18), (22, 2), (0, 2)])
                | mirrored([(0, 0), (18, 4), (16, 16), (6, 18)]))
        p.paint(edge, "morpho_edge")
        p.paint(mirrored([(2, -2), (10, -16), (21, -14), (18, 0)]), "morpho")
        p.paint(mirrored([(2, 2), (14, 5), (13, 13), (6, 14)]), "morpho")
        for (dx, dy) in ((23, -16), (24, -8), (16, 14)):
            p.put(mx + side * dx, my + dy, "face")
    p.paint(ellipse_mask(mx, my + 2, 2, 11), "morpho_edge")
    antennae = line_mask(mx, my - 8, mx - 6, my - 20, 1) | line_mask(mx, my - 8, mx + 6, my - 20, 1)
    p.paint(antennae, "morpho_edge")

    # The macaw: tail first, then body, wing, head and beak.
    for (x_top, x_end, y_end, name) in ((150, 118, 301, "blue"), (160, 148, 301, "red"),
                                        (168, 170, 298, "blue_light")):
        feather = [(x_top - 9, 176), (x_top + 9, 176), (x_end + 6, y_end), (x_end - 6, y_end)]
        p.paint(polygon_mask(feather), name)
    p.paint(polygon_mask([(154, 176), (166, 176), (150, 301), (146, 301)]), "red_dark")
    body = tilted_ellipse_mask(168, 132, 28, 50, -8)
    p.paint(body, "red")
    wing = tilted_ellipse_mask(158, 150, 20, 50, 14)
    p.paint(wing, "blue")
    for (y0, y1, name) in ((96, 124, "yellow"), (124, 146, "green"), (146, 166, "blue_light")):
        p.paint(wing & rect_mask(0, y0, W, y1), name)
    for k in range(4):
        x = 146 + k * 7
        p.paint(line_mask(x, 166, x - 6, 204, 1.2) & wing, "ink")
    coverts = wing & rect_mask(0, 96, W, 146)
    for k in range(3):
        edge = bezier((144, 114 + k * 10), (156, 120 + k * 10), (170, 112 + k * 10))
        p.paint(stroke_mask(edge, 1.2) & coverts, "red_dark")
    for dx in (0, 10):
        p.paint(stroke_mask([(170 + dx, 170), (170 + dx, 184), (176 + dx, 188)], 4), "claw")
    p.paint(circle_mask(182, 70, 24), "red")
    p.paint(ellipse_mask(194, 72, 12, 14), "face")
    for k in range(3):
        streak = line_mask(188, 66 + k * 6, 200, 66 + k * 6, 1)
        p.paint(streak & ellipse_mask(194, 72, 10, 12), "red_dark")
    p.paint(circle_mask(192, 64, 4), "yellow")
    p.paint(circle_mask(192, 64, 2.5), "ink")
    upper = polygon_mask(bezier((200, 56), (226, 58), (220, 98), 12)
                         + [(214, 88), (206, 82), (200, 80)])
    p.paint(upper, "beak")
    inner = polygon_mask(bezier((198, 52), (222, 54), (216, 96), 12) + [(206, 80), (198, 80)])
    p.paint(upper - inner, "beak_dark")
    p.paint(polygon_mask([(200, 80), (212, 86), (206, 94), (198, 90)]), "ink")

    return p.bmp()


# --- main --------------------------------------------------------------------

SAMPLES = {
    300: draw_reef,
    301: draw_space,
    302: draw_shapes,
    303: draw_room,
    304: draw_forest,
}


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: gen_samples.py OUTDIR\n")
        return 2
    out = argv[1]
    os.makedirs(out, exist_ok=True)
    for ident, draw in SAMPLES.items():
        with open(os.path.join(out, "%d.bmp" % ident), "wb") as f:
            f.write(draw())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
