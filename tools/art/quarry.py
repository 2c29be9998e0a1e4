"""Quarry and mine-shaft art: sandstone tiles with normal/specular maps, a dusk sky, terraced cliffs at two depths,
a crane, a scaffold, a work lamp, and the shaft's dark rock and timber supports."""

import math
import random

from . import palette as P
from .canvas import Canvas, bayer, hexc
from .environment import dithered_gradient, normal_map_from, specular_map_from
from .noise import Noise1D, Noise2D, fbm1

SAND = [hexc(c) for c in ("2a1a22", "4e2e2c", "7a4a38", "a86c48", "cf9660", "ecc286")]
DUSK = [hexc(c) for c in ("241a3e", "3f2652", "6c3660", "a84e5a", "df7a4e", "f6b062")]
CLIFF_FAR = [hexc(c) for c in ("3a2646", "523254", "6e405a", "8c5462")]
CLIFF_MID = [hexc(c) for c in ("24172a", "3e2436", "5c3440", "80484a", "a86454")]
SHAFT = [hexc(c) for c in ("0f0b12", "1a1219", "281b20", "3a2828", "553a32")]


def _strata(x, y, n, bands):
    """Sandstone shade index at a pixel: wavy horizontal beds with speckle."""
    wave = 3.0 * n(x / 16.0, y / 32.0)
    bed = int((y + wave) / bands)
    tone = (2, 3, 3, 2, 4, 3)[bed % 6]
    v = n(x / 4.0 + 7, y / 4.0)
    if v < 0.28 and bayer(x, y) < 0.6:
        tone -= 1
    elif v > 0.78 and bayer(x, y) < 0.4:
        tone += 1
    # the lower edge of each bed is darker
    if (y + wave) % bands > bands - 1.6:
        tone -= 1
    return max(1, min(5, tone))


def _cracks(c, rnd, count, w, h, ramp_dark, ramp_lit, y_min=0):
    for _ in range(count):
        x, y = rnd.uniform(0, w), rnd.uniform(y_min, h)
        ang = rnd.uniform(0.9, 2.2)
        for _ in range(rnd.randint(5, 11)):
            c.set(int(x) % w, int(y) % h, ramp_dark)
            c.set((int(x) + 1) % w, int(y) % h, ramp_lit)
            ang += rnd.uniform(-0.5, 0.5)
            x += math.cos(ang)
            y += math.sin(ang)


def rock_tile(w=64, h=64):
    """Terrace ground: a dusty, pebbled top over sandstone beds; wraps horizontally."""
    rnd = random.Random(401)
    n = Noise2D(8, 8, 402)
    edge = Noise1D(16, 403)
    c = Canvas(w, h)
    for y in range(h):
        for x in range(w):
            top = 6 + 2.0 * edge(x / 4.0)
            if y < top:
                idx = 5 if y >= top - 1.5 else 4
                if y < top - 3 and bayer(x, y) < 0.5:
                    idx = 4
                c.set(x, y, SAND[idx])
            elif y < top + 2:
                c.set(x, y, SAND[1])
            else:
                c.set(x, y, SAND[_strata(x, y, n, 9)])
    # pebbles on the crust, lit from the upper left
    for _ in range(9):
        px, py = rnd.randrange(w), rnd.randint(2, 5)
        c.set(px, py, SAND[5])
        c.set((px + 1) % w, py, SAND[3])
        c.set(px, py + 1, SAND[2])
    _cracks(c, rnd, 5, w, h, SAND[0], SAND[4], y_min=14)
    return c


def block_tile(w=64, h=64):
    """Cut sandstone blocks with drill grooves (quarry walls, shaft walls); wraps both ways."""
    rnd = random.Random(411)
    n = Noise2D(16, 16, 412)
    c = Canvas(w, h)
    bh = 32
    for r in range(2):
        y0 = r * bh
        offset = 0 if r == 0 else 20
        for b in range(2):
            x0 = offset + b * 32
            tone = rnd.choice((2, 3, 3))
            grooves = rnd.random() < 0.6
            for y in range(y0, y0 + bh):
                for xx in range(x0, x0 + 32):
                    x = xx % w
                    lx, ly = xx - x0, y - y0
                    if lx == 31 or ly == bh - 1:
                        col = SAND[0]
                    elif lx == 0 or ly == 0:
                        col = SAND[tone + 2]
                    elif lx == 30 or ly == bh - 2:
                        col = SAND[tone - 1]
                    else:
                        idx = tone
                        v = n(x / 4.0, y / 4.0)
                        if v < 0.3 and bayer(x, y) < 0.5:
                            idx -= 1
                        elif v > 0.75 and bayer(x, y) < 0.5:
                            idx += 1
                        if grooves and lx % 8 == 4:
                            idx = tone - 1
                        elif grooves and lx % 8 == 5:
                            idx = tone + 1
                        col = SAND[idx]
                    c.set(x, y, col)
    _cracks(c, rnd, 3, w, h, SAND[0], SAND[4])
    return c


def rock_shine(p):
    # the pale crust and lit grains glint a little; the beds are matte
    return 0.3 if p[:3] in (SAND[5][:3], SAND[4][:3]) else 0.06


def dusk_sky(w=64, h=256):
    """Violet overhead to a low orange glow (opaque, stretched behind everything)."""
    return dithered_gradient([(0.0, DUSK[0]), (0.28, DUSK[1]), (0.5, DUSK[2]), (0.7, DUSK[3]), (0.86, DUSK[4]),
                              (1.0, DUSK[5])], w, h)


def _terraces(w, h, seed, ramp, base, amp, step, layers):
    """Stepped cliff silhouettes: level benches with a lit lip, steep banded risers; wraps horizontally."""
    noises = [(Noise1D(w // cell, seed + k), 1.0 / cell, wt) for k, (cell, wt) in enumerate(layers)]
    raw = [amp * (fbm1(x, noises) - 0.5) * 2.2 for x in range(w)]
    # benches: the fraction within each step rises steeply only near its end
    top = [base + step * (math.floor(v / step) + (v / step - math.floor(v / step)) ** 5) for v in raw]
    c = Canvas(w, h)
    for x in range(w):
        t = int(top[x])
        slope = (top[(x + 2) % w] - top[(x - 2) % w]) / 4.0
        for y in range(max(0, t), h):
            depth = y - t
            if abs(slope) > 0.6 and depth < 8:
                # a riser: lit where it faces the light on the left, in shade on the right
                col = ramp[-2] if slope < 0 else ramp[0]
            elif depth == 0:
                col = ramp[-1]
            elif depth < 3:
                col = ramp[-2]
            else:
                col = ramp[1]
                if ((y - base) // 6) % 4 == 1 and bayer(x, y) < 0.5:
                    col = ramp[2]
                if depth > 36 and bayer(x, y) < min(1.0, (depth - 36) / 70.0):
                    col = ramp[0]
            c.set(x, y, col)
    return c


def cliffs_far(w=512, h=320):
    return _terraces(w, h, 421, CLIFF_FAR, 110, 110, 22, [(128, 1.0), (32, 0.4), (8, 0.05)])


def cliffs_mid(w=512, h=384):
    return _terraces(w, h, 431, CLIFF_MID, 140, 130, 26, [(256, 0.8), (64, 0.5), (16, 0.1)])


def _line(c, x0, y0, x1, y1, col, width=1):
    steps = int(max(abs(x1 - x0), abs(y1 - y0))) + 1
    for i in range(steps + 1):
        t = i / float(steps)
        x, y = x0 + (x1 - x0) * t, y0 + (y1 - y0) * t
        for k in range(width):
            c.set(int(x) + k, int(y), col)


def crane(w=128, h=192):
    """A lattice tower crane, rusted, with its hook hanging."""
    c = Canvas(w, h)
    rust = [hexc(x) for x in ("2a1418", "4a2420", "7a3a26", "b0582c", "d8843c")]
    tx0, tx1 = 22, 36
    # tower: two chords and diagonal bracing
    _line(c, tx0, 24, tx0, h - 1, rust[1], 2)
    _line(c, tx1, 24, tx1, h - 1, rust[3], 2)
    for y in range(28, h - 8, 14):
        _line(c, tx0, y, tx1, y + 14, rust[2])
        _line(c, tx0, y + 14, tx1, y + 14, rust[2])
    # the jib out to the right, the counter-jib left with its weight
    _line(c, 4, 24, w - 3, 24, rust[4], 2)
    _line(c, 26, 14, w - 3, 22, rust[2])
    for x in range(tx1 + 6, w - 4, 10):
        _line(c, x, 24, x + 5, 20, rust[2])
    _line(c, 29, 6, 29, 24, rust[3], 2)
    _line(c, 29, 6, 4, 24, rust[1])
    _line(c, 29, 6, w - 3, 22, rust[1])
    for y in range(26, 36):
        for x in range(4, 16):
            c.set(x, y, P.STONE[1] if x > 5 else P.STONE[3])
    # the cab
    for y in range(26, 38):
        for x in range(tx0 - 2, tx1 + 4):
            c.set(x, y, rust[3] if y > 27 else rust[4])
    for x in range(tx1 - 3, tx1 + 2):
        for y in range(29, 33):
            c.set(x, y, P.GLOW_WARM[3])
    # cable and hook
    hx = 96
    _line(c, hx, 26, hx, 118, P.METAL[1])
    for y in range(118, 128):
        c.set(hx - 2, y, P.METAL[2])
        c.set(hx - 1, y, P.METAL[3])
    for x in range(hx - 2, hx + 5):
        c.set(x, 128, P.METAL[2])
    c.set(hx + 4, 127, P.METAL[3])
    c.set(hx + 4, 126, P.METAL[3])
    return c


def scaffold(w=96, h=128):
    """Timber scaffold: posts, cross braces and two decks."""
    c = Canvas(w, h)
    for x in (6, w // 2, w - 8):
        _line(c, x, 0, x, h - 1, P.WOOD[2], 3)
        _line(c, x, 0, x, h - 1, P.WOOD[3])
    for y0, y1 in ((8, 56), (64, 120)):
        _line(c, 8, y0, w // 2, y1, P.WOOD[1], 2)
        _line(c, w // 2 + 2, y1, w - 8, y0, P.WOOD[1], 2)
    for y in (4, 60):
        for x in range(0, w):
            for k, col in enumerate((P.WOOD[5], P.WOOD[4], P.WOOD[3], P.WOOD[1])):
                c.set(x, y + k, col)
    return c


def work_lamp(w=32, h=96):
    """A tripod floodlight facing down-left, its lens lit."""
    c = Canvas(w, h)
    cx = w // 2
    _line(c, cx, 22, cx, h - 14, P.METAL[2], 2)
    _line(c, cx, h - 14, 3, h - 1, P.METAL[1], 2)
    _line(c, cx, h - 14, w - 4, h - 1, P.METAL[2], 2)
    _line(c, cx, h - 14, cx, h - 1, P.METAL[1])
    for y in range(6, 24):
        for x in range(cx - 9, cx + 10):
            edge = y in (6, 23) or x in (cx - 9, cx + 9)
            c.set(x, y, P.OUTLINE if edge else P.METAL[3] if x < cx - 5 else P.METAL[2])
    for y in range(9, 21):
        for x in range(cx - 5, cx + 7):
            c.set(x, y, P.GLOW_WARM[5] if (x + y) % 5 == 0 else P.GLOW_WARM[4])
    return c


def shaft_rock(w=128, h=128):
    """The shaft's back wall far from any light: dark beds and a few pale seams; wraps both ways."""
    n = Noise2D(16, 16, 441)
    rnd = random.Random(442)
    c = Canvas(w, h)
    for y in range(h):
        for x in range(w):
            wave = 4.0 * n(x / 16.0, y / 16.0)
            bed = int((y + wave) / 16)
            idx = (1, 2, 2, 1, 3, 2, 1, 2)[bed % 8]
            if n(x / 5.0 + 3, y / 5.0) < 0.3 and bayer(x, y) < 0.6:
                idx -= 1
            if (y + wave) % 16 < 1.2:
                idx = 0
            c.set(x, y, SHAFT[max(0, idx)])
    _cracks(c, rnd, 10, w, h, SHAFT[0], SHAFT[4])
    return c


def mine_support(w=96, h=128):
    """Mine timbering: two posts and a cap beam, with wedges."""
    c = Canvas(w, h)
    for x0 in (4, w - 16):
        for y in range(10, h):
            for x in range(x0, x0 + 12):
                col = P.WOOD[3] if x - x0 < 3 else P.WOOD[1] if x - x0 > 9 else P.WOOD[2]
                if (y * 7 + x) % 31 == 0:
                    col = P.WOOD[1]
                c.set(x, y, col)
    for y in range(0, 14):
        for x in range(0, w):
            col = P.WOOD[4] if y < 2 else P.WOOD[0] if y > 11 else P.WOOD[2]
            if (x * 3 + y * 11) % 37 == 0:
                col = P.WOOD[1]
            c.set(x, y, col)
    for x0 in (16, w - 24):
        for y in range(14, 20):
            for x in range(x0, x0 + 8 - (y - 14)):
                c.set(x, y, P.WOOD[3])
    return c


def entries(Entry):
    """The quarry's sprite sources, for make_art."""
    env = "Assets/Art/Environment/Quarry/"
    rock = rock_tile()
    blocks = block_tile()
    return [
        Entry("QuarryRockN001", env + "QuarryRockN001.png", rock, rgb=True),
        Entry("QuarryRockNormalN001", env + "QuarryRockNormalN001.png", normal_map_from(rock), rgb=True),
        Entry("QuarryRockSpecularN001", env + "QuarryRockSpecularN001.png", specular_map_from(rock, rock_shine),
              rgb=True),
        Entry("QuarryBlockN001", env + "QuarryBlockN001.png", blocks, rgb=True),
        Entry("QuarryBlockNormalN001", env + "QuarryBlockNormalN001.png", normal_map_from(blocks), rgb=True),
        Entry("QuarrySkyN001", env + "QuarrySkyN001.png", dusk_sky(), rgb=True),
        Entry("QuarryCliffsFarN001", env + "QuarryCliffsFarN001.png", cliffs_far()),
        Entry("QuarryCliffsMidN001", env + "QuarryCliffsMidN001.png", cliffs_mid()),
        Entry("QuarryCraneN001", env + "QuarryCraneN001.png", crane()),
        Entry("QuarryScaffoldN001", env + "QuarryScaffoldN001.png", scaffold()),
        Entry("QuarryWorkLampN001", env + "QuarryWorkLampN001.png", work_lamp()),
        Entry("ShaftRockN001", env + "ShaftRockN001.png", shaft_rock(), rgb=True),
        Entry("ShaftSupportN001", env + "ShaftSupportN001.png", mine_support()),
    ]
