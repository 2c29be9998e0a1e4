"""Interface art: window icon, cursor, dash compass, time-slow meter and timer digits."""

import math

from . import palette as P
from .canvas import Canvas
from .font import draw_text
from .shapes import PartCanvas, poly


def cursor(size=32):
    """Arrow pointer; its tip sits on the hot spot the window uses (17% and 6% of the size)."""
    tip = (int(0.17 * size), int(0.06 * size))
    c = Canvas(size, size)
    pts = [(0, 0), (0, 19), (4.5, 15), (8, 22.5), (11, 21), (7.6, 14), (13.5, 13.5)]
    shape = [(tip[0] + x * size / 32.0, tip[1] + y * size / 32.0) for x, y in pts]
    pc = PartCanvas(size, size)
    pc.draw_group([poly(shape, P.CREAM, fixed=3)])
    # teal inner stripe along the left edge, light from the upper left
    c = pc.canvas
    for y in range(size):
        for x in range(size):
            p = c.get(x, y)
            if p[:3] == P.CREAM[3][:3]:
                lx, ly = x - tip[0], y - tip[1]
                if ly > 4 and lx > 0 and lx < ly * 0.45 - 1:
                    c.set(x, y, P.SCARF[3])
                elif lx + ly > 22:
                    c.set(x, y, P.CREAM[2])
    c.set(tip[0], tip[1], P.OUTLINE)
    return c


def icon(rusk_frame, head_centre, size=64):
    """The fox's head on a round teal badge."""
    c = Canvas(size, size)
    r = size / 2.0 - 1
    for y in range(size):
        for x in range(size):
            d = math.hypot(x + 0.5 - size / 2.0, y + 0.5 - size / 2.0)
            if d <= r:
                lit = (x + y) < size * 0.8
                col = P.SCARF[1] if d > r - 3 else (P.SCARF[2] if lit else P.SCARF[1])
                if d > r - 1.2:
                    col = P.OUTLINE
                c.set(x, y, col)
    # head region of the idle frame, doubled
    hx, hy = int(head_centre[0]), int(head_centre[1])
    head = rusk_frame.crop(hx - 12, hy - 15, 26, 27).scaled(2)
    c.blit(head, size // 2 - head.w // 2 + 1, size // 2 - head.h // 2 + 3)
    # keep the badge round: clear anything outside the circle
    for y in range(size):
        for x in range(size):
            if math.hypot(x + 0.5 - size / 2.0, y + 0.5 - size / 2.0) > r:
                c.set(x, y, (0, 0, 0, 0))
    return c


def compass_arrow(size=32):
    """Chevron pointing along +x; the game rotates it to the aim."""
    pc = PartCanvas(size, size)
    m = size / 2.0
    pts = [(m + 10, m), (m - 6, m - 11), (m - 2, m), (m - 6, m + 11)]
    pc.draw_group([poly(pts, P.SCARF, fixed=3),
                   poly([(m + 10, m), (m - 6, m - 11), (m - 2, m)], P.SCARF, fixed=4, clip=True)])
    c = pc.canvas
    c.set(int(m + 7), int(m), P.WHITE)
    return c


def compass_meter(w=24, h=64):
    """A crescent bar, convex towards +x; the game crops it vertically by the meter value."""
    c = Canvas(w, h)
    cx, cy = -26.0, h / 2.0
    r_out, r_in = 47.0, 41.0
    for y in range(h):
        for x in range(w):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            if r_in - 1 <= d <= r_out + 1 and 2 <= y < h - 2:
                if d < r_in or d > r_out:
                    col = P.OUTLINE
                else:
                    t = (d - r_in) / (r_out - r_in)
                    col = P.TIME[4] if t < 0.3 else P.TIME[3] if t < 0.7 else P.TIME[2]
                c.set(x, y, col)
    # close the two ends
    for x in range(w):
        for y in (1, h - 2):
            if c.alpha(x, y + (1 if y == 1 else -1)):
                c.set(x, y, P.OUTLINE)
    return c


def time_bar_back(w=192, h=24):
    """Frame of the time-slow bar; the fill sits in the interior rectangle (4, 4)-(w-4, h-4)."""
    c = Canvas(w, h)
    for y in range(h):
        for x in range(w):
            corner = min(x, w - 1 - x) < 2 and min(y, h - 1 - y) < 2
            if corner and (min(x, w - 1 - x) + min(y, h - 1 - y)) < 1:
                continue
            edge = min(x, y, w - 1 - x, h - 1 - y)
            if edge == 0:
                col = P.OUTLINE
            elif edge == 1:
                col = P.UI_DARK[4] if (y == 1 or x == 1) else P.UI_DARK[2]
            elif edge in (2, 3):
                col = P.UI_DARK[3] if (y <= 3 or x <= 3) else P.UI_DARK[1]
            else:
                col = P.UI_DARK[1] if y > 6 else P.UI_DARK[0]
                if (x - 4) % 23 == 22:
                    col = P.UI_DARK[2]
            c.set(x, y, col)
    return c


def time_bar_fill(w=184, h=16):
    """Amber fill; uniform along x so any horizontal crop still looks whole."""
    c = Canvas(w, h)
    rows = [P.TIME[4], P.TIME[4], P.TIME[3], P.TIME[3], P.TIME[3], P.TIME[3], P.TIME[3], P.TIME[2],
            P.TIME[2], P.TIME[2], P.TIME[2], P.TIME[2], P.TIME[2], P.TIME[1], P.TIME[1], P.TIME[0]]
    for y in range(h):
        for x in range(w):
            col = rows[y * len(rows) // h]
            if y == 2 and x % 8 < 5:
                col = P.TIME[4]
            c.set(x, y, col)
    return c


def hourglass(size=24):
    pc = PartCanvas(size, size)
    m = size / 2.0
    pc.draw_group([poly([(m - 7, 3), (m + 7, 3), (m + 1, m), (m + 7, size - 3), (m - 7, size - 3), (m - 1, m)],
                        P.CREAM, fixed=3)])
    c = pc.canvas
    for y in range(int(m) + 2, size - 4):
        half = int((y - m) * 0.9)
        for x in range(int(m) - half, int(m) + half + 1):
            c.set(x, y, P.TIME[3] if x < m else P.TIME[2])
    for y in range(6, 9):
        for x in range(int(m) - 3 + (y - 6), int(m) + 3 - (y - 6) + 1):
            c.set(x, y, P.TIME[3])
    for x in range(int(m) - 8, int(m) + 9):
        c.set(x, 2, P.WOOD[4])
        c.set(x, size - 3, P.WOOD[2])
    return c


def timer_digits(cell_w=16, cell_h=24):
    """Cells 0-9 the digits, 10 a colon, 11 a full stop."""
    frames = []
    for ch in "0123456789:.":
        c = Canvas(cell_w, cell_h)
        draw_text(c, (cell_w - 10) // 2, (cell_h - 14) // 2, ch, P.WHITE, scale=2)
        c.outline(P.OUTLINE)
        frames.append(c)
    return frames
