"""Draws a synthetic photo, a lake under mountains at sunset, to show a player's own picture being
played: python3 tools/gen_photo.py OUT.png [SIDE].

Smooth light, soft edges, grain and fine detail (reeds and a fence a pixel or two wide) as a
camera's picture has them, so a dense screen shows what a scaled-down one cannot. Written as a
PNG, SIDE pixels square (720 by default).
"""

import math
import os
import random
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from bmpwriter import write_png  # noqa: E402


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def smooth(edge0, edge1, x):
    t = min(max((x - edge0) / (edge1 - edge0), 0.0), 1.0)
    return t * t * (3 - 2 * t)


def ridge(x, seed, height, roughness):
    """A mountain line: a sum of waves, rougher in the small."""
    return height + sum(math.sin(x * f + seed * p) * a
                        for f, p, a in ((2.1, 1.3, 0.05), (5.3, 2.9, 0.025 * roughness),
                                        (13.7, 0.7, 0.01 * roughness), (31.0, 4.1, 0.004)))


def pixel(u, v, grain):
    sun = (0.68, 0.36)
    horizon = 0.62
    sky = mix((0.98, 0.62, 0.32), (0.25, 0.35, 0.62), smooth(0.05, 0.6, horizon - v))
    glow = math.exp(-((u - sun[0]) ** 2 + (v - sun[1]) ** 2) * 60)
    colour = mix(sky, (1.0, 0.93, 0.7), glow)
    if math.hypot(u - sun[0], v - sun[1]) < 0.045:
        colour = (1.0, 0.97, 0.85)
    for seed, height, roughness, tone in ((1.0, 0.42, 1.0, (0.42, 0.36, 0.52)),
                                          (2.0, 0.5, 1.4, (0.27, 0.25, 0.36)),
                                          (3.0, 0.57, 2.0, (0.16, 0.2, 0.18))):
        top = ridge(u, seed, height, roughness)
        if v > top:
            colour = mix(tone, (0.05, 0.06, 0.08), smooth(top, horizon, v) * 0.5)
    if v > horizon:
        # The lake mirrors what lies above it, darker and rippled.
        depth = v - horizon
        mirrored = pixel(u + 0.004 * math.sin(v * 400), horizon - depth * 1.1, 0)
        colour = mix(mirrored, (0.06, 0.12, 0.2), 0.35 + depth)
        # Reeds in front: thin blades, a pixel or two wide.
        blade = (u * 173.0) % 1.0
        if v > 0.86 - 0.04 * math.sin(u * 37) and blade < 0.012 + 0.01 * math.sin(u * 91) ** 2:
            colour = (0.12, 0.16, 0.06)
    # A fence on the near shore: posts and two wires.
    if 0.7 < v < 0.78 and u < 0.4 and ((u * 60) % 1.0 < 0.06 or abs(v - 0.72) < 0.002 or
                                        abs(v - 0.75) < 0.002):
        colour = (0.1, 0.08, 0.06)
    return tuple(min(max(c + grain, 0.0), 1.0) for c in colour)


def main():
    out = sys.argv[1]
    side = int(sys.argv[2]) if len(sys.argv) > 2 else 720
    # The same grain every run.
    noise = random.Random(7)
    rows = [[tuple(round(c * 255) for c in pixel(x / side, y / side, noise.gauss(0, 0.015)))
             + (255,) for x in range(side)] for y in range(side)]
    write_png(out, side, side, rows)


if __name__ == "__main__":
    main()
