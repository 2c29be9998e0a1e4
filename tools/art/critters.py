"""Background wildlife: the small dark bird that flocks across the sky."""

import math

from . import palette as P
from .shapes import PartCanvas, capsule, ellipse, poly

CELL = 32


def _bird(i, n):
    """One flap cell, flying right: a slim body, a beak and two swept wings."""
    t = i / float(n) * 2 * math.pi
    lift = 9.0 * math.cos(t)
    cx, cy = 16.0, 17.0
    pc = PartCanvas(CELL, CELL)
    far_wing = [(cx - 1, cy - 1), (cx - 6, cy - 3 - lift * 0.8), (cx - 11, cy - 2 - lift), (cx - 4, cy + 1)]
    pc.draw_group([poly(far_wing, P.UI_DARK, fixed=2)])
    pc.draw_group([ellipse((cx, cy), 7.0, 2.6, 0, P.UI_DARK),
                   capsule((cx - 6, cy), (cx - 11, cy + 1.5), 1.6, 0.8, P.UI_DARK, fixed=1),
                   poly([(cx + 6, cy - 1), (cx + 10, cy + 0.5), (cx + 6, cy + 1.5)], P.TIME, fixed=2)])
    near_wing = [(cx + 1, cy - 1), (cx - 3, cy - 4 - lift), (cx - 9, cy - 3 - lift * 1.1), (cx - 2, cy + 1)]
    pc.draw_group([poly(near_wing, P.UI_DARK, fixed=3)])
    pc.dot(cx + 4, cy - 1, P.CREAM[3])
    return pc.canvas


def bird(n=6):
    return [_bird(i, n) for i in range(n)]
