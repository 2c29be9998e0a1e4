"""Night stages: the old forest (moonlit trunks at several depths, mossy ground, lanterns) and the power station
(girders, catwalks, transformers, cables, warning lamps)."""

import math
import random

from . import palette as P
from .canvas import Canvas, bayer, clamp, hexc, mix, panel_edge
from .environment import glow, normal_map_from, specular_map_from
from .noise import Noise1D, Noise2D, fbm1
from .shapes import PartCanvas, capsule, circle, ellipse, poly

NIGHT_SKY = [hexc(c) for c in ("070a1a", "0d1430", "16204a", "243266", "3a4a84", "5a6aa2")]
FOG = [hexc(c) for c in ("1a2446", "243058", "2f3d6a", "3f5080")]
NIGHT_BARK = [hexc(c) for c in ("0b0a14", "171626", "242338", "35344e", "4c4e6c", "6f7494")]
MOSS = [hexc(c) for c in ("0f2624", "1a3f34", "2a5e40", "43804c", "6fa65a", "a6d27a")]
MOON = [hexc(c) for c in ("3a4a7a", "7a8cc0", "b4c4e8", "dce6fa", "f4f8ff")]
STEEL = [hexc(c) for c in ("101220", "1c2034", "2c334c", "434c6a", "66708e", "9aa4c0")]
HAZARD = [hexc(c) for c in ("3a2608", "8a5a10", "e0a020", "ffd060")]
RED_LAMP = [hexc(c) for c in ("4a0a10", "a01820", "ff3a30", "ff8a70", "ffe0d0")]


def _ramp_at(ramp, t):
    return ramp[int(clamp(t, 0.0, 0.999) * len(ramp))]


def _over_sky(layer, extra, seed, tint):
    """The layer (tinted) over a night sky that reaches `extra` pixels above it: one opaque backdrop, so the view
    is covered by one layer less."""
    w, h = layer.w, layer.h + extra
    rnd = random.Random(seed)
    c = Canvas(w, h)
    for y in range(h):
        t = y / float(h - 1)
        f = t ** 1.3 * (len(NIGHT_SKY) - 1.001)
        k = int(f)
        for x in range(w):
            c.set(x, y, NIGHT_SKY[k + 1] if bayer(x, y) < f - k else NIGHT_SKY[k])
    for _ in range(w // 3):
        x, y = rnd.randrange(w), rnd.randrange(int(h * 0.6))
        bright = rnd.random()
        c.set(x, y, P.WHITE if bright > 0.85 else MOON[2] if bright > 0.45 else NIGHT_SKY[5])
    for y in range(layer.h):
        for x in range(w):
            p = layer.get(x, y)
            if p[3]:
                c.set(x, y + extra, (int(p[0] * tint[0]), int(p[1] * tint[1]), int(p[2] * tint[2]), 255))
    return c


def moon(size=128):
    """Moon with a soft, stepped halo (drawn over the sky, behind the trees)."""
    c = Canvas(size, size)
    r = size / 2.0
    disc = size * 0.2
    craters = [(-0.3, -0.2, 0.28), (0.35, 0.15, 0.2), (-0.05, 0.45, 0.18), (0.2, -0.45, 0.14)]
    for y in range(size):
        for x in range(size):
            dx, dy = x + 0.5 - r, y + 0.5 - r
            d = math.hypot(dx, dy)
            if d < disc:
                u, v = dx / disc, dy / disc
                shade = 0.75 + 0.25 * (-u - v) / 1.5
                col = MOON[4] if shade > 0.85 else MOON[3]
                for cx, cy, cr in craters:
                    if math.hypot(u - cx, v - cy) < cr:
                        col = MOON[2]
                if d > disc - 1.2:
                    col = MOON[3]
                c.set(x, y, col)
                continue
            g = clamp(1.0 - (d - disc) / (r - disc)) ** 2.4
            g = math.floor(g * 6 + bayer(x, y)) / 6.0 * 0.45
            if g > 0:
                c.set(x, y, MOON[2][:3] + (int(255 * g),))
    return c


def _trunk_column(c, x0, width, top, bottom, ramp, seed, rim=True):
    """A vertical trunk lit from the upper left, with bark streaks, tapering a little upwards."""
    n = Noise2D(8, 32, seed)
    for y in range(max(0, top), min(c.h, bottom)):
        taper = 1.0 - 0.25 * (bottom - y) / float(max(1, bottom - top))
        half = width * taper / 2.0
        cx = x0 + 1.5 * math.sin(y / 37.0 + seed)
        for x in range(int(cx - half), int(cx + half) + 1):
            u = (x + 0.5 - (cx - half)) / (2 * half)
            streak = n(u * 4, y / 6.0)
            idx = 1 if u > 0.55 else 2
            if u < 0.22 and rim:
                idx = 3
            if streak < 0.3 and bayer(x, y) < 0.6:
                idx = max(0, idx - 1)
            if u < 0.08 or u > 0.94:
                idx = 0
            c.set(x % c.w, y, ramp[idx])


def _canopy(c, seed, ramp, top, depth, count, radius, lit=True):
    """Masses of leaves along the top of a tiling layer: outlined as one mass, rims lit from above."""
    rnd = random.Random(seed)
    leaves = Noise2D(16, 16, seed)
    mask = set()
    for _ in range(count):
        cx = rnd.uniform(0, c.w)
        cy = top + rnd.uniform(0, depth)
        rr = rnd.uniform(radius * 0.6, radius)
        for y in range(max(0, int(cy - rr)), min(c.h, int(cy + rr) + 1)):
            for xx in range(int(cx - rr), int(cx + rr) + 1):
                dx, dy = (xx + 0.5 - cx) / rr, (y + 0.5 - cy) / rr
                if dx * dx + dy * dy <= 1 + 0.25 * (leaves(xx / 3.0, y / 3.0) - 0.5):
                    mask.add((xx % c.w, y))
    for y in range(0, int(top + 2)):
        for x in range(c.w):
            mask.add((x, y))
    for (x, y) in mask:
        inside = all(((x + dx) % c.w, y + dy) in mask or not 0 <= y + dy < c.h
                     for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
        if not inside:
            idx = 0
        elif lit and y >= 2 and ((x, y - 2) not in mask or (x, y - 3) not in mask):
            idx = 2
        else:
            idx = 1
            if leaves(x / 2.0, y / 2.0) < 0.3 and bayer(x, y) < 0.5:
                idx = 0
            elif lit and leaves(x / 2.0 + 7, y / 2.0) > 0.78 and bayer(x, y) < 0.4:
                idx = 2
        c.set(x, y, ramp[idx])


def forest_far(w=512, h=320):
    """Distant, misty trunks under a canopy (tiles across)."""
    c = Canvas(w, h)
    rnd = random.Random(411)
    for k in range(16):
        x0 = k * w / 16.0 + rnd.uniform(-8, 8)
        _trunk_column(c, x0, rnd.uniform(7, 14), 20, h, FOG, 420 + k, rim=False)
    _canopy(c, 431, FOG, 0, 50, 60, 26, lit=False)
    n = Noise1D(32, 433)
    for x in range(w):
        top = int(h - 40 - 18 * n(x / 16.0))
        for y in range(top, h):
            c.set(x, y, FOG[1] if y - top > 2 else FOG[2])
    return c


def forest_mid(w=512, h=384):
    """Nearer, darker trunks with moonlit edges and hanging moss (tiles across)."""
    c = Canvas(w, h)
    rnd = random.Random(441)
    xs = [k * w / 7.0 + rnd.uniform(-20, 20) for k in range(7)]
    for k, x0 in enumerate(xs):
        _trunk_column(c, x0, rnd.uniform(18, 30), 30, h, NIGHT_BARK, 450 + k)
    _canopy(c, 461, NIGHT_BARK, 0, 60, 50, 36)
    for _ in range(30):
        x = rnd.randrange(w)
        y0 = rnd.randint(40, 90)
        length = rnd.randint(12, 40)
        for y in range(y0, y0 + length):
            c.set((x + int(2 * math.sin(y / 5.0))) % w, y, MOSS[1] if y % 3 else MOSS[2])
    n = Noise1D(32, 463)
    for x in range(w):
        top = int(h - 46 - 20 * n(x / 12.0))
        for y in range(top, h):
            d = y - top
            c.set(x, y, MOSS[2] if d == 0 else MOSS[1] if d < 4 else NIGHT_BARK[1])
    return c


def canopy_near(w=512, h=128):
    """Foreground leaves hanging from the top of the view, near black with a few moonlit rims (tiles across)."""
    c = Canvas(w, h)
    rnd = random.Random(471)
    ramp = [NIGHT_BARK[0], NIGHT_BARK[1], MOSS[1]]
    _canopy(c, 472, ramp, 0, 40, 40, 30)
    for _ in range(22):
        x = rnd.uniform(0, w)
        length = rnd.randint(30, 80)
        for y in range(30, 30 + length):
            xx = int(x + 3 * math.sin(y / 9.0))
            c.set(xx % w, y, ramp[1])
            if y % 7 == 0:
                c.set((xx + 1) % w, y, ramp[2])
                c.set((xx - 1) % w, y + 1, ramp[1])
    return c


def old_tree(w=160, h=320):
    """A huge gnarled trunk with roots and moss, standing behind the path."""
    pc = PartCanvas(w, h)
    cx = w / 2.0
    prims = [capsule((cx, h - 10), (cx + 4, 10), 30, 22, NIGHT_BARK),
             capsule((cx - 10, h - 12), (cx - 62, h - 3), 12, 5, NIGHT_BARK),
             capsule((cx + 10, h - 12), (cx + 64, h - 2), 12, 5, NIGHT_BARK),
             capsule((cx - 4, h - 8), (cx - 30, h - 1), 10, 5, NIGHT_BARK),
             capsule((cx + 2, 70), (cx - 60, 20), 10, 5, NIGHT_BARK),
             capsule((cx + 6, 110), (cx + 64, 60), 9, 4, NIGHT_BARK)]
    pc.draw_group(prims)
    c = pc.canvas
    n = Noise2D(8, 40, 481)
    rnd = random.Random(482)
    for y in range(h):
        for x in range(w):
            p = c.get(x, y)
            if not p[3] or p[:3] == P.OUTLINE[:3]:
                continue
            v = n(x / 6.0, y / 8.0)
            if v < 0.28:
                c.set(x, y, NIGHT_BARK[max(0, NIGHT_BARK.index(p) - 1)] if p in NIGHT_BARK else p)
    # moss on the upper sides of roots and branches
    for y in range(1, h):
        for x in range(w):
            if c.alpha(x, y) and not c.alpha(x, y - 1) and rnd.random() < 0.8:
                c.set(x, y, MOSS[3])
                if c.alpha(x, y + 1):
                    c.set(x, y + 1, MOSS[2])
    # a hollow
    for y in range(150, 178):
        for x in range(int(cx - 9), int(cx + 8)):
            if ((x - cx + 0.5) / 9.0) ** 2 + ((y - 164) / 14.0) ** 2 < 1:
                c.set(x, y, P.BLACK)
    return c


def moss_tile(w=64, h=64):
    """Mossy forest floor: a cushion of moss over dark soil with roots and stones (tiles across)."""
    c = Canvas(w, h)
    rnd = random.Random(491)
    n = Noise2D(8, 8, 492)
    line = Noise1D(16, 493)
    for y in range(h):
        for x in range(w):
            top = 4 + 4 * line(x / 4.0)
            if y < top:
                continue
            d = y - top
            if d < 12:
                idx = 5 if d == 0 else 4 if d < 3 else 3 if d < 7 else 2
                if d > 1 and bayer(x, y) < 0.3:
                    idx -= 1
                c.set(x, y, MOSS[idx])
            else:
                v = n(x / 8.0, y / 8.0)
                idx = 2 if v > 0.55 else 1
                if bayer(x, y) < 0.15 and v > 0.4:
                    idx = 3
                c.set(x, y, P.DIRT[idx] if idx < 3 else P.DIRT[2])
    # roots: thin wavy lines through the soil
    for k in range(3):
        y0 = rnd.randint(20, 56)
        for x in range(w):
            y = int(y0 + 3 * math.sin(x / 7.0 + k * 2))
            c.set(x, y, P.BARK[2])
            c.set(x, y + 1, P.BARK[1])
    for _ in range(5):
        sx, sy, r = rnd.uniform(0, w), rnd.uniform(24, h - 6), rnd.uniform(2.5, 4.5)
        for y in range(int(sy - r), int(sy + r) + 1):
            for x in range(int(sx - r), int(sx + r) + 1):
                d = math.hypot(x + 0.5 - sx, y + 0.5 - sy) / r
                if d < 1:
                    up = (y + 0.5 - sy) < -r * 0.3 and (x + 0.5 - sx) < r * 0.3
                    c.set(x % w, y, P.STONE[3] if up else P.STONE[1] if d > 0.8 else P.STONE[2])
    # bright moss tufts on top
    for _ in range(18):
        x = rnd.randrange(w)
        top = int(4 + 4 * line(x / 4.0))
        for k in range(rnd.randint(1, 3)):
            c.set(x, top - 1 - k, MOSS[4])
    return c


def moss_shine(p):
    """Dew on the moss glints; soil and stone hardly."""
    return 0.45 if p[:3] in (MOSS[4][:3], MOSS[5][:3]) else 0.2 if p[1] > p[0] else 0.06


def hanging_lantern(w=32, h=80):
    """An old lantern hanging from a chain."""
    pc = PartCanvas(w, h)
    cx = w / 2.0
    c = pc.canvas
    for y in range(0, 44):
        c.set(int(cx), y, P.METAL[1] if y % 4 < 2 else P.METAL[2])
    pc.draw_group([poly(((cx - 9, 50), (cx + 9, 50), (cx + 7, 70), (cx - 7, 70)), P.METAL, fixed=1),
                   poly(((cx - 7, 52), (cx + 7, 52), (cx + 5, 68), (cx - 5, 68)), P.GLOW_WARM, fixed=4, clip=True),
                   poly(((cx - 11, 50), (cx, 42), (cx + 11, 50)), P.METAL, fixed=2),
                   poly(((cx - 8, 70), (cx + 8, 70), (cx + 4, 75), (cx - 4, 75)), P.METAL, fixed=2)])
    for y in range(55, 66):
        c.set(int(cx) - 1, y, P.GLOW_WARM[5])
    return c


def glow_mushrooms(w=64, h=48):
    """Glowing mushrooms for additive drawing at the foot of trees."""
    c = Canvas(w, h)
    rnd = random.Random(501)
    for k in range(5):
        bx = 8 + k * 12 + rnd.uniform(-3, 3)
        stem = rnd.uniform(8, 20)
        cap = rnd.uniform(4, 8)
        top = h - 2 - stem
        for y in range(int(top), h - 1):
            c.set(int(bx), y, (40, 90, 80, 120))
        for y in range(int(top - cap * 0.7), int(top) + 1):
            for x in range(int(bx - cap), int(bx + cap) + 1):
                dx, dy = (x + 0.5 - bx) / cap, (y + 0.5 - top) / (cap * 0.7)
                if dx * dx + dy * dy <= 1:
                    g = 0.55 + 0.45 * (1 - abs(dx))
                    col = P.GLOW_CYAN[4] if dy < -0.4 else P.GLOW_CYAN[3]
                    c.set(x, y, (int(col[0] * g), int(col[1] * g), int(col[2] * g), int(255 * g)))
    return c


# ---------------------------------------------------------------- the power station

def _lattice(c, x0, x1, y0, y1, ramp, step):
    """A steel lattice: two chords and X bracing between them."""
    for y in range(max(0, y0), min(c.h, y1)):
        for x in (x0, x0 + 1, x1 - 1, x1):
            c.set(x % c.w, y, ramp[2] if x in (x0, x0 + 1) else ramp[1])
        k = (y - y0) % step
        f = k / float(step)
        for xa in (int(x0 + (x1 - x0) * f), int(x1 - (x1 - x0) * f)):
            c.set(xa % c.w, y, ramp[1])
        if k == 0:
            for x in range(x0, x1 + 1):
                c.set(x % c.w, y, ramp[2])


def pylons_far(w=512, h=320):
    """Distant transmission towers and lines against the night (tiles across)."""
    c = Canvas(w, h)
    ramp = FOG
    for k in range(2):
        cx = w * (0.25 + 0.5 * k)
        top, base = 40, h
        for y in range(top, base):
            f = (y - top) / float(base - top)
            half = 6 + 40 * f
            for side in (-1, 1):
                c.set(int(cx + side * half) % w, y, ramp[2])
            step = 22
            ky = (y - top) % step
            if ky < step:
                g = ky / float(step)
                c.set(int(cx - half + 2 * half * g) % w, y, ramp[1])
                c.set(int(cx + half - 2 * half * g) % w, y, ramp[1])
        for arm_y, arm in ((64, 44), (100, 56)):
            for x in range(int(cx - arm), int(cx + arm) + 1):
                c.set(x % w, arm_y, ramp[2])
                c.set(x % w, arm_y + 1, ramp[1])
    # sagging lines from tower to tower, arm tip to arm tip
    for arm_y, arm in ((64, 44), (100, 56)):
        for side in (-1, 1):
            xa = w * 0.25 + side * arm
            xb = xa + w * 0.5
            for x in range(int(xa), int(xb) + 1):
                f = (x - xa) / (xb - xa)
                y = arm_y + 2 + 26 * 4 * f * (1 - f)
                c.set(x % w, int(y), ramp[1])
    n = Noise1D(16, 511)
    for x in range(w):
        top = int(h - 30 - 10 * n(x / 20.0))
        for y in range(top, h):
            c.set(x, y, ramp[1])
    return c


def station_mid(w=512, h=384):
    """The station's steel frame: columns, beams with X bracing and a few lit windows (tiles across)."""
    c = Canvas(w, h)
    rnd = random.Random(521)
    ramp = STEEL
    # a block of buildings along the bottom
    x = 0
    while x < w:
        bw = rnd.randint(60, 120)
        top = rnd.randint(150, 250)
        for y in range(top, h):
            for xx in range(x, min(w, x + bw)):
                edge = xx == x or y == top
                c.set(xx, y, ramp[2] if edge else ramp[1])
        for wy in range(top + 12, h - 20, 22):
            for wx in range(x + 8, x + bw - 12, 16):
                if rnd.random() < 0.28:
                    col = P.GLOW_WARM[3] if rnd.random() < 0.7 else P.GLOW_CYAN[3]
                    for yy in range(wy, wy + 8):
                        for xx in range(wx, wx + 6):
                            c.set(xx % w, yy, col if yy > wy else P.GLOW_WARM[4])
        x += bw + rnd.randint(0, 20)
    # the frame in front of them
    for k in range(4):
        x0 = int(k * w / 4 + 20)
        _lattice(c, x0, x0 + 14, 30, h, ramp, 18)
    for y0 in (30, 120):
        for x in range(w):
            for y in range(y0, y0 + 10):
                f = (x // 20) % 2
                on_brace = abs((x % 20) - (y - y0) * 2) < 1 or abs((x % 20) - (20 - (y - y0) * 2)) < 1
                if y in (y0, y0 + 9) or on_brace:
                    c.set(x, y, ramp[3] if y == y0 else ramp[2] if f or y == y0 + 9 else ramp[2])
    return c


def catwalk_tile(w=64, h=64):
    """Steel deck: a grating on top, riveted girder plate below with a hazard band (opaque, tiles across)."""
    c = Canvas(w, h)
    n = Noise2D(8, 8, 531)
    for y in range(h):
        for x in range(w):
            if y < 3:
                col = STEEL[5] if y == 0 else STEEL[4]
            elif y < 12:
                # grating: bars across with gaps
                col = STEEL[3] if x % 4 != 3 else STEEL[0]
                if y == 11:
                    col = STEEL[1]
            elif y < 18:
                band = ((x + y) // 6) % 2
                col = HAZARD[2] if band else STEEL[0]
                if y == 12:
                    col = HAZARD[3] if band else STEEL[1]
                if y == 17:
                    col = STEEL[0]
            else:
                v = n(x / 8.0, y / 8.0)
                col = STEEL[2] if v > 0.45 else STEEL[1]
                if (x % 32) in (0, 31) or y == 40:
                    col = STEEL[0]
                if (x % 32) == 1 or y == 41:
                    col = STEEL[3]
            c.set(x, y, col)
    for ry in (24, 34, 48, 58):
        for rx in (6, 26, 38, 58):
            c.set(rx, ry, STEEL[4])
            c.set(rx + 1, ry + 1, STEEL[0])
    return c


def catwalk_shine(p):
    """Bare steel shines, paint less."""
    if p[:3] in (STEEL[4][:3], STEEL[5][:3], STEEL[3][:3]):
        return 0.8
    return 0.3 if p[0] > 150 else 0.15


def steel_wall_tile(w=64, h=64):
    """Riveted steel panels in a frame (opaque, tiles both ways)."""
    c = Canvas(w, h)
    n = Noise2D(8, 8, 541)
    for y in range(h):
        for x in range(w):
            col = panel_edge(x, y, STEEL[0], STEEL[4], STEEL[1])
            if col is None:
                v = n(x / 6.0, y / 6.0)
                col = STEEL[3] if v > 0.62 and bayer(x, y) < 0.5 else STEEL[2]
            c.set(x, y, col)
    for by in (0, 32):
        for bx in (0, 32):
            for rx, ry in ((4, 4), (26, 4), (4, 26), (26, 26)):
                c.set(bx + rx, by + ry, STEEL[5])
                c.set(bx + rx + 1, by + ry + 1, STEEL[0])
    return c


def transformer(w=128, h=128):
    """A big transformer: a tank with cooling fins, insulators on top and a warning plate."""
    pc = PartCanvas(w, h)
    body = [poly(((16, 44), (112, 44), (112, h - 6), (16, h - 6)), STEEL, fixed=3),
            poly(((10, h - 10), (118, h - 10), (118, h - 2), (10, h - 2)), STEEL, fixed=1)]
    pc.draw_group(body)
    fins = [poly(((x, 52), (x + 5, 52), (x + 5, h - 14), (x, h - 14)), STEEL, fixed=2) for x in range(22, 106, 9)]
    pc.draw_group(fins)
    insulators = []
    for ix in (36, 64, 92):
        insulators += [capsule((ix, 44), (ix, 14), 3.5, 3.5, P.CREAM)]
        for k in range(4):
            insulators.append(ellipse((ix, 38 - k * 7), 7, 2.5, 0, P.CREAM))
    pc.draw_group(insulators)
    c = pc.canvas
    # the warning plate
    for y in range(70, 92):
        for x in range(52, 76):
            edge = y in (70, 91) or x in (52, 75)
            c.set(x, y, P.OUTLINE if edge else HAZARD[2])
    for k in range(8):
        c.set(63 - (k % 3), 73 + k * 2, P.OUTLINE)
        c.set(64 - (k % 3), 73 + k * 2, P.OUTLINE)
    for k in range(3):
        c.set(64, 16 - k, P.GLOW_CYAN[4])
    return c


def cables(w=256, h=64):
    """Thick cables sagging between supports (tiles across)."""
    c = Canvas(w, h)
    for k, (sag, thick, ramp) in enumerate(((40, 3, STEEL), (26, 2, STEEL), (52, 2, P.BOOT))):
        for x in range(w):
            f = x / float(w)
            y = 4 + k * 3 + sag * 4 * f * (1 - f)
            for t in range(thick):
                c.set(x, int(y) + t, ramp[2] if t == 0 else ramp[1])
            c.set(x, int(y) + thick, P.OUTLINE)
    for x in (0, w - 1):
        for y in range(0, 14):
            c.set(x, y, STEEL[3])
    return c


def warning_lamp(w=24, h=32):
    """A red warning lamp in a wire cage on a wall bracket."""
    pc = PartCanvas(w, h)
    cx = w / 2.0
    pc.draw_group([poly(((cx - 8, h - 8), (cx + 8, h - 8), (cx + 8, h - 2), (cx - 8, h - 2)), STEEL, fixed=2),
                   ellipse((cx, h - 15), 7, 9, 0, RED_LAMP, fixed=3)])
    c = pc.canvas
    for y in range(h - 24, h - 8, 4):
        for x in range(int(cx - 7), int(cx + 8)):
            if c.alpha(x, y):
                c.set(x, y, STEEL[1])
    c.set(int(cx) - 2, h - 20, RED_LAMP[4])
    c.set(int(cx) - 2, h - 19, RED_LAMP[4])
    return c


def switch_box(w=48, h=64):
    """A wall switch box with a big lever: where a laser is switched."""
    pc = PartCanvas(w, h)
    pc.draw_group([poly(((6, 8), (42, 8), (42, 58), (6, 58)), STEEL, fixed=3),
                   poly(((10, 12), (38, 12), (38, 54), (10, 54)), STEEL, fixed=1)])
    pc.draw_group([capsule((24, 40), (34, 18), 2.5, 2.5, P.METAL), circle((34, 17), 4.5, RED_LAMP, fixed=3),
                   circle((24, 41), 4, STEEL, fixed=4)])
    c = pc.canvas
    for x in range(12, 20):
        c.set(x, 48, P.GLOW_CYAN[4])
        c.set(x, 49, P.GLOW_CYAN[3])
    return c


def sprite_sources():
    """(name, path, image, options) of every night image, for the sprite-source table."""
    env = "Assets/Art/Environment/Night/"
    moss, catwalk, wall = moss_tile(), catwalk_tile(), steel_wall_tile()
    stills = [
        ("MoonN001", moon(), {}),
        ("ForestFarN001", _over_sky(forest_far(), 128, 412, (0.5, 0.55, 0.75)), {"rgb": True}),
        ("ForestMidN001", forest_mid(), {}),
        ("ForestCanopyN001", canopy_near(), {}),
        ("OldTreeN001", old_tree(), {}),
        ("MossTileN001", moss, {}),
        ("MossTileNormalN001", normal_map_from(moss), {"rgb": True}),
        ("MossTileSpecularN001", specular_map_from(moss, moss_shine), {"rgb": True}),
        ("HangingLanternN001", hanging_lantern(), {}),
        ("GlowMushroomsN001", glow_mushrooms(), {"blend": "Additive"}),
        ("PylonsFarN001", _over_sky(pylons_far(), 128, 512, (0.5, 0.55, 0.75)), {"rgb": True}),
        ("StationMidN001", station_mid(), {}),
        ("CatwalkTileN001", catwalk, {"rgb": True}),
        ("CatwalkTileNormalN001", normal_map_from(catwalk), {"rgb": True}),
        ("CatwalkTileSpecularN001", specular_map_from(catwalk, catwalk_shine), {"rgb": True}),
        ("SteelWallTileN001", wall, {"rgb": True}),
        ("SteelWallTileNormalN001", normal_map_from(wall), {"rgb": True}),
        ("TransformerN001", transformer(), {}),
        ("CablesN001", cables(), {}),
        ("WarningLampN001", warning_lamp(), {}),
        ("SwitchBoxN001", switch_box(), {}),
    ]
    return [(name, env + name + ".png", image, options) for name, image, options in stills]
