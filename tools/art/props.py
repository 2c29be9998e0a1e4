"""Gameplay props: checkpoint lantern and laser beam sheets, the falling slab and the searchlight."""

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


def falling_slab(w=64, h=24):
    """A cracked stone slab on a wooden brace: reads as a ledge that will not hold; wraps horizontally."""
    c = Canvas(w, h)
    for y in range(h):
        for x in range(w):
            if y == 0:
                col = P.STONE[5]
            elif y < 3:
                col = P.STONE[4]
            elif y >= h - 6:
                col = P.WOOD[1] if y == h - 1 else P.WOOD[2 + (x // 4 + y) % 2]
            else:
                speckle = ((x * 7 + y * 13) % 23 == 0)
                col = P.STONE[2] if speckle else P.STONE[3]
            c.set(x, y, col)
    # a zigzag crack down the middle and a chipped corner
    x = 30
    for y in range(1, h - 6):
        x += 1 if (y // 3) % 2 else -1
        c.set(x, y, P.STONE[0])
        c.set(x + 1, y, P.STONE[1])
    for y in range(3, 9):
        for x in range(w - 9 + y // 2, w - 4):
            c.set(x, y, P.STONE[1])
    return c


def searchlight(w=48, h=48):
    """A lamp head on a pivot, lens pointing right (the light's own direction at rotation 0)."""
    pc = PartCanvas(w, h)
    cx, cy = w / 2.0, h / 2.0
    pc.draw_group([capsule((cx - 12, cy), (cx + 6, cy), 8.0, 10.0, P.METAL)])
    pc.draw_group([poly([(cx + 6, cy - 11), (cx + 14, cy - 13), (cx + 14, cy + 13), (cx + 6, cy + 11)], P.METAL,
                        fixed=3)])
    pc.draw_group([poly([(cx + 12, cy - 10), (cx + 15, cy - 11), (cx + 15, cy + 11), (cx + 12, cy + 10)],
                        P.GLOW_WARM, fixed=4)])
    c = pc.canvas
    for dy in range(-2, 3):
        for dx in range(-2, 3):
            if dx * dx + dy * dy <= 5:
                c.set(int(cx - 6 + dx), int(cy + dy), P.METAL[1])
    return c

