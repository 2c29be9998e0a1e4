"""Effect sheets: landing dust, death burst, respawn shimmer and particle sprites."""

import math
import random

from . import palette as P
from .canvas import Canvas, bayer, clamp, mix
from .shapes import lum_of


def _puff(canvas, cx, cy, r, fade, ramp=P.DUST):
    """A shaded round dust puff; fade 0..1 eats it away with an ordered dither."""
    ir = int(math.ceil(r)) + 1
    for y in range(int(cy) - ir, int(cy) + ir + 1):
        for x in range(int(cx) - ir, int(cx) + ir + 1):
            dx, dy = (x + 0.5 - cx) / r, (y + 0.5 - cy) / r
            d2 = dx * dx + dy * dy
            if d2 > 1:
                continue
            if fade > 0 and bayer(x, y) < fade * (0.6 + 0.4 * d2) + fade * 0.2:
                continue
            lum = lum_of(dx * 0.9, dy * 0.9)
            idx = 1 if lum < 0.3 else 2 if lum < 0.75 else 3
            canvas.set(x, y, ramp[idx])


def landing_dust(n=6, w=96, h=32):
    rnd = random.Random(11)
    puffs = []
    for side in (-1, 1):
        for k in range(4):
            puffs.append((side, 4 + k * 6 + rnd.random() * 3, 0.6 + rnd.random() * 0.5, 3.5 + rnd.random() * 2.5))
    frames = []
    for i in range(n):
        t = (i + 1) / float(n)
        c = Canvas(w, h)
        for side, dist, speed, size in puffs:
            travel = dist * (0.35 + 1.3 * (1 - (1 - t) ** 2)) * speed
            x = w / 2 + side * travel
            y = h - 4 - size * 0.3 - 6 * t * speed * (dist / 20.0)
            r = size * (0.7 + 0.8 * t)
            _puff(c, x, y, r, max(0.0, (t - 0.35) * 1.4))
        frames.append(c)
    return frames


def _shard(canvas, cx, cy, ang, size, color, dark):
    """A small spinning diamond."""
    ca, sa = math.cos(ang), math.sin(ang)
    ir = int(size) + 1
    for y in range(int(cy) - ir, int(cy) + ir + 1):
        for x in range(int(cx) - ir, int(cx) + ir + 1):
            dx, dy = x + 0.5 - cx, y + 0.5 - cy
            u = dx * ca + dy * sa
            v = -dx * sa + dy * ca
            if abs(u) / size + abs(v) / (size * 0.5) <= 1:
                canvas.set(x, y, color if u + v < 0 else dark)


def death_burst(n=8, size=96):
    rnd = random.Random(23)
    shards = []
    colors = [(P.FOX[3], P.FOX[1]), (P.CREAM[2], P.CREAM[1]), (P.SCARF[3], P.SCARF[1]), (P.FOX[4], P.FOX[2])]
    for k in range(14):
        a = k / 14.0 * 2 * math.pi + rnd.uniform(-0.2, 0.2)
        shards.append((a, rnd.uniform(0.7, 1.0), rnd.uniform(3.5, 5.5), colors[k % 4], rnd.uniform(0, 6)))
    frames = []
    c0 = size / 2.0
    for i in range(n):
        t = i / float(n - 1)
        c = Canvas(size, size)
        # the flash and expanding ring
        ring = 6 + 36 * (1 - (1 - t) ** 2)
        width = max(0.0, 3.0 * (1 - t))
        for y in range(size):
            for x in range(size):
                d = math.hypot(x + 0.5 - c0, y + 0.5 - c0)
                if i == 0 and d < 10:
                    c.set(x, y, P.WHITE if d < 7 else P.TIME[4])
                elif i == 1 and d < 7 - 2:
                    c.set(x, y, P.TIME[4])
                if width > 0.6 and abs(d - ring) < width:
                    inner = (d - ring) < 0
                    col = P.WHITE if t < 0.3 else (P.CREAM[3] if inner else P.FOX[3])
                    if t > 0.55 and bayer(x, y) < (t - 0.55) * 2.2:
                        continue
                    c.set(x, y, col)
        # smoke left where the body was
        if i >= 2:
            for k in range(5):
                a = k * 1.3 + 0.4
                _puff(c, c0 + math.cos(a) * 5 * t, c0 + math.sin(a) * 4 * t - 4 * t,
                      4 + 3 * t, max(0.0, (t - 0.45) * 1.8))
        shard_layer = Canvas(size, size)
        for a, speed, s, (light, dark), spin in shards:
            dist = (8 + 34 * speed) * (1 - (1 - t) ** 1.7)
            x = c0 + math.cos(a) * dist
            y = c0 + math.sin(a) * dist + 10 * t * t
            sz = s * (1 - 0.6 * t)
            if sz > 1.2:
                _shard(shard_layer, x, y, spin + t * 7, sz, light, dark)
        shard_layer.outline(P.OUTLINE)
        c.blit(shard_layer, 0, 0)
        frames.append(c)
    return frames


def _glow_add(canvas, x, y, color, amount):
    """Additive-sheet pixel: colour scaled by amount, alpha follows amount."""
    amount = clamp(amount)
    if amount <= 0.01:
        return
    canvas.add(x, y, (int(color[0] * amount), int(color[1] * amount), int(color[2] * amount),
                      int(255 * amount)))


def respawn_shimmer(n=8, w=64, h=96):
    rnd = random.Random(37)
    sparks = [(rnd.uniform(-20, 20), rnd.uniform(8, h - 8), rnd.uniform(0, 1)) for _ in range(18)]
    frames = []
    for i in range(n):
        t = i / float(n - 1)
        c = Canvas(w, h)
        # the column of light narrows and fades as the player re-forms
        half = 14 * (1 - t) + 3
        strength = 1.0 - 0.75 * t
        for y in range(h):
            vy = 1 - abs((y + 0.5) / h * 2 - 1) ** 3
            for x in range(w):
                dx = abs(x + 0.5 - w / 2) / half
                if dx > 1:
                    continue
                g = (1 - dx * dx) * vy * strength
                g = math.floor(g * 5) / 5.0  # banded, pixel-art light
                core = P.GLOW_CYAN[4] if dx < 0.3 else P.GLOW_CYAN[3]
                _glow_add(c, x, y, core, g)
        for sx, sy, ph in sparks:
            k = (t + ph) % 1.0
            x = int(w / 2 + sx * (1 - k))
            y = int(sy - 14 * k)
            a = math.sin(k * math.pi)
            for dx, dy, m in ((0, 0, 1.0), (1, 0, 0.5), (-1, 0, 0.5), (0, 1, 0.5), (0, -1, 0.5)):
                _glow_add(c, x + dx, y + dy, P.GLOW_CYAN[4], a * m)
        frames.append(c)
    return frames


def soft_dot(size=32, ramp=P.GLOW_WARM):
    """Round particle with a hard pixel core and a stepped falloff."""
    c = Canvas(size, size)
    r = size / 2.0
    for y in range(size):
        for x in range(size):
            d = math.hypot(x + 0.5 - r, y + 0.5 - r) / r
            if d >= 1:
                continue
            g = (1 - d) ** 1.5
            g = math.ceil(g * 4) / 4.0
            col = mix(ramp[3], ramp[5], g)
            c.set(x, y, (col[0], col[1], col[2], int(255 * g)))
    return c


def spark(size=16):
    c = Canvas(size, size)
    m = size // 2
    for k in range(-m + 1, m):
        a = 1 - abs(k) / float(m)
        c.set(m + k, m, (255, 250, 230, int(255 * a)))
        c.set(m, m + k, (255, 250, 230, int(255 * a)))
    for k in (-1, 1):
        c.set(m + k, m + k, (255, 220, 150, 150))
        c.set(m + k, m - k, (255, 220, 150, 150))
    c.set(m, m, (255, 255, 255, 255))
    return c
