"""The secret lab's art: cold metal floor and wall tiles, catwalks, warning stripes, pipes, glass containment tubes,
monitors, hazard beacons and the hall behind it all at two depths. Lit from the upper left like the rest."""

import math
import random

from . import palette as P
from .canvas import Canvas, bayer, hexc, mix, panel_edge
from .noise import Noise1D, Noise2D, fbm1

# cold steel, the lab's own ramps (dark to light; index 0 doubles as the outline)
STEEL = [hexc(c) for c in ("141a26", "252f42", "38465e", "52637e", "7587a3", "a9bad0")]
HALL = [hexc(c) for c in ("0b0f1a", "111827", "18223a", "21304d", "2c4062")]
WARN = [hexc(c) for c in ("4a3208", "a0700c", "e8b420", "ffd95a")]
ALARM = [hexc(c) for c in ("3a0a10", "8a1420", "e0303a", "ff7a6a", "ffd6c8")]
SCREEN = [hexc(c) for c in ("061a16", "0c3a2e", "1a7a58", "3fd694", "b6ffd8")]
LIQUID = [hexc(c) for c in ("0a2e3a", "145a66", "22948e", "4fd0b8", "b0fff0")]


def _rivet(c, x, y):
    c.set(x, y, STEEL[5])
    c.set(x + 1, y + 1, STEEL[1])
    c.set(x + 1, y, STEEL[3])
    c.set(x, y + 1, STEEL[3])


def floor_tile(w=64, h=64):
    """A deck plate: a lit lip with a warning edge on top, tread plates with rivets below; wraps across."""
    c = Canvas(w, h)
    n = Noise2D(16, 16, 401)
    for y in range(h):
        for x in range(w):
            if y == 0:
                col = STEEL[5]
            elif y < 4:
                col = STEEL[4]
            elif y < 6:
                col = WARN[2] if ((x + y) // 4) % 2 == 0 else STEEL[0]
            elif y == 6:
                col = STEEL[0]
            else:
                lx, ly = x % 32, (y - 7) % 28
                if lx == 31 or ly == 27:
                    col = STEEL[0]
                elif lx == 0 or ly == 0:
                    col = STEEL[3]
                elif lx == 30 or ly == 26:
                    col = STEEL[1]
                else:
                    # diamond tread: short raised dashes in alternating directions
                    tread = ((lx + ly) % 6 == 0 and ly % 6 < 3) or ((lx - ly) % 6 == 0 and ly % 6 >= 3)
                    idx = 3 if tread else 2
                    if n(x / 4.0, y / 4.0) < 0.3 and bayer(x, y) < 0.4:
                        idx -= 1
                    col = STEEL[idx]
                # deeper plates fade into the dark under the deck
                if y > 36 and bayer(x, y) < (y - 36) / 40.0 and col == STEEL[2]:
                    col = STEEL[1]
            c.set(x, y, col)
    for x0 in (0, 32):
        for y0 in (7, 35):
            for dx, dy in ((3, 3), (26, 3), (3, 22), (26, 22)):
                if y0 + dy < h - 1:
                    _rivet(c, x0 + dx, y0 + dy)
    return c


def floor_shine(p):
    """Specular mask: the lip and the warning paint shine, the tread a little."""
    if p[:3] == WARN[2][:3]:
        return 0.5
    return 0.8 if p[:3] in (STEEL[5][:3], STEEL[4][:3]) else 0.3


def wall_tile(w=64, h=64):
    """Riveted wall panels, bevelled towards the light, with a vent in one of them; wraps both ways."""
    c = Canvas(w, h)
    n = Noise2D(16, 16, 409)
    for y in range(h):
        for x in range(w):
            col = panel_edge(x, y, STEEL[0], STEEL[3], STEEL[1])
            if col is None:
                idx = 2 if (x // 32 + y // 32) % 2 == 0 else 1
                if n(x / 5.0, y / 5.0) > 0.7 and bayer(x, y) < 0.5:
                    idx += 1
                col = STEEL[idx]
            c.set(x, y, col)
    # a vent: dark slots with lit lower lips
    for k in range(4):
        y = 40 + k * 4
        for x in range(38, 58):
            c.set(x, y, STEEL[0])
            c.set(x, y + 1, STEEL[3])
    # a pipe-coloured stencil mark on one panel
    for x in range(6, 14):
        c.set(x, 8, WARN[1])
    for corner in ((3, 3), (27, 3), (3, 27), (27, 27)):
        for ox in (0, 32):
            for oy in (0, 32):
                _rivet(c, corner[0] + ox, corner[1] + oy)
    return c


def wall_shine(p):
    return 0.6 if p[:3] in (STEEL[3][:3], STEEL[5][:3]) else 0.2


def catwalk(w=64, h=24):
    """A grated catwalk: lit rail, grating over the dark, a painted edge; wraps across."""
    c = Canvas(w, h)
    for y in range(h):
        for x in range(w):
            if y == 0:
                col = STEEL[5]
            elif y < 3:
                col = STEEL[4]
            elif y < 17:
                hole = (x % 6 in (2, 3, 4)) and ((y - 3) % 5 in (1, 2, 3))
                col = HALL[0] if hole else STEEL[2] if (y - 3) % 5 else STEEL[3]
            elif y < 20:
                col = WARN[2] if ((x - y) // 4) % 2 == 0 else STEEL[0]
            elif y < h - 1:
                col = STEEL[1]
            else:
                col = STEEL[0]
            c.set(x, y, col)
    for x in (8, 40):
        _rivet(c, x, 21)
    return c


def stripe(w=32, h=12):
    """Yellow and black warning stripes with a dark rim; wraps across."""
    c = Canvas(w, h)
    for y in range(h):
        for x in range(w):
            if y == 0 or y == h - 1:
                col = STEEL[0]
            elif ((x + y) // 4) % 2 == 0:
                col = WARN[3] if y == 1 else WARN[2] if y < h - 3 else WARN[1]
            else:
                col = P.BLACK if y < h - 3 else STEEL[0]
            c.set(x, y, col)
    return c


def pipes(w=64, h=32):
    """Two pipes running along the wall with flanges and a valve; wraps across."""
    c = Canvas(w, h)

    def pipe(y0, r, ramp, flange_at):
        for x in range(w):
            flange = any(abs(x - f) <= 2 for f in flange_at)
            rr = r + (2 if flange else 0)
            for dy in range(-rr, rr + 1):
                u = dy / float(rr)
                lum = 1.0 - abs(u + 0.35) * 1.3
                idx = 4 if lum > 0.75 else 3 if lum > 0.4 else 2 if lum > 0.0 else 1
                if abs(dy) == rr:
                    idx = 0
                if flange and abs(x - [f for f in flange_at if abs(x - f) <= 2][0]) == 2:
                    idx = max(0, idx - 1)
                c.set(x, y0 + dy, ramp[idx])

    pipe(10, 6, STEEL, (14, 46))
    pipe(24, 4, [STEEL[0]] + [mix(STEEL[i], ALARM[2], 0.35) for i in range(1, 6)], (30,))
    # a valve wheel on the big pipe
    for a in range(24):
        t = a / 24.0 * 2 * math.pi
        c.set(int(46 + math.cos(t) * 5), int(10 + math.sin(t) * 5), WARN[2])
    return c


def far_hall(w=512, h=320):
    """Machinery far off: tanks, towers and girders as dark shapes with a few lit windows; wraps across."""
    rnd = random.Random(431)
    c = Canvas(w, h)
    noises = [(Noise1D(w // cell, 433 + k), 1.0 / cell, wt) for k, (cell, wt) in enumerate([(64, 1.0), (16, 0.3)])]
    # a low skyline of machine blocks
    x = 0
    while x < w:
        bw = rnd.randint(20, 60)
        top = int(90 + 90 * fbm1(x, noises) + rnd.randint(-20, 20))
        for xx in range(x, min(w, x + bw)):
            for y in range(top, h):
                edge = y == top or xx == x
                c.set(xx, y, HALL[3] if edge else HALL[2])
        # lit windows in rows
        for wy in range(top + 8, h - 10, 14):
            for wx in range(x + 4, min(w, x + bw) - 4, 9):
                if rnd.random() < 0.35:
                    col = SCREEN[2] if rnd.random() < 0.5 else LIQUID[2]
                    for dx in range(3):
                        c.set(wx + dx, wy, col)
                        c.set(wx + dx, wy + 1, mix(col, HALL[2], 0.5))
        x += bw
    # tall tanks with domed tops in front
    for tx in (60, 200, 330, 450):
        r = rnd.randint(18, 28)
        top = rnd.randint(40, 80)
        for y in range(top - r, h):
            for xx in range(tx - r, tx + r + 1):
                dx = (xx - tx) / float(r)
                if y < top and (dx * dx + ((y - top) / float(r)) ** 2) > 1:
                    continue
                lum = 1 - abs(dx + 0.4)
                col = HALL[4] if lum > 0.75 else HALL[3] if lum > 0.2 else HALL[1]
                c.set(xx % w, y, col)
        for y in range(top, h, 24):
            for xx in range(tx - r, tx + r + 1):
                c.set(xx % w, y, HALL[1])
    # girders across the top
    for gy in (20, 26):
        for xx in range(w):
            c.set(xx, gy, HALL[2])
    for xx in range(0, w, 12):
        for k in range(6):
            c.set((xx + k) % w, 20 + k, HALL[2])
    return c


def back_wall(w=256, h=192):
    """The near hall wall: big panels on ribs, with high windows onto the hall beyond; wraps across."""
    c = Canvas(w, h)
    n = Noise2D(32, 24, 457)
    for y in range(h):
        for x in range(w):
            lx = x % 128
            if 40 <= y < 100 and 16 <= lx < 112:
                # a window: empty (the far hall shows through) behind a frame and mullions
                if y in (40, 99) or lx in (16, 111) or lx in (48, 80) or y == 70:
                    c.set(x, y, STEEL[1])
                continue
            rib = lx < 8 or lx >= 120
            if rib:
                u = ((lx + 8) % 128) / 16.0
                col = STEEL[3] if u < 0.3 else STEEL[2] if u < 0.8 else STEEL[1]
            else:
                py = y % 48
                col = HALL[4] if py == 0 else HALL[2] if py == 47 else HALL[3]
                if n(x / 6.0, y / 6.0) > 0.68 and bayer(x, y) < 0.5:
                    col = HALL[2]
            c.set(x, y, col)
    # a strip light under the windows and a faint painted band low down
    for x in range(w):
        if 24 <= x % 128 < 104:
            c.set(x, 104, LIQUID[3])
            c.set(x, 105, LIQUID[2])
        for y in range(150, 156):
            c.set(x, y, HALL[4] if ((x + y) // 5) % 2 == 0 else HALL[1])
    return c


def _glass_tube(w, h, fill, frame, broken=False):
    """A containment tube: metal caps, a glass body with liquid (or empty and smashed), lit from the left."""
    c = Canvas(w, h)
    cap = 14
    x0, x1 = 5, w - 6
    cx = (x0 + x1) / 2.0
    half = (x1 - x0) / 2.0
    rnd = random.Random(461 + frame)
    for y in range(h):
        for x in range(w):
            if y < cap or y >= h - cap:
                ly = y if y < cap else h - 1 - y
                if x < 1 or x > w - 2:
                    continue
                u = (x - 1) / float(w - 3)
                idx = 4 if u < 0.25 else 3 if u < 0.6 else 2 if u < 0.85 else 1
                if ly == 0 or x in (1, w - 2):
                    idx = 0
                elif ly in (cap - 3, 3):
                    idx = max(1, idx - 1)
                col = STEEL[idx]
                if y >= h - cap and ly == 6 and x % 6 == 0:
                    col = SCREEN[3]
                c.set(x, y, col)
                continue
            if not x0 <= x <= x1:
                continue
            u = (x - cx) / half
            if broken:
                # jagged glass stumps at the top and bottom of an empty tube
                stub = 10 + int(6 * abs(math.sin(x * 1.7)))
                in_glass = (y - cap) < stub or (h - cap - 1 - y) < stub // 2 + 3
                if not in_glass:
                    if x in (x0, x1):
                        continue
                    continue
            lum = 1 - abs(u + 0.45)
            if abs(u) > 0.9:
                col = LIQUID[0] if not broken else STEEL[1]
            elif fill and not broken:
                idx = 3 if lum > 0.7 else 2 if lum > 0.2 else 1
                col = LIQUID[idx]
            else:
                col = (120, 160, 190, 110)
            c.set(x, y, col)
            # the glass shine on the lit side
            if -0.65 < u < -0.45 and (y - cap) % 37 < 30:
                c.set(x, y, LIQUID[4] if not broken else (220, 240, 255, 180))
    if fill and not broken:
        # a sleeping creature's silhouette and rising bubbles
        for y in range(int(h * 0.38), int(h * 0.72)):
            t = (y - h * 0.38) / (h * 0.34)
            wdt = 6 * math.sin(t * math.pi) + 2 + (3 if t < 0.25 else 0)
            for x in range(int(cx - wdt), int(cx + wdt) + 1):
                c.set(x, y, mix(LIQUID[0], LIQUID[1], 0.4))
        for k in range(6):
            bx = int(cx - half * 0.6 + rnd.random() * half * 1.2)
            by = (h - cap - 4) - ((frame * 9 + k * 17) % (h - 2 * cap - 8))
            c.set(bx, by, LIQUID[4])
            c.set(bx + 1, by, LIQUID[3])
            c.set(bx, by - 1, LIQUID[3])
    if broken:
        # shards on the floor of the tube and a puddle
        for k in range(9):
            sx = int(x0 + 2 + rnd.random() * (x1 - x0 - 4))
            c.set(sx, h - cap - 2, (200, 230, 255, 200))
            c.set(sx + 1, h - cap - 3, (160, 200, 230, 160))
        for x in range(x0 + 2, x1 - 1):
            c.set(x, h - cap - 1, LIQUID[2])
    return c


def tube(n=4, w=48, h=120):
    return [_glass_tube(w, h, True, i) for i in range(n)]


def tube_broken(w=48, h=120):
    return _glass_tube(w, h, False, 0, broken=True)


def monitor(n=4, w=64, h=48):
    """A wall monitor with a trace scrolling across and lines of text blinking in."""
    frames = []
    for f in range(n):
        c = Canvas(w, h)
        for y in range(h):
            for x in range(w):
                if x in (0, w - 1) or y in (0, h - 1):
                    col = STEEL[0]
                elif x < 4 or x > w - 5 or y < 4 or y > h - 9:
                    col = STEEL[3] if (x < 4 or y < 4) else STEEL[1]
                else:
                    col = SCREEN[0] if (y % 3) else mix(SCREEN[0], SCREEN[1], 0.5)
                c.set(x, y, col)
        # the trace
        for x in range(5, w - 5):
            v = math.sin((x + f * 6) * 0.35) * 0.5 + math.sin((x + f * 6) * 0.11) * 0.5
            y = int(20 + v * 8)
            c.set(x, y, SCREEN[4])
            c.set(x, y + 1, SCREEN[2])
        # text lines
        for row in range(3):
            length = [18, 12, 22][(row + f) % 3]
            for x in range(6, 6 + length):
                if x % 4 != 3:
                    c.set(x, 31 + row * 3, SCREEN[3] if row != f % 3 else SCREEN[4])
        # status lamps on the frame
        c.set(w - 8, h - 5, ALARM[3] if f % 2 else ALARM[1])
        c.set(w - 12, h - 5, SCREEN[3])
        frames.append(c)
    return frames


def beacon(n=4, size=28):
    """A hazard beacon: a red dome whose lamp turns, throwing its bright side around."""
    frames = []
    for f in range(n):
        c = Canvas(size, size)
        cx = size / 2.0
        angle = f / float(n) * 2 * math.pi
        lamp = math.cos(angle)
        for y in range(size):
            for x in range(size):
                dx, dy = (x + 0.5 - cx) / 9.0, (y + 0.5 - 15) / 9.0
                if y >= 19 and 5 <= x < size - 5:
                    # the base
                    col = STEEL[0] if y in (19, size - 1) or x in (5, size - 6) else STEEL[3] if x < cx else STEEL[2]
                    c.set(x, y, col)
                elif dx * dx + dy * dy <= 1 and y < 19:
                    side = dx * 0.9 + lamp
                    idx = 4 if side > 0.9 else 3 if side > 0.3 else 2 if side > -0.4 else 1
                    c.set(x, y, ALARM[idx])
        # the rim of the dome
        for x in range(6, size - 6):
            c.set(x, 19, STEEL[4])
        frames.append(c)
    return frames


def entries(entry, maps):
    """The lab's sprite sources, as make_art's entries; `maps` makes (normal, specular) of a tile."""
    env = "Assets/Art/Environment/Lab/"
    props = "Assets/Art/Props/Lab/"
    floor, wall = floor_tile(), wall_tile()
    floor_normal, floor_specular = maps(floor, floor_shine)
    wall_normal, wall_specular = maps(wall, wall_shine)
    return [
        entry("LabFloorTileN001", env + "LabFloorTileN001.png", floor, rgb=True),
        entry("LabFloorTileNormalN001", env + "LabFloorTileNormalN001.png", floor_normal, rgb=True),
        entry("LabFloorTileSpecularN001", env + "LabFloorTileSpecularN001.png", floor_specular, rgb=True),
        entry("LabWallTileN001", env + "LabWallTileN001.png", wall, rgb=True),
        entry("LabWallTileNormalN001", env + "LabWallTileNormalN001.png", wall_normal, rgb=True),
        entry("LabWallTileSpecularN001", env + "LabWallTileSpecularN001.png", wall_specular, rgb=True),
        entry("LabCatwalkN001", env + "LabCatwalkN001.png", catwalk(), rgb=True),
        entry("LabStripeN001", env + "LabStripeN001.png", stripe(), rgb=True),
        entry("LabPipesN001", env + "LabPipesN001.png", pipes()),
        entry("LabFarN001", env + "LabFarN001.png", far_hall()),
        entry("LabBackWallN001", env + "LabBackWallN001.png", back_wall()),
        entry("LabTubeN001", props + "LabTubeN001.png", tube(), duration=0.15, looping=True),
        entry("LabTubeBrokenN001", props + "LabTubeBrokenN001.png", tube_broken()),
        entry("LabMonitorN001", props + "LabMonitorN001.png", monitor(), duration=0.25, looping=True),
        entry("LabBeaconN001", props + "LabBeaconN001.png", beacon(), duration=0.12, looping=True),
    ]
