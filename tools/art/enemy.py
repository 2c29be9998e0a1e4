"""The flying enemy: a violet bat-wisp with one glowing eye, seen from the front."""

import math

from . import palette as P
from .canvas import Canvas
from .shapes import PartCanvas, capsule, circle, ellipse, poly

CELL = 64


def _wing(cx, cy, side, flap):
    """Membrane polygon for one wing; flap in -1 (down) .. 1 (up)."""
    lift = -13 * flap
    pts = [(7, -5), (13, -9 + lift * 0.55), (20, -10 + lift * 0.85), (27, -5 + lift),
           (23, 2 + lift * 0.75), (19, -1 + lift * 0.6), (15, 5 + lift * 0.4), (11, 2 + lift * 0.2), (7, 5)]
    return [(cx + side * x, cy + y) for x, y in pts]


def _wing_prims(cx, cy, side, flap, bias):
    pts = _wing(cx, cy, side, flap)
    prims = [poly(pts, P.ENEMY, fixed=2 + bias)]
    # finger bones from the shoulder to the outer points
    for k in (1, 2, 3, 4):
        prims.append(capsule(pts[0], pts[k], 0.7, 0.5, P.ENEMY, fixed=1, clip=True))
    return prims


def frame(i, n=6, flap=None, shake=0.0, eye=None):
    """One cell; flap (-1 down .. 1 up) and eye (openness) default to the idle cycle, shake jitters the body."""
    t = i / float(n) * 2 * math.pi
    flap = math.cos(t) if flap is None else flap
    bob = -1.5 * math.sin(t + 0.8)
    cx, cy = 32.0 + shake * (1 if i % 2 else -1), 30.0 + bob
    pc = PartCanvas(CELL, CELL)
    # wispy tail below the body
    tail = []
    for k in range(5):
        sway = math.sin(t + k * 0.9) * (k * 0.6)
        tail.append(circle((cx + sway, cy + 8 + k * 3.2), 4.2 - k * 0.75, P.ENEMY, bias=-1, highlight=False))
    pc.draw_group(tail)
    pc.draw_group(_wing_prims(cx, cy, -1, flap, 0))
    pc.draw_group(_wing_prims(cx, cy, 1, flap, 0))
    body = [
        ellipse((cx, cy), 9.5, 8.8, 0, P.ENEMY),
        # horns
        poly(((cx - 7, cy - 5), (cx - 4, cy - 7.5), (cx - 8.5, cy - 13)), P.ENEMY, fixed=1),
        poly(((cx + 7, cy - 5), (cx + 4, cy - 7.5), (cx + 8.5, cy - 13)), P.ENEMY, fixed=1),
    ]
    pc.draw_group(body)
    eye_open = (1.0 if i != 4 else 0.35) if eye is None else eye
    pc.draw_group([
        ellipse((cx + 0.5, cy - 0.5), 4.6, 4.2 * eye_open + 0.3, 0, P.ENEMY_EYE, fixed=3),
        ellipse((cx + 0.5, cy - 0.5), 3.0, 2.6 * eye_open + 0.2, 0, P.ENEMY_EYE, fixed=2, clip=True),
    ])
    if eye_open > 0.5:
        pc.dot(cx + 1, cy - 1, P.OUTLINE)
        pc.dot(cx + 1, cy, P.OUTLINE)
        pc.dot(cx - 2, cy - 3, P.ENEMY_EYE[4])
    # fangs
    pc.dot(cx - 2, cy + 6, P.WHITE)
    pc.dot(cx + 2, cy + 6, P.WHITE)
    pc.dot(cx - 2, cy + 7, P.CREAM[1])
    pc.dot(cx + 2, cy + 7, P.CREAM[1])
    return pc.canvas


def idle():
    return [frame(i) for i in range(6)]


def windup(n=6):
    """Wings drawn up, eye narrowed to a slit, body trembling: about to lunge."""
    return [frame(i, n, flap=0.75 + 0.25 * (i / (n - 1.0)), shake=1.0, eye=0.5) for i in range(n)]


def attack(n=4):
    """Wings swept down and back, eye wide: the lunge."""
    return [frame(i, n, flap=-0.9 + 0.15 * (i % 2), eye=1.0) for i in range(n)]


def defeat(n=6):
    """The wisp bursts into violet sparks and fades."""
    cells = []
    for i in range(n):
        t = i / (n - 1.0)
        body = frame(0, flap=-0.4 + t, eye=max(0.0, 0.6 - t))
        c = Canvas(CELL, CELL)
        c.blit(body, 0, 0, opacity=max(0.0, 1.0 - t * 1.1))
        for k in range(10):
            angle = k / 10.0 * 2 * math.pi + 0.4
            r = 6 + 22 * t
            x = int(32 + math.cos(angle) * r)
            y = int(30 + math.sin(angle) * r * 0.8)
            col = P.ENEMY[4] if k % 2 else P.ENEMY_EYE[3]
            for dx, dy in ((0, 0), (1, 0), (0, 1), (1, 1)):
                c.blend(x + dx, y + dy, col, opacity=1.0 - t * 0.6)
        cells.append(c)
    return cells
