"""Pictures of the laboratory the fox escapes from: the containment room, its tube, the corridor and its doors."""

import math
import random

from art import enemy
from art import palette as P
from art.canvas import Canvas, bayer, mix
from art.shapes import PartCanvas, poly

from .compose import HEIGHT, WIDTH

FLOOR_Y = 150  # top row of the lab floor
ALARM = P.ENEMY_EYE


def _panel_wall(c, x0, x1, y0, y1, seed):
    """Dark metal panels with lit upper-left bevels, seams and rivets."""
    rnd = random.Random(seed)
    panel_w, panel_h = 40, 36
    for y in range(y0, y1):
        for x in range(x0, x1):
            px, py = (x - x0) % panel_w, (y - y0) % panel_h
            col = P.METAL[1]
            if px == 0 or py == 0:
                col = P.METAL[0]
            elif px == 1 or py == 1:
                col = P.METAL[2]
            elif px == panel_w - 1 or py == panel_h - 1:
                col = P.OUTLINE
            elif bayer(x, y) < 0.12 and (py > panel_h - 8):
                col = P.METAL[0]
            c.set(x, y, col)
    for y in range(y0 + 5, y1, panel_h):
        for x in range(x0 + 5, x1, panel_w):
            for dx, dy in ((0, 0), (panel_w - 10, 0)):
                c.set(x + dx, y + dy, P.METAL[3])
                c.set(x + dx + 1, y + dy + 1, P.METAL[0])
    for _ in range((x1 - x0) // 12):
        x, y = rnd.randrange(x0, x1), rnd.randrange(y0, y1)
        c.set(x, y, P.METAL[2])


def _floor(c, x0, x1):
    for y in range(FLOOR_Y, HEIGHT):
        for x in range(x0, x1):
            d = y - FLOOR_Y
            if d == 0:
                col = P.METAL[3]
            elif d == 1:
                col = P.METAL[2]
            elif d < 4:
                # yellow and black hazard stripes along the edge
                col = P.TIME[2] if ((x + d) // 6) % 2 == 0 else P.OUTLINE
            else:
                col = P.METAL[1] if (x % 8 and (d - 4) % 8) else P.METAL[0]
                if bayer(x, y) < (d - 4) / 40.0:
                    col = P.OUTLINE
            c.set(x, y, col)


def _pipes(c, x0, x1):
    for y in range(6, 16):
        for x in range(x0, x1):
            t = (y - 6) / 9.0
            col = P.METAL[3] if t < 0.25 else P.METAL[2] if t < 0.6 else P.METAL[1]
            if y in (6, 15):
                col = P.OUTLINE
            if x % 48 in (0, 1, 2) and y not in (6, 15):
                col = P.METAL[4] if x % 48 == 0 else P.METAL[0]
            c.set(x, y, col)


def _console(c, x, y):
    """A control desk with a row of screens (their content is animated over it)."""
    pc = PartCanvas(WIDTH, HEIGHT)
    pc.draw_group([poly(((x, y + 10), (x + 58, y + 10), (x + 62, FLOOR_Y), (x - 4, FLOOR_Y)), P.METAL, fixed=2),
                   poly(((x + 2, y), (x + 56, y), (x + 58, y + 10), (x, y + 10)), P.METAL, fixed=3)])
    c.blit(pc.canvas, 0, 0)
    for k in range(3):
        sx = x + 6 + k * 17
        for yy in range(y - 22, y - 4):
            for xx in range(sx, sx + 14):
                edge = yy in (y - 22, y - 5) or xx in (sx, sx + 13)
                c.set(xx, yy, P.OUTLINE if edge else P.UI_DARK[2])
        for xx in range(sx + 6, sx + 8):
            for yy in range(y - 4, y):
                c.set(xx, yy, P.METAL[1])


CONSOLE = (22, 118)  # where the console's first screen area starts (left, desk top)


def screen_areas():
    """The three console screens: (x, y, w, h) of their insides."""
    x, y = CONSOLE
    return [(x + 7 + k * 17, y - 21, 12, 16) for k in range(3)]


def room():
    """The containment room: panelled wall, pipes, floor, console; the tube stands in the middle."""
    c = Canvas(WIDTH, HEIGHT, P.METAL[0])
    _panel_wall(c, 0, WIDTH, 16, FLOOR_Y, 7)
    _pipes(c, 0, WIDTH)
    _floor(c, 0, WIDTH)
    _console(c, *CONSOLE)
    # the alarm lamp housing above the tube
    for y in range(18, 26):
        for x in range(152, 168):
            c.set(x, y, P.OUTLINE if y == 25 or x in (152, 167) else P.METAL[2])
    # a warning sign on the right
    for y in range(60, 84):
        for x in range(252, 292):
            edge = y in (60, 83) or x in (252, 291)
            c.set(x, y, P.OUTLINE if edge else P.TIME[2] if (x + y) // 5 % 2 else P.TIME[1])
    return c


def lit(canvas, color, amount):
    """The picture washed with a coloured light (for the red alarm), opaque pixels only."""
    out = Canvas(canvas.w, canvas.h)
    for y in range(canvas.h):
        for x in range(canvas.w):
            p = canvas.get(x, y)
            if p[3]:
                washed = mix(p, (min(255, p[0] + color[0]), min(255, p[1] + color[1]), min(255, p[2] + color[2]),
                                 p[3]), amount)
                out.set(x, y, washed)
    return out


TUBE_W, TUBE_H = 72, 124
TUBE_X, TUBE_Y = (WIDTH - TUBE_W) // 2, FLOOR_Y - TUBE_H + 2


def tube_back(level=1.0):
    """The tube's liquid and caps, drawn behind the fox; level 0 is drained."""
    c = Canvas(TUBE_W, TUBE_H)
    top, bottom = 14, TUBE_H - 16
    surface = bottom - int((bottom - top) * level)
    for y in range(top, bottom):
        for x in range(4, TUBE_W - 4):
            u = (x - 4) / float(TUBE_W - 9)
            if y >= surface:
                g = 0.35 + 0.4 * math.sin(math.pi * u)
                col = mix(P.GLOW_CYAN[1], P.GLOW_CYAN[3], g if bayer(x, y) < 0.8 else g - 0.15)
                if y == surface:
                    col = P.GLOW_CYAN[4]
            else:
                col = P.UI_DARK[1] if bayer(x, y) < 0.5 else P.METAL[0]
            c.set(x, y, col)
    _caps(c, top, bottom)
    return c


def _caps(c, top, bottom):
    pc = PartCanvas(TUBE_W, TUBE_H)
    pc.draw_group([poly(((1, 2), (TUBE_W - 2, 2), (TUBE_W - 2, top + 1), (1, top + 1)), P.METAL, fixed=3),
                   poly(((6, 0), (TUBE_W - 7, 0), (TUBE_W - 7, 3), (6, 3)), P.METAL, fixed=2)])
    pc.draw_group([poly(((0, bottom - 1), (TUBE_W - 1, bottom - 1), (TUBE_W - 1, TUBE_H - 1), (0, TUBE_H - 1)),
                        P.METAL, fixed=2),
                   poly(((3, bottom + 4), (TUBE_W - 4, bottom + 4), (TUBE_W - 4, bottom + 6), (3, bottom + 6)),
                        P.GLOW_CYAN, fixed=3)])
    c.blit(pc.canvas, 0, 0)


def tube_front(cracks=0, broken=False):
    """Glass highlights and frame drawn over the fox; `cracks` adds that many crack lines."""
    c = Canvas(TUBE_W, TUBE_H)
    top, bottom = 14, TUBE_H - 16
    if not broken:
        for y in range(top + 2, bottom - 2):
            c.set(9, y, P.GLOW_CYAN[5])
            if y % 3:
                c.set(10, y, P.GLOW_CYAN[4])
            if (y // 4) % 3 == 0:
                c.set(TUBE_W - 12, y, P.GLOW_CYAN[4])
        for y in range(top, bottom):
            c.set(3, y, P.OUTLINE)
            c.set(TUBE_W - 4, y, P.OUTLINE)
    rnd = random.Random(42)
    for k in range(cracks):
        x, y = rnd.randint(16, TUBE_W - 16), rnd.randint(top + 20, bottom - 20)
        angle = rnd.uniform(0, 2 * math.pi)
        for branch in range(3):
            a = angle + branch * 2.1
            px, py = float(x), float(y)
            for _ in range(rnd.randint(8, 16)):
                c.set(int(px), int(py), P.WHITE)
                px += math.cos(a)
                py += math.sin(a)
                a += rnd.uniform(-0.5, 0.5)
    if broken:
        # jagged stumps of glass left in the caps
        for x in range(4, TUBE_W - 4):
            h = 3 + int(5 * abs(math.sin(x * 1.7)))
            for y in range(top, top + h):
                c.set(x, y, P.GLOW_CYAN[4] if y < top + h - 1 else P.WHITE)
            h = 2 + int(6 * abs(math.sin(x * 2.3 + 1)))
            for y in range(bottom - h, bottom):
                c.set(x, y, P.GLOW_CYAN[4] if y > bottom - h else P.WHITE)
    _caps(c, top, bottom)
    return c


CORRIDOR_W = 640


def corridor():
    """A long corridor (repeating every CORRIDOR_W pixels) with doors and alarm lamps, for the chase."""
    c = Canvas(CORRIDOR_W, HEIGHT, P.METAL[0])
    _panel_wall(c, 0, CORRIDOR_W, 16, FLOOR_Y, 11)
    _pipes(c, 0, CORRIDOR_W)
    _floor(c, 0, CORRIDOR_W)
    for door_x in (60, 380):
        for y in range(70, FLOOR_Y):
            for x in range(door_x, door_x + 44):
                edge = x in (door_x, door_x + 43) or y == 70
                seam = x == door_x + 22
                col = P.OUTLINE if edge or seam else P.METAL[2] if y < 74 else P.METAL[1]
                if 90 <= y < 96 and not edge and not seam:
                    col = P.GLOW_CYAN[1]
                c.set(x, y, col)
    for lamp_x in range(20, CORRIDOR_W, 160):
        for y in range(18, 26):
            for x in range(lamp_x, lamp_x + 14):
                c.set(x, y, P.OUTLINE if y == 25 or x in (lamp_x, lamp_x + 13) else ALARM[1])
    return c


def lamp_positions():
    """Lamp centres along the corridor strip."""
    return [(x + 7, 24) for x in range(20, CORRIDOR_W, 160)]


def exit_door(open_amount):
    """The lab's outer door seen from inside: a bright rectangle of night sky framed in metal."""
    c = Canvas(72, 100)
    for y in range(100):
        for x in range(72):
            frame = x < 6 or x > 65 or y < 6
            c.set(x, y, P.METAL[2] if frame else P.OUTLINE)
    gap = int(30 * open_amount)
    for y in range(6, 100):
        for x in range(36 - gap, 36 + gap):
            c.set(x, y, P.SKY[2] if bayer(x, y) < 0.5 else P.SKY[3])
    for y in range(6, 100):
        for x in list(range(6, 36 - gap)) + list(range(36 + gap, 66)):
            c.set(x, y, P.METAL[1] if (x + y) % 9 else P.METAL[0])
    return c


def shard(size, seed):
    """A small tumbling piece of glass."""
    rnd = random.Random(seed)
    pc = PartCanvas(size * 2 + 2, size * 2 + 2)
    centre = (size + 1, size + 1)
    points = [(centre[0] + math.cos(a) * size * rnd.uniform(0.5, 1.0),
               centre[1] + math.sin(a) * size * rnd.uniform(0.5, 1.0)) for a in (0.3, 2.2, 4.1)]
    pc.draw_group([poly(points, P.GLOW_CYAN, fixed=4)], outline=False)
    return pc.canvas


def drone(i):
    """The lab's flying guard (the game's flying enemy), one of six wing beats."""
    return enemy.frame(i % 6)
