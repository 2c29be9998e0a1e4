"""Demo-level art: sky, parallax hills, tiles with normal/specular maps, props and lights."""

import math
import random

from . import palette as P
from .canvas import Canvas, bayer, clamp, mix
from .noise import Noise1D, Noise2D, fbm1
from .shapes import PartCanvas, capsule, circle, ellipse, lum_of, poly


def dithered_gradient(stops, w, h):
    """A top-to-bottom gradient through (position 0..1, colour) stops, each row dithering between its two
    neighbouring colours, so the picture keeps the palette."""
    c = Canvas(w, h)
    for y in range(h):
        t = y / float(h - 1)
        for k in range(len(stops) - 1):
            if stops[k][0] <= t <= stops[k + 1][0]:
                a, b = stops[k], stops[k + 1]
                f = (t - a[0]) / (b[0] - a[0])
                break
        for x in range(w):
            c.set(x, y, b[1] if bayer(x, y) < f else a[1])
    return c


def sky(w=64, h=256):
    """Dusk gradient with dithered bands (opaque, stretched behind everything)."""
    return dithered_gradient([(0.0, P.SKY[0]), (0.3, P.SKY[1]), (0.55, P.SKY[2]), (0.75, P.SKY[3]), (0.9, P.SKY[4]),
                              (1.0, P.SKY[5])], w, h)


def _hill_layer(w, h, seed, ramp, base, amp, layers, trees=0, tree_ramp=None):
    rnd = random.Random(seed)
    noises = [(Noise1D(w // cell, seed + k), 1.0 / cell, wt) for k, (cell, wt) in enumerate(layers)]
    height = [base + amp * fbm1(x, noises) for x in range(w)]
    c = Canvas(w, h)
    for x in range(w):
        top = int(height[x])
        # negative when the ground rises to the right, i.e. the slope faces the upper-left light
        slope = (height[(x + 4) % w] - height[(x - 4) % w]) / 8.0
        band = int(4 + 10 * clamp(abs(slope) * 3))
        for y in range(top, h):
            depth = y - top
            if depth == 0:
                col = ramp[3]
            elif depth < band and slope < -0.05:
                col = ramp[2] if depth < band - 2 or bayer(x, y) < 0.5 else ramp[1]
            elif depth < 3:
                col = ramp[2]
            else:
                col = ramp[1]
                if depth > 28 and bayer(x, y) < min(1.0, (depth - 28) / 40.0):
                    col = ramp[0]
            c.set(x, y, col)
    for _ in range(trees):
        tx = rnd.randrange(w)
        th = rnd.uniform(10, 22)
        tw = th * 0.32
        ty = height[tx] + 3
        for y in range(int(ty - th), int(ty) + 1):
            f = (ty - y) / th
            half = tw * (1 - f)
            for x in range(int(tx - half), int(tx + half) + 1):
                side = x - tx
                col = tree_ramp[1] if side > 0 else tree_ramp[2]
                c.set(x % w, y, col)
    return c


# The hill layers tile across and reach far below their crests: with parallax a layer's lower edge rises on
# screen as the view goes down, and a short layer would leave sky showing in the pits of a level.
def hills_far(w=512, h=320):
    return _hill_layer(w, h, 101, P.FAR_HILL, 0, 150, [(128, 1.0), (32, 0.35), (8, 0.08)])


def hills_mid(w=512, h=384):
    return _hill_layer(w, h, 202, P.MID_HILL, 40, 110, [(256, 0.7), (64, 0.5), (16, 0.12)],
                       trees=38, tree_ramp=P.MID_HILL)


def _ground_height(w, h, seed):
    """Height field of the grass-topped ground tile: 1 = raised, 0 = recessed."""
    rnd = random.Random(seed)
    n = Noise2D(8, 8, seed)
    hf = [[0.0] * w for _ in range(h)]
    stones = [(rnd.uniform(0, w), rnd.uniform(18, h - 4), rnd.uniform(3, 6.5), rnd.uniform(2, 4)) for _ in range(7)]
    for y in range(h):
        for x in range(w):
            hf[y][x] = 0.35 + 0.2 * n(x / 8.0, y / 8.0)
    kinds = [[0] * w for _ in range(h)]
    for sx, sy, rx, ry in stones:
        for y in range(int(sy - ry - 1), int(sy + ry + 2)):
            for x in range(int(sx - rx - 1), int(sx + rx + 2)):
                xx = x % w
                if not 0 <= y < h:
                    continue
                dx, dy = (x + 0.5 - sx) / rx, (y + 0.5 - sy) / ry
                d = dx * dx + dy * dy
                if d <= 1:
                    hf[y][xx] = 0.7 + 0.3 * math.sqrt(1 - d)
                    kinds[y][xx] = 2
    return hf, kinds, stones


def _grass_line(w, seed):
    n = Noise1D(16, seed)
    rnd = random.Random(seed)
    line = []
    for x in range(w):
        v = 9 + 3 * n(x / 4.0)
        line.append(v)
    blades = [(rnd.randrange(w), rnd.randint(2, 5)) for _ in range(22)]
    return line, blades


def ground_tile(w=64, h=64):
    hf, kinds, _ = _ground_height(w, h, 7)
    line, blades = _grass_line(w, 9)
    c = Canvas(w, h)
    top = 4
    for y in range(h):
        for x in range(w):
            if y < top:
                continue
            g = line[x]
            if y < top + g:
                depth = y - top
                idx = 4 if depth == 0 else 3 if depth < 3 else 2
                if depth > 2 and bayer(x, y) < (depth - 2) / max(1.0, g - 2) * 0.7:
                    idx -= 1
                c.set(x, y, P.GRASS[idx])
            elif y < top + g + 1.5:
                c.set(x, y, P.GRASS[1])
            else:
                if kinds[y][x] == 2:
                    # stone: lit on its upper-left rim
                    l = (hf[y][x] - hf[y - 1][x]) * 2 + (hf[y][x] - hf[y][(x - 1) % w]) * 2
                    idx = 3 if l > 0.08 else 1 if l < -0.08 else 2
                    c.set(x, y, P.STONE[idx])
                else:
                    v = hf[y][x]
                    idx = 2 if v > 0.47 else 1
                    if (x * 7 + y * 13) % 23 == 0:
                        idx = 3
                    c.set(x, y, P.DIRT[idx])
    # blades and tufts poke above the edge
    for bx, bh in blades:
        for k in range(bh):
            c.set(bx, top - k + 1, P.GRASS[4] if k == bh - 1 else P.GRASS[3])
    return c


def dirt_tile(w=64, h=64):
    hf, kinds, _ = _ground_height(w, h, 17)
    c = Canvas(w, h)
    for y in range(h):
        for x in range(w):
            if kinds[y][x] == 2:
                l = (hf[y][x] - hf[y - 1][x]) * 2 + (hf[y][x] - hf[y][(x - 1) % w]) * 2
                idx = 3 if l > 0.08 else 1 if l < -0.08 else 2
                c.set(x, y, P.STONE[idx])
            else:
                idx = 2 if hf[y][x] > 0.47 else 1
                if (x * 7 + y * 13) % 23 == 0:
                    idx = 3
                c.set(x, y, P.DIRT[idx])
    return c


def normal_map_from(c, strength=2.5, height_of=None):
    """Tangent-space normal map from an image's heights (luminance unless given).
    Green points up the picture, red to the right; the tile wraps."""
    w, h = c.w, c.h
    if height_of is None:
        def height_of(x, y):
            p = c.get(x % w, y % h)
            if p[3] == 0:
                return 0.0
            return (0.3 * p[0] + 0.59 * p[1] + 0.11 * p[2]) / 255.0
    out = Canvas(w, h)
    for y in range(h):
        for x in range(w):
            dx = (height_of(x + 1, y) - height_of(x - 1, y)) * strength
            dy = (height_of(x, y - 1) - height_of(x, y + 1)) * strength  # image y runs down
            nx, ny, nz = -dx, -dy, 1.0
            ln = math.sqrt(nx * nx + ny * ny + nz * nz)
            if c.get(x, y)[3] == 0:
                out.set(x, y, (128, 128, 255, 255))
                continue
            out.set(x, y, (int((nx / ln * 0.5 + 0.5) * 255), int((ny / ln * 0.5 + 0.5) * 255),
                           int((nz / ln * 0.5 + 0.5) * 255), 255))
    return out


def specular_map_from(c, bright_for):
    """Grey specular mask: bright_for(rgba) -> 0..1 shininess of that pixel's material."""
    out = Canvas(c.w, c.h)
    for y in range(c.h):
        for x in range(c.w):
            p = c.get(x, y)
            v = int(255 * clamp(bright_for(p))) if p[3] else 0
            out.set(x, y, (v, v, v, 255))
    return out


def wall_tile(w=64, h=64):
    """Stone blocks in running bond, bevelled towards the upper-left light."""
    rnd = random.Random(31)
    c = Canvas(w, h)
    rows = 4
    bh = h // rows
    n = Noise2D(16, 16, 33)
    for r in range(rows):
        offset = 0 if r % 2 == 0 else 16
        y0 = r * bh
        for b in range(2):
            x0 = offset + b * 32
            tone = rnd.choice((2, 2, 3))
            for y in range(y0, y0 + bh):
                for xx in range(x0, x0 + 32):
                    x = xx % w
                    lx, ly = xx - x0, y - y0
                    if lx == 31 or ly == bh - 1:
                        c.set(x, y, P.STONE[0])
                        continue
                    if lx == 0 or ly == 0:
                        c.set(x, y, P.STONE[tone + 1])
                        continue
                    if lx == 30 or ly == bh - 2:
                        c.set(x, y, P.STONE[tone - 1])
                        continue
                    v = n(x / 4.0, y / 4.0)
                    idx = tone - (1 if v < 0.3 and bayer(x, y) < 0.5 else 0)
                    c.set(x, y, P.STONE[idx])
            # a crack or moss patch on some blocks
            if rnd.random() < 0.5:
                cx, cy = x0 + rnd.randint(6, 24), y0 + rnd.randint(4, bh - 5)
                for k in range(rnd.randint(3, 6)):
                    c.set((cx + k) % w, cy + (k % 3 == 1), P.STONE[0])
            elif rnd.random() < 0.6:
                cx, cy = x0 + rnd.randint(4, 26), y0 + bh - 3
                for k in range(rnd.randint(4, 8)):
                    c.set((cx + k) % w, cy - (k % 2), P.GRASS[2])
                    c.set((cx + k) % w, cy, P.GRASS[1])
    return c


def platform_tile(w=64, h=24):
    """Wooden deck: a lit top edge, two planks, a dark underside; wraps horizontally."""
    c = Canvas(w, h)
    for y in range(h):
        for x in range(w):
            if y == 0:
                col = P.WOOD[5]
            elif y < 3:
                col = P.WOOD[4]
            elif y in (11, 12):
                col = P.WOOD[1]
            elif y >= h - 3:
                col = P.WOOD[0] if y == h - 1 else P.WOOD[1]
            else:
                grain = ((x * 3 + y * 17) % 29 == 0) or ((x + y * 5) % 37 == 0)
                col = P.WOOD[2] if grain else P.WOOD[3]
                if y in (3, 13):
                    col = P.WOOD[4]
            c.set(x, y, col)
    # plank seams and nails
    for sx, y0, y1 in ((20, 3, 11), (52, 13, h - 3), (4, 13, h - 3)):
        for y in range(y0, y1):
            c.set(sx, y, P.WOOD[1])
            c.set(sx + 1, y, P.WOOD[4])
    for nx, ny in ((24, 6), (24, 8), (48, 16), (48, 18), (8, 16), (56, 6)):
        c.set(nx, ny, P.METAL[3])
        c.set(nx + 1, ny + 1, P.METAL[1])
    return c


def crate(size=48):
    c = Canvas(size, size)
    s = size
    for y in range(s):
        for x in range(s):
            edge = min(x, y, s - 1 - x, s - 1 - y)
            if edge == 0:
                col = P.OUTLINE
            elif edge < 5:
                # frame boards: lit top/left, dark bottom/right
                if x == 1 or y == 1:
                    col = P.WOOD[5]
                elif x == s - 2 or y == s - 2:
                    col = P.WOOD[1]
                else:
                    col = P.WOOD[4] if (x < y) == (x + y < s) and (x < s / 2 or y < s / 2) else P.WOOD[3]
            else:
                plank = (y - 5) // 10
                col = P.WOOD[2] if plank % 2 else P.WOOD[3]
                if (y - 5) % 10 == 0:
                    col = P.WOOD[1]
                # diagonal brace
                d = abs((x - 5) - (y - 5) * (s - 10) / (s - 10))
                if d < 3.5:
                    col = P.WOOD[4] if d < 1 else P.WOOD[3]
                    if abs(d - 3) < 0.5:
                        col = P.WOOD[1]
            c.set(x, y, col)
    for nx, ny in ((3, 3), (s - 4, 3), (3, s - 4), (s - 4, s - 4)):
        c.set(nx, ny, P.METAL[4])
        c.set(nx + 1, ny, P.METAL[2])
        c.set(nx, ny + 1, P.METAL[2])
    return c


def tree(w=128, h=192):
    rnd = random.Random(55)
    pc = PartCanvas(w, h)
    base = (w / 2.0, h - 2.0)
    trunk = [capsule((base[0], base[1] - 2), (base[0] - 2, h * 0.5), 8, 5.5, P.BARK),
             capsule((base[0] - 2, h * 0.66), (base[0] - 24, h * 0.5), 3.6, 2.4, P.BARK),
             capsule((base[0] - 1, h * 0.62), (base[0] + 22, h * 0.46), 3.6, 2.4, P.BARK),
             ellipse((base[0] - 6, base[1] - 1), 6, 2.5, 0, P.BARK),
             ellipse((base[0] + 6, base[1] - 1), 6, 2.5, 0, P.BARK)]
    pc.draw_group(trunk)
    clusters = [(0, 0.30, 32), (-30, 0.42, 22), (30, 0.40, 23), (-14, 0.17, 23), (16, 0.18, 22),
                (-4, 0.48, 20), (-38, 0.28, 16), (38, 0.27, 16)]
    order = sorted(clusters, key=lambda k: -k[1])
    for dx, fy, r in order:
        cx, cy = base[0] + dx, h * fy + 10
        prims = [circle((cx, cy), r, P.LEAF)]
        for _ in range(5):
            a = rnd.uniform(0, 2 * math.pi)
            prims.append(circle((cx + math.cos(a) * r * 0.75, cy + math.sin(a) * r * 0.7), r * 0.42, P.LEAF))
        pc.draw_group(prims)
    # leaf speckles on the lit side
    c = pc.canvas
    for _ in range(160):
        x, y = rnd.randrange(w), rnd.randrange(int(h * 0.75))
        p = c.get(x, y)
        if p[3] and p[:3] in (P.LEAF[3][:3], P.LEAF[4][:3]):
            c.set(x, y, P.LEAF[5] if p[:3] == P.LEAF[4][:3] else P.LEAF[4])
    return c


def pillar(w=48, h=192):
    c = Canvas(w, h)
    cap_h, base_h = 16, 16
    for y in range(h):
        if y < cap_h:
            x0, x1 = 2, w - 3
        elif y >= h - base_h:
            x0, x1 = 2, w - 3
        else:
            x0, x1 = 8, w - 9
        for x in range(x0, x1 + 1):
            if x == x0 or x == x1 or y == 0 or y == h - 1 or (y in (cap_h - 1, h - base_h) and (x0 == 2)):
                col = P.OUTLINE
            elif y < cap_h or y >= h - base_h:
                ly = y if y < cap_h else y - (h - base_h)
                col = P.STONE[4] if ly in (1, 2) or x == x0 + 1 else P.STONE[1] if ly in (cap_h - 2, 6) else P.STONE[3]
                if x == x1 - 1:
                    col = P.STONE[1]
            else:
                u = (x - x0) / float(x1 - x0)
                flute = (x - x0) % 6 == 0
                lum = lum_of((u - 0.5) * 2, 0)
                idx = 4 if lum > 0.86 else 3 if lum > 0.62 else 2 if lum > 0.18 else 1
                if flute:
                    idx = max(1, idx - 1)
                col = P.STONE[idx]
            c.set(x, y, col)
    # a few chips
    rnd = random.Random(71)
    for _ in range(10):
        x, y = rnd.randint(11, w - 12), rnd.randint(cap_h + 4, h - base_h - 4)
        c.set(x, y, P.STONE[1])
        c.set(x + 1, y, P.STONE[4])
    return c


def lamp_post(w=32, h=96):
    pc = PartCanvas(w, h)
    cx = w / 2.0
    pc.draw_group([capsule((cx, h - 3), (cx, 30), 1.8, 1.5, P.METAL),
                   ellipse((cx, h - 3), 6, 2.5, 0, P.METAL),
                   capsule((cx, 30), (cx + 0.01, 25), 3, 3, P.METAL)])
    # the lantern: dark frame around a lit pane
    pc.draw_group([poly(((cx - 7, 10), (cx + 7, 10), (cx + 5, 25), (cx - 5, 25)), P.METAL, fixed=1),
                   poly(((cx - 5, 12), (cx + 5, 12), (cx + 3.5, 23), (cx - 3.5, 23)), P.GLOW_WARM, fixed=4, clip=True),
                   poly(((cx - 9, 10), (cx, 3), (cx + 9, 10)), P.METAL, fixed=2)])
    c = pc.canvas
    for y in range(13, 22):
        c.set(int(cx) - 1, y, P.GLOW_WARM[5])
    return c


def glow(size=128, ramp=P.GLOW_WARM):
    """Additive halo: colour already scaled by intensity, stepped rings."""
    c = Canvas(size, size)
    r = size / 2.0
    for y in range(size):
        for x in range(size):
            d = math.hypot(x + 0.5 - r, y + 0.5 - r) / r
            if d >= 1:
                continue
            g = (1 - d) ** 2.2
            g = math.floor(g * 8 + bayer(x, y)) / 8.0
            col = mix(ramp[2], ramp[4], g)
            c.set(x, y, (int(col[0] * g), int(col[1] * g), int(col[2] * g), int(255 * g)))
    return c


def crystal(w=48, h=64):
    """Glowing crystal cluster for additive drawing (black is invisible)."""
    c = Canvas(w, h)
    shards = [(24, 60, 6, 50, 0), (15, 60, 4.5, 34, -0.35), (33, 60, 4.5, 38, 0.3), (8, 60, 3, 20, -0.6),
              (40, 60, 3, 22, 0.55)]
    for bx, by, half, length, lean in shards:
        tip = (bx + math.sin(lean) * length, by - math.cos(lean) * length)
        for y in range(h):
            for x in range(w):
                # distance across the shard's axis
                vx, vy = tip[0] - bx, tip[1] - by
                l2 = vx * vx + vy * vy
                t = ((x + 0.5 - bx) * vx + (y + 0.5 - by) * vy) / l2
                if not 0 <= t <= 1:
                    continue
                px, py = bx + vx * t, by + vy * t
                across = ((x + 0.5 - px) * -vy + (y + 0.5 - py) * vx) / math.sqrt(l2)
                width = half * min(1.0, (1 - t) * 3.0)
                if abs(across) > width:
                    continue
                facet = across < 0  # left facet faces the light
                g = 0.55 + 0.45 * (1 - t) if not facet else 0.9
                if abs(across) > width - 1:
                    g = 1.0
                col = P.GLOW_CYAN[4] if facet else P.GLOW_CYAN[3]
                if abs(across) > width - 1 or t > 0.93:
                    col = P.GLOW_CYAN[5]
                c.set(x, y, (int(col[0] * g), int(col[1] * g), int(col[2] * g), int(255 * g)))
    return c
