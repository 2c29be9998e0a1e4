"""Effect sheets: landing dust and particle sprites.

Particle sprites are pale so that a particle template's colours tint them; the game
multiplies the texture by the colour.
"""

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


def _glow_add(canvas, x, y, color, amount):
    """Additive-sheet pixel: colour scaled by amount, alpha follows amount."""
    amount = clamp(amount)
    if amount <= 0.01:
        return
    canvas.add(x, y, (int(color[0] * amount), int(color[1] * amount), int(color[2] * amount),
                      int(255 * amount)))


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


# pale ramp for tintable particles: the template's colour gives the hue
PALE = [(150, 150, 150, 255), (190, 190, 190, 255), (220, 220, 220, 255), (240, 240, 240, 255),
        (250, 250, 250, 255), (255, 255, 255, 255)]


def mote(size=8):
    """A tiny soft dot: dust in lamplight, embers, glints."""
    return soft_dot(size, ramp=PALE)


def shard(size=12):
    """A diamond chip lit from the upper left, light and dark halves."""
    c = Canvas(size, size)
    _shard(c, size / 2.0, size / 2.0, math.pi / 4, size * 0.45, PALE[5], PALE[1])
    return c


def puff(size=16):
    """One round dust puff, for landing dust."""
    c = Canvas(size, size)
    _puff(c, size / 2.0, size / 2.0, size / 2.0 - 1, 0.0)
    return c


def _glow_add(canvas, x, y, color, amount):
    """Additive-sheet pixel: colour scaled by amount, alpha follows amount."""
    amount = clamp(amount)
    if amount <= 0.01:
        return
    canvas.add(x, y, (int(color[0] * amount), int(color[1] * amount), int(color[2] * amount),
                      int(255 * amount)))
