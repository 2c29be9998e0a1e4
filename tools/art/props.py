"""Gameplay props with fixed names: checkpoint lantern and laser beam sheets."""

import math

from . import palette as P
from .canvas import Canvas, bayer, clamp
from .shapes import PartCanvas, capsule, poly


def _lantern(flame, w=48, h=96):
    """A stone post with a lantern; flame 0 (dark) .. 1 (fully lit), may flicker above 1."""
    pc = PartCanvas(w, h)
    cx = w / 2.0
    pc.draw_group([poly([(cx - 8, h - 2), (cx + 8, h - 2), (cx + 6, h - 8), (cx - 6, h - 8)], P.STONE, fixed=2),
                   capsule((cx, h - 8), (cx, 40), 3.2, 3.0, P.STONE)])
    pc.draw_group([poly([(cx - 10, 38), (cx + 10, 38), (cx + 8, 42), (cx - 8, 42)], P.STONE, fixed=3)])
    glass = P.GLOW_WARM if flame > 0.05 else P.UI_DARK
    pc.draw_group([poly([(cx - 8, 20), (cx + 8, 20), (cx + 7, 38), (cx - 7, 38)], P.METAL, fixed=1),
                   poly([(cx - 6, 22), (cx + 6, 22), (cx + 5, 36), (cx - 5, 36)], glass,
                        fixed=2 if flame < 0.5 else 3, clip=True),
                   poly([(cx - 11, 20), (cx, 10), (cx + 11, 20)], P.METAL, fixed=2)])
    c = pc.canvas
    if flame > 0.05:
        fh = 10 * min(flame, 1.2)
        for y in range(int(36 - fh), 36):
            t = (36 - y) / max(1.0, fh)
            half = 3.2 * (1 - t) + 0.5
            for x in range(int(cx - half), int(cx + half) + 1):
                c.set(x, y, P.GLOW_WARM[5] if abs(x + 0.5 - cx) < half * 0.5 else P.GLOW_WARM[4])
    else:
        for x in range(int(cx) - 1, int(cx) + 2):
            c.set(x, 35, P.BARK[2])
    return c


def checkpoint_unlit():
    return _lantern(0.0)


def checkpoint_lighting(n=8):
    return [_lantern(0.0 if i == 0 else min(1.0, i / (n - 2.0)) * (1.15 if i == n - 2 else 1.0)) for i in range(n)]


def checkpoint_lit(n=4):
    return [_lantern(1.0 + 0.12 * math.sin(i / float(n) * 2 * math.pi)) for i in range(n)]


def _beam(strength, jitter, size=64):
    """Additive beam across the cell's middle; the game scales it to the laser's length."""
    c = Canvas(size, size)
    m = size / 2.0
    for y in range(size):
        d = abs(y + 0.5 - m)
        for x in range(size):
            wobble = 0.6 * math.sin(x * 0.9 + jitter) * strength
            core = 1.6 * strength + wobble
            glow = 7.0 * strength
            if d <= core:
                g, col = 1.0, P.ENEMY_EYE[4]
            elif d <= glow:
                g = (1 - (d - core) / (glow - core)) ** 1.5
                g = math.floor(g * 4 + bayer(x, y) * 0.9) / 4.0
                col = P.ENEMY_EYE[2]
            else:
                continue
            g *= clamp(strength * 1.2)
            if g <= 0:
                continue
            c.set(x, y, (int(col[0] * g), int(col[1] * g), int(col[2] * g), int(255 * g)))
    return c


def laser_startup(n=4):
    return [_beam(0.35 + 0.1 * (i % 2), i * 1.7) for i in range(n)]


def laser_on(n=4):
    return [_beam(1.0, i * 1.57) for i in range(n)]


