"""Shaded vector primitives rasterised to pixel-art parts.

A part is a list of primitives drawn as one group: the group gets one outline
(exterior pixels in the outline colour, interior edges in the darkest shade of
whatever lies underneath), so limbs drawn over the body stay readable.
Light always comes from the upper left.
"""

import math

from .canvas import Canvas
from .palette import OUTLINE

LIGHT = (-0.55, -0.62, 0.56)
_LEN = math.sqrt(sum(c * c for c in LIGHT))
LIGHT = tuple(c / _LEN for c in LIGHT)


def direction(deg):
    """Unit vector in image space for an angle measured counter-clockwise from +x (y up)."""
    a = math.radians(deg)
    return (math.cos(a), -math.sin(a))


def add(p, v, s=1.0):
    return (p[0] + v[0] * s, p[1] + v[1] * s)


def lum_of(nx, ny):
    l2 = nx * nx + ny * ny
    nz = math.sqrt(max(0.0, 1.0 - l2)) if l2 < 1 else 0.0
    return nx * LIGHT[0] + ny * LIGHT[1] + nz * LIGHT[2]


def shade_index(lum, ramp_len, highlight=True, bias=0):
    if lum < 0.18:
        i = 1
    elif lum < 0.62:
        i = 2
    elif lum < 0.86 or not highlight:
        i = 3
    else:
        i = 4
    i += bias
    return max(1, min(ramp_len - 1, i))


class Prim:
    """A primitive: kind-specific geometry, a ramp and how to shade it."""

    def __init__(self, kind, geo, ramp, fixed=None, highlight=True, bias=0, clip=False):
        self.kind = kind
        self.geo = geo
        self.ramp = ramp
        self.fixed = fixed
        self.highlight = highlight
        self.bias = bias
        self.clip = clip

    def bounds(self):
        g = self.geo
        if self.kind == "ellipse":
            cx, cy, rx, ry, _ = g
            r = max(rx, ry) + 1
            return cx - r, cy - r, cx + r, cy + r
        if self.kind == "capsule":
            (x0, y0), (x1, y1), r0, r1 = g
            r = max(r0, r1) + 1
            return min(x0, x1) - r, min(y0, y1) - r, max(x0, x1) + r, max(y0, y1) + r
        xs = [p[0] for p in g]
        ys = [p[1] for p in g]
        return min(xs) - 1, min(ys) - 1, max(xs) + 1, max(ys) + 1

    def sample(self, x, y):
        """Return (inside, nx, ny) for a pixel centre."""
        g = self.geo
        if self.kind == "ellipse":
            cx, cy, rx, ry, rot = g
            dx, dy = x - cx, y - cy
            c, s = math.cos(math.radians(rot)), math.sin(math.radians(rot))
            # rotate into the ellipse frame (image y down, rot counter-clockwise on screen)
            u = dx * c - dy * s
            v = dx * s + dy * c
            nu, nv = u / rx, v / ry
            if nu * nu + nv * nv > 1.0:
                return False, 0, 0
            # back to image space for the normal
            nx = nu * c + nv * s
            ny = -nu * s + nv * c
            return True, nx, ny
        if self.kind == "capsule":
            (x0, y0), (x1, y1), r0, r1 = g
            vx, vy = x1 - x0, y1 - y0
            l2 = vx * vx + vy * vy
            t = 0.0 if l2 == 0 else max(0.0, min(1.0, ((x - x0) * vx + (y - y0) * vy) / l2))
            px, py = x0 + vx * t, y0 + vy * t
            r = r0 + (r1 - r0) * t
            dx, dy = x - px, y - py
            d2 = dx * dx + dy * dy
            if d2 > r * r:
                return False, 0, 0
            return True, dx / r, dy / r
        inside = False
        pts = g
        j = len(pts) - 1
        for i in range(len(pts)):
            xi, yi = pts[i]
            xj, yj = pts[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                inside = not inside
            j = i
        return inside, 0.0, 0.0

    def raster(self):
        x0, y0, x1, y1 = self.bounds()
        out = []
        for py in range(int(math.floor(y0)), int(math.ceil(y1)) + 1):
            for px in range(int(math.floor(x0)), int(math.ceil(x1)) + 1):
                ok, nx, ny = self.sample(px + 0.5, py + 0.5)
                if not ok:
                    continue
                if self.fixed is not None:
                    idx = self.fixed
                else:
                    idx = shade_index(lum_of(nx * 0.85, ny * 0.85), len(self.ramp), self.highlight, self.bias)
                out.append((px, py, idx))
        return out


def ellipse(c, rx, ry, rot, ramp, **kw):
    return Prim("ellipse", (c[0], c[1], rx, ry, rot), ramp, **kw)


def circle(c, r, ramp, **kw):
    return Prim("ellipse", (c[0], c[1], r, r, 0.0), ramp, **kw)


def capsule(a, b, r0, r1, ramp, **kw):
    return Prim("capsule", (a, b, r0, r1), ramp, **kw)


def poly(points, ramp, **kw):
    return Prim("poly", list(points), ramp, **kw)


class PartCanvas:
    """Canvas plus a per-pixel material record used for interior outlines."""

    def __init__(self, w, h):
        self.canvas = Canvas(w, h)
        self.material = {}

    def draw_group(self, prims, outline=True, inner=True):
        pixels = {}
        for prim in prims:
            for x, y, idx in prim.raster():
                if prim.clip and (x, y) not in pixels:
                    continue
                pixels[(x, y)] = (prim.ramp, idx)
        if outline:
            edge = set()
            for (x, y) in pixels:
                for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                    q = (x + dx, y + dy)
                    if q not in pixels:
                        edge.add(q)
            for (x, y) in edge:
                if not self.canvas.inside(x, y):
                    continue
                under = self.material.get((x, y))
                if under is None:
                    self.canvas.set(x, y, OUTLINE)
                    self.material[(x, y)] = None
                elif inner and under[0] is not None:
                    self.canvas.set(x, y, under[0][0])
                    self.material[(x, y)] = (None, 0)
        for (x, y), (ramp, idx) in pixels.items():
            if self.canvas.inside(x, y):
                self.canvas.set(x, y, ramp[idx])
                self.material[(x, y)] = (ramp, idx)

    def dot(self, x, y, color):
        x, y = int(math.floor(x)), int(math.floor(y))
        if self.canvas.inside(x, y):
            self.canvas.set(x, y, color)
