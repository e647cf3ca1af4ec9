"""Draws the launcher's PLAY and 離開 button pictures: python3 tools/gen_launcher_art.py OUTDIR."""

import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from bmpwriter import write_palette_png  # noqa: E402

WIDTH, HEIGHT = 80, 37

# Outside the plate's rounded corners: palette entry 0, which the file marks see-through and
# nothing else uses.
KEY = (255, 0, 255)
CORNER_RADIUS = 4.0

# Light and shade stops of the gold, from the deepest shadow to the brightest gleam.
GOLD_STOPS = [
    (0.00, (92, 56, 6)),
    (0.30, (168, 116, 22)),
    (0.55, (222, 172, 48)),
    (0.80, (250, 220, 118)),
    (1.00, (255, 247, 206)),
]
RED_TOP = (238, 44, 30)
RED_BOTTOM = (158, 0, 0)
SHADOW = (70, 30, 0)

# Each sample on a 4 x 4 grid inside the pixel: the words' curves and slants get smooth edges.
SUPERSAMPLE = 4


# --- the two Chinese characters -----------------------------------------------
# A hand-made 28 x 28 bitmap in a bold, plain style: two-pixel strokes, so the words stay
# readable in red on the busy gold.

LI = """
.....##............##.......
.....##...........##..##....
#############....##....##...
#############...##..........
...............##.##########
.##.#...#.##...##.##########
.##.##.##.##...##....##.....
.##..###..##...##....##.....
.##.##.##.##...##....##.....
.##.#...#.##...##....##.....
.###########...##....##.....
.###########...##.#########.
...............##.#########.
.###########...##....##.....
.###########...##....##.....
.##.......##...##....##.....
.##.......##...##....##.....
.##...#...##...##....##.....
.##..##...##...##.#########.
.##..#..#.##...##.#########.
.##.##..#.##...##....##.....
.##.#####.##...##....##.....
.##.#####.##...##....##.....
.##.......##...##....##.....
.##.......##...##....##.....
.##.......##...##.##########
.##......###...##.##########
.##.....####...##...........
"""

KAI = """
.###########....###########.
.###########....###########.
.##.......##....##.......##.
.##.......##....##.......##.
.###########....###########.
.###########....###########.
.##.......##....##.......##.
.##.......##....##.......##.
.###########....###########.
.###########....###########.
.##......................##.
.##......................##.
.##......................##.
.##...################...##.
.##...################...##.
.##......##......##......##.
.##......##......##......##.
.##......##......##......##.
.##......##......##......##.
.##.####################.##.
.##.####################.##.
.##......##......##......##.
.##......##......##......##.
.##.....##.......##......##.
.##.....##.......##......##.
.##....##........##......##.
.##...##.........##......##.
.##..##..........##...####..
"""


def bitmap_coverage(art, left, top):
    """Full coverage on the pixels the art marks, placed with its top-left corner there."""
    cover = {}
    for dy, line in enumerate(art.strip("\n").split("\n")):
        for dx, ch in enumerate(line):
            if ch == "#":
                cover[(left + dx, top + dy)] = 1.0
    return cover


# --- the word PLAY --------------------------------------------------------------
# Bold capitals built from bars, round bows and slanted strokes, sampled below pixel size.

STROKE = 4.4
CAP_TOP = 8.0
CAP_HEIGHT = 21.0


def in_round_rect(x, y, x0, y0, x1, y1, r):
    if not (x0 <= x <= x1 and y0 <= y <= y1):
        return False
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def in_stroke(x, y, x0, y0, x1, y1, width):
    """A straight stroke with square ends reaching half its width past both points."""
    dx, dy = x1 - x0, y1 - y0
    length = math.sqrt(dx * dx + dy * dy)
    ux, uy = dx / length, dy / length
    along = (x - x0) * ux + (y - y0) * uy
    across = -(x - x0) * uy + (y - y0) * ux
    return -width / 2 <= along <= length + width / 2 and abs(across) <= width / 2


def letter_p(x0):
    top, bottom = CAP_TOP, CAP_TOP + CAP_HEIGHT
    bow_bottom = top + 12.5

    def inside(x, y):
        if x0 <= x <= x0 + STROKE and top <= y <= bottom:
            return True
        outer = in_round_rect(x, y, x0, top, x0 + 14, bow_bottom, 6.2)
        hole = in_round_rect(x, y, x0 + STROKE, top + STROKE, x0 + 14 - STROKE,
                             bow_bottom - STROKE, 1.8)
        return outer and not hole
    return inside


def letter_l(x0):
    top, bottom = CAP_TOP, CAP_TOP + CAP_HEIGHT

    def inside(x, y):
        stem = x0 <= x <= x0 + STROKE and top <= y <= bottom
        foot = x0 <= x <= x0 + 12 and bottom - STROKE <= y <= bottom
        return stem or foot
    return inside


def letter_a(x0):
    top, bottom = CAP_TOP, CAP_TOP + CAP_HEIGHT
    apex = (x0 + 8.5, top + 2.0)

    def inside(x, y):
        if not top <= y <= bottom:
            return False
        legs = (in_stroke(x, y, x0 + 2.4, bottom, apex[0], apex[1], STROKE + 0.4) or
                in_stroke(x, y, x0 + 14.6, bottom, apex[0], apex[1], STROKE + 0.4))
        bar = x0 + 4 <= x <= x0 + 13 and top + 12.5 <= y <= top + 15.8
        return legs or bar
    return inside


def letter_y(x0):
    top, bottom = CAP_TOP, CAP_TOP + CAP_HEIGHT
    fork = (x0 + 8.5, top + 11.0)

    def inside(x, y):
        if not top <= y <= bottom:
            return False
        arms = (in_stroke(x, y, x0 + 2.4, top, fork[0], fork[1], STROKE + 0.4) or
                in_stroke(x, y, x0 + 14.6, top, fork[0], fork[1], STROKE + 0.4))
        stem = x0 + 8.5 - STROKE / 2 - 0.1 <= x <= x0 + 8.5 + STROKE / 2 + 0.1 and y >= fork[1]
        return arms or stem
    return inside


def shape_coverage(shapes):
    cover = {}
    step = 1.0 / SUPERSAMPLE
    for y in range(HEIGHT):
        for x in range(WIDTH):
            hits = 0
            for sy in range(SUPERSAMPLE):
                for sx in range(SUPERSAMPLE):
                    px, py = x + (sx + 0.5) * step, y + (sy + 0.5) * step
                    if any(inside(px, py) for inside in shapes):
                        hits += 1
            if hits:
                cover[(x, y)] = hits / (SUPERSAMPLE * SUPERSAMPLE)
    return cover


# --- the golden plate -------------------------------------------------------------

def noise(x, y, seed):
    """A fixed pseudo-random value in [0, 1) for a pixel: the same bytes on every run."""
    h = (x * 374761393 + y * 668265263 + seed * 2147483647) & 0xFFFFFFFF
    h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
    return ((h ^ (h >> 16)) & 0xFFFF) / 65536.0


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def gold(level):
    level = min(max(level, 0.0), 1.0)
    for (p0, c0), (p1, c1) in zip(GOLD_STOPS, GOLD_STOPS[1:]):
        if level <= p1:
            return mix(c0, c1, (level - p0) / (p1 - p0))
    return GOLD_STOPS[-1][1]


def plate_level(x, y):
    """Light on the plate: a polished band above the middle, brushed streaks across it, fine
    grain, and a bevel that catches the light on the top and left edges."""
    v = y / (HEIGHT - 1)
    level = 0.72 - 0.42 * v + 0.22 * math.exp(-((v - 0.28) / 0.16) ** 2)
    streak = math.sin(x * 0.21 + 9.0 * noise(0, y, 7)) * 0.05 + (noise(0, y, 3) - 0.5) * 0.08
    grain = (noise(x, y, 11) - 0.5) * 0.07
    level += streak + grain
    edge = min(x, y, WIDTH - 1 - x, HEIGHT - 1 - y)
    if edge == 0:
        level = 0.08
    elif edge <= 2:
        lit = x <= 2 or y <= 2
        shaded = x >= WIDTH - 3 or y >= HEIGHT - 3
        if lit and not shaded:
            level += 0.30 if edge == 1 else 0.15
        elif shaded and not lit:
            level -= 0.30 if edge == 1 else 0.15
    return level


def in_plate(x, y):
    return in_round_rect(x + 0.5, y + 0.5, 0, 0, WIDTH, HEIGHT, CORNER_RADIUS)


def render(cover):
    """The button in true colour: the words in red, graded from top to bottom, with a soft
    shadow to the lower right that lifts them off the gold."""
    pixels = []
    for y in range(HEIGHT):
        row = []
        for x in range(WIDTH):
            if not in_plate(x, y):
                row.append(KEY)
                continue
            colour = gold(plate_level(x, y))
            shade = cover.get((x - 1, y - 1), 0.0) * 0.8
            colour = mix(colour, SHADOW, shade)
            face = cover.get((x, y), 0.0)
            if face:
                red = mix(RED_TOP, RED_BOTTOM, (y - 4) / (HEIGHT - 8))
                colour = mix(colour, red, face)
            row.append(tuple(int(round(c)) for c in colour))
        pixels.append(row)
    return pixels


# --- 256 colours ------------------------------------------------------------------

def median_cut(colours, count):
    """Splits the colours into boxes at the median of their widest channel until there are
    count boxes; each box gives its mean colour."""
    boxes = [sorted(colours)]
    while len(boxes) < count:
        widest, channel, spread = None, 0, -1
        for i, box in enumerate(boxes):
            if len(box) < 2:
                continue
            for c in range(3):
                values = [p[c] for p in box]
                if max(values) - min(values) > spread:
                    widest, channel, spread = i, c, max(values) - min(values)
        if widest is None or spread == 0:
            break
        box = sorted(boxes.pop(widest), key=lambda p: (p[channel], p))
        half = len(box) // 2
        boxes += [box[:half], box[half:]]
    return [tuple(int(round(sum(p[c] for p in box) / len(box))) for c in range(3))
            for box in boxes]


def to_palette(pixels):
    """Index 0 is the see-through one; the plate's colours share the other 255 entries."""
    used = sorted({p for row in pixels for p in row if p != KEY})
    palette = [KEY] + (used if len(used) <= 255 else median_cut(
        [p for row in pixels for p in row if p != KEY], 255))
    nearest = {}
    for p in used:
        nearest[p] = min(range(1, len(palette)),
                         key=lambda i: sum((palette[i][c] - p[c]) ** 2 for c in range(3)))
    rows = [[0 if p == KEY else nearest[p] for p in row] for row in pixels]
    return palette + [(0, 0, 0)] * (256 - len(palette)), rows


def write_button(path, cover):
    palette, rows = to_palette(render(cover))
    write_palette_png(path, WIDTH, HEIGHT, 8, palette, rows, 0)


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: gen_launcher_art.py OUTDIR\n")
        return 2
    out = argv[1]
    os.makedirs(out, exist_ok=True)
    # PLAY: letters 14, 12, 17 and 17 wide with 2-pixel gaps, centred.
    write_button(os.path.join(out, "play.png"),
                 shape_coverage([letter_p(7), letter_l(23), letter_a(37), letter_y(56)]))
    # 離開: two 28-pixel characters 6 apart, centred, a pixel high for the shadow below.
    cover = bitmap_coverage(LI, 9, 4)
    cover.update(bitmap_coverage(KAI, 43, 4))
    write_button(os.path.join(out, "exit.png"), cover)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
