"""Images for the Spine skeletons: a hanging lab lamp on a chain and a lab banner.

Every part is drawn upright at its native pixel size in the shared palette, lit from
the upper left; the skeletons place them at three skeleton units per pixel.
"""

import math

from . import palette as P
from .canvas import Canvas, bayer, mix
from .environment import glow
from .shapes import PartCanvas, capsule, circle, ellipse, poly


def _clear_ellipse(canvas, cx, cy, rx, ry):
    for y in range(canvas.h):
        for x in range(canvas.w):
            dx, dy = (x + 0.5 - cx) / rx, (y + 0.5 - cy) / ry
            if dx * dx + dy * dy <= 1.0:
                canvas.set(x, y, (0, 0, 0, 0))


def lamp_mount(w=18, h=8):
    """Ceiling plate with a ring for the chain."""
    pc = PartCanvas(w, h)
    pc.draw_group([poly(((1, 0), (17, 0), (15, 3.5), (3, 3.5)), P.METAL, fixed=2),
                   poly(((1, 0), (17, 0), (16.5, 1.2), (1.5, 1.2)), P.METAL, fixed=3, clip=True)])
    pc.draw_group([ellipse((9, 5.3), 2.6, 2.3, 0, P.METAL)])
    _clear_ellipse(pc.canvas, 9, 5.4, 1.0, 0.9)
    return pc.canvas


def chain_link(w=6, h=12):
    """An oval link seen face on."""
    pc = PartCanvas(w, h)
    pc.draw_group([ellipse((w / 2.0, h / 2.0), w / 2.0 - 0.6, h / 2.0 - 0.6, 0, P.METAL)])
    _clear_ellipse(pc.canvas, w / 2.0, h / 2.0, 0.9, h / 2.0 - 2.6)
    return pc.canvas


def chain_link_side(w=4, h=12):
    """The next link, turned edge on."""
    pc = PartCanvas(w, h)
    pc.draw_group([capsule((w / 2.0, 1.6), (w / 2.0, h - 1.6), 1.1, 1.1, P.METAL)])
    return pc.canvas


def lamp_shade(w=30, h=21):
    """A metal dome shade with the bulb showing under its rim."""
    pc = PartCanvas(w, h)
    cx = w / 2.0
    pc.draw_group([ellipse((cx, 17.2), 4.2, 3.4, 0, P.GLOW_WARM, fixed=4)])
    pc.draw_group([capsule((cx, 1.6), (cx, 4.0), 1.8, 1.8, P.METAL)])
    pc.draw_group([poly(((cx - 5, 4), (cx + 5, 4), (cx + 12.5, 13.5), (cx - 12.5, 13.5)), P.METAL, fixed=2),
                   poly(((cx - 5, 4), (cx - 2, 4), (cx - 8, 13.5), (cx - 12.5, 13.5)), P.METAL, fixed=3, clip=True),
                   poly(((cx + 3.5, 4), (cx + 5, 4), (cx + 12.5, 13.5), (cx + 8.5, 13.5)), P.METAL, fixed=1,
                        clip=True),
                   poly(((cx - 14, 13.5), (cx + 14, 13.5), (cx + 14, 15.5), (cx - 14, 15.5)), P.METAL, fixed=1)])
    c = pc.canvas
    for x in range(int(cx) - 2, int(cx) + 2):
        c.set(x, 18, P.GLOW_WARM[5])
    for x in range(int(cx - 12), int(cx + 12)):
        if bayer(x, 14) < 0.5:
            c.set(x, 14, P.METAL[3])
    return c


def lamp_glow(size=64):
    """Additive halo around the bulb."""
    return glow(size)


def lamp_beam(w=40, h=56):
    """Additive cone of light falling from the shade; fades with distance and towards its edges."""
    c = Canvas(w, h)
    cx = w / 2.0
    for y in range(h):
        t = (y + 0.5) / h
        half = 6 + (w / 2.0 - 7) * t
        fall = (1 - t) ** 1.6
        for x in range(w):
            edge = abs(x + 0.5 - cx) / half
            if edge >= 1:
                continue
            g = fall * (1 - edge ** 2) * 0.8
            g = math.floor(g * 10 + bayer(x, y)) / 10.0
            if g <= 0:
                continue
            col = mix(P.GLOW_WARM[3], P.GLOW_WARM[4], 1 - t)
            c.set(x, y, (int(col[0] * g), int(col[1] * g), int(col[2] * g), int(255 * g)))
    return c


def banner_pole(w=64, h=7):
    """A wooden rod with metal knobs, seen from the front."""
    pc = PartCanvas(w, h)
    pc.draw_group([capsule((4, 3.5), (w - 4, 3.5), 1.8, 1.8, P.WOOD)])
    pc.draw_group([circle((3.2, 3.5), 2.8, P.METAL), circle((w - 3.2, 3.5), 2.8, P.METAL)])
    return pc.canvas


def _hourglass(pc, cx, cy):
    """The lab's emblem: an hourglass in a ring."""
    pc.draw_group([circle((cx, cy), 9.6, P.TIME, fixed=2), circle((cx, cy), 8.4, P.SCARF, fixed=1, clip=True)])
    pc.draw_group([poly(((cx - 5, cy - 6.5), (cx + 5, cy - 6.5), (cx + 5, cy - 5.2), (cx - 5, cy - 5.2)), P.WOOD,
                        fixed=4),
                   poly(((cx - 5, cy + 5.2), (cx + 5, cy + 5.2), (cx + 5, cy + 6.5), (cx - 5, cy + 6.5)), P.WOOD,
                        fixed=4),
                   poly(((cx - 3.8, cy - 5.2), (cx + 3.8, cy - 5.2), (cx + 0.7, cy), (cx + 3.8, cy + 5.2),
                         (cx - 3.8, cy + 5.2), (cx - 0.7, cy)), P.CREAM, fixed=3)])
    pc.draw_group([poly(((cx - 2.2, cy - 3), (cx + 2.2, cy - 3), (cx, cy - 0.5)), P.TIME, fixed=3),
                   poly(((cx - 3, cy + 5.2), (cx + 3, cy + 5.2), (cx, cy + 2.5)), P.TIME, fixed=3)], outline=False)


def banner_cloth(w=40, h=72):
    """Teal cloth with a swallowtail hem, a border and the lab's emblem; folds run down its length."""
    pc = PartCanvas(w, h)
    notch = 10
    # One pixel in from the edges, so the outline fits.
    outline = ((1, 0), (w - 1, 0), (w - 1, h - 1), (w / 2.0, h - 1 - notch), (1, h - 1))
    pc.draw_group([poly(outline, P.SCARF, fixed=2)])
    c = pc.canvas
    for y in range(h):
        for x in range(w):
            if c.get(x, y) != P.SCARF[2]:
                continue
            # Soft vertical folds: lit on their left, in shade on their right.
            fold = math.sin((x + 0.5) / w * 2 * math.pi * 2 + 0.6)
            if fold > 0.55 and bayer(x, y) < (fold - 0.55) * 2.2:
                c.set(x, y, P.SCARF[3])
            elif fold < -0.6 and bayer(x, y) < (-fold - 0.6) * 2.5:
                c.set(x, y, P.SCARF[1])
            # A woven border two pixels in, and a dark hem where it wraps the rod.
            inset = min(x, w - 1 - x) - 1
            if y < 4:
                c.set(x, y, P.SCARF[1] if y < 3 else P.SCARF[0])
            elif inset in (2, 3):
                c.set(x, y, P.TIME[3] if inset == 2 else P.TIME[2])
    for y in range(h - notch - 3, h):
        for x in range(w):
            d = abs(x + 0.5 - w / 2.0)
            edge = (y - (h - notch)) + d * notch / (w / 2.0)
            if 0 < d and abs(edge - 3.5) < 1 and c.get(x, y)[3] and c.get(x, y) != P.OUTLINE:
                c.set(x, y, P.TIME[3] if edge > 3.5 else P.TIME[2])
    _hourglass(pc, w / 2.0, 30)
    return c
