"""Seeded, tileable value noise."""

import math
import random


class Noise1D:
    def __init__(self, period, seed):
        rnd = random.Random(seed)
        self.period = period
        self.values = [rnd.random() for _ in range(period)]

    def __call__(self, x):
        i = int(math.floor(x))
        f = x - i
        f = f * f * (3 - 2 * f)
        a = self.values[i % self.period]
        b = self.values[(i + 1) % self.period]
        return a + (b - a) * f


class Noise2D:
    def __init__(self, period_x, period_y, seed):
        rnd = random.Random(seed)
        self.px = period_x
        self.py = period_y
        self.values = [[rnd.random() for _ in range(period_x)] for _ in range(period_y)]

    def __call__(self, x, y):
        ix, iy = int(math.floor(x)), int(math.floor(y))
        fx, fy = x - ix, y - iy
        fx = fx * fx * (3 - 2 * fx)
        fy = fy * fy * (3 - 2 * fy)
        v = self.values
        a = v[iy % self.py][ix % self.px]
        b = v[iy % self.py][(ix + 1) % self.px]
        c = v[(iy + 1) % self.py][ix % self.px]
        d = v[(iy + 1) % self.py][(ix + 1) % self.px]
        top = a + (b - a) * fx
        bottom = c + (d - c) * fx
        return top + (bottom - top) * fy


def fbm1(x, layers):
    """layers: list of (Noise1D, cells per unit, weight)."""
    total = 0.0
    weight = 0.0
    for n, scale, w in layers:
        total += n(x * scale) * w
        weight += w
    return total / weight
