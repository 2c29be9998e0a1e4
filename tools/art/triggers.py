"""Art for the scripted parts of a level: the dash-reset portal and its effects, the hazard spikes, the exit gate
and the tutorial prompts."""

import math
import random

from . import palette as P
from .canvas import Canvas, clamp, mix
from .effects import _glow_add
from .font import draw_text, text_width


def _banded(value, steps=5):
    """Stepped light, as the other glows are drawn."""
    return math.floor(clamp(value) * steps) / float(steps)


def portal(n=8, w=48, h=112):
    """A standing oval of cyan light with sparks running round it; loops."""
    frames = []
    cx, cy = w / 2.0, h / 2.0
    rx, ry = w / 2.0 - 6, h / 2.0 - 6
    for i in range(n):
        t = i / float(n)
        c = Canvas(w, h)
        for y in range(h):
            for x in range(w):
                dx = (x + 0.5 - cx) / rx
                dy = (y + 0.5 - cy) / ry
                d = math.hypot(dx, dy)
                # the rim: a bright band that breathes a little
                rim = max(0.0, 1.0 - abs(d - 1.0) / (0.16 + 0.03 * math.sin(t * 2 * math.pi)))
                # the inside: a faint veil, brighter towards the rim
                veil = 0.28 * d * d if d < 1.0 else 0.0
                g = _banded(max(rim, veil))
                if g <= 0:
                    continue
                col = P.GLOW_CYAN[5] if rim > 0.75 else P.GLOW_CYAN[4] if rim > 0.4 else P.GLOW_CYAN[3]
                _glow_add(c, x, y, col, g)
        # three sparks chase each other round the rim
        for k in range(3):
            a = 2 * math.pi * (t + k / 3.0)
            for trail in range(5):
                b = a - trail * 0.12
                x = int(cx + rx * math.cos(b))
                y = int(cy + ry * math.sin(b))
                m = 1.0 - trail / 5.0
                for dx, dy, s in ((0, 0, 1.0), (1, 0, 0.5), (-1, 0, 0.5), (0, 1, 0.5), (0, -1, 0.5)):
                    _glow_add(c, x + dx, y + dy, P.GLOW_CYAN[5], m * s)
        frames.append(c)
    return frames


def portal_burst(n=7, w=64, h=128):
    """Streaks flung both ways along the sheet's vertical axis from a flash at its centre; plays once. The game turns
    it to the way the player crossed the portal."""
    rnd = random.Random(71)
    streaks = [(rnd.uniform(-20, 20), rnd.choice((-1, 1)), rnd.uniform(0.6, 1.0)) for _ in range(14)]
    frames = []
    for i in range(n):
        t = (i + 1) / float(n)
        c = Canvas(w, h)
        # the flash at the centre fades first
        flash = max(0.0, 1.0 - 1.8 * t)
        for y in range(h):
            for x in range(w):
                d = math.hypot((x + 0.5 - w / 2.0) / 16.0, (y + 0.5 - h / 2.0) / 34.0)
                if d < 1.0:
                    _glow_add(c, x, y, P.GLOW_CYAN[5], _banded(min(1.0, 1.6 * (1.0 - d)) * flash))
        for sx, direction, speed in streaks:
            head = h / 2.0 + direction * (h / 2.0 - 4) * min(1.0, t * speed * 1.4)
            length = 26 * (1.0 - t) + 6
            fade = 1.0 - t * 0.7
            x = int(w / 2.0 + sx * (0.4 + 0.6 * t))
            for k in range(int(length)):
                y = int(head - direction * k)
                glow = fade * (1.0 - k / length)
                _glow_add(c, x, y, P.GLOW_CYAN[5], glow)
                _glow_add(c, x + 1, y, P.GLOW_CYAN[4], glow * 0.7)
        frames.append(c)
    return frames


def portal_pass(n=7, w=96, h=160):
    """A ring of light widening out from the portal and fading; plays once."""
    frames = []
    cx, cy = w / 2.0, h / 2.0
    for i in range(n):
        t = (i + 1) / float(n)
        c = Canvas(w, h)
        rx, ry = 14 + (w / 2.0 - 16) * t, 30 + (h / 2.0 - 32) * t
        thickness = 0.3 * (1.0 - t) + 0.08
        for y in range(h):
            for x in range(w):
                d = math.hypot((x + 0.5 - cx) / rx, (y + 0.5 - cy) / ry)
                ring = max(0.0, 1.0 - abs(d - 1.0) / thickness)
                g = _banded(min(1.0, 1.5 * ring) * (1.0 - t * 0.75))
                if g > 0:
                    _glow_add(c, x, y, P.GLOW_CYAN[5] if ring > 0.6 else P.GLOW_CYAN[4], g)
        frames.append(c)
    return frames


def spikes(w=32, h=24):
    """A row of metal spikes on a dark bar; wraps horizontally."""
    c = Canvas(w, h)
    base = 6
    for y in range(h - base, h):
        for x in range(w):
            col = P.METAL[0] if y == h - 1 else P.METAL[1] if y > h - base + 1 else P.METAL[2]
            c.set(x, y, col)
    for k in range(2):
        left = k * (w // 2)
        tip = left + w // 4
        for y in range(h - base):
            half = (w // 4 - 1) * (y + 1) / float(h - base)
            for x in range(int(tip - half), int(tip + half) + 1):
                # lit from the upper left: the left face bright, the right face dark
                col = P.METAL[4] if x < tip - 1 else P.METAL[3] if x < tip + 1 else P.METAL[2]
                c.set(x, y, col)
            c.set(int(tip - half) - 1, y, P.OUTLINE)
            c.set(int(tip + half) + 1, y, P.OUTLINE)
        c.set(tip, 0, P.WHITE)
    return c


def exit_gate(w=64, h=96):
    """A stone arch with warm light inside and a chevron pointing onwards."""
    c = Canvas(w, h)
    cx = w / 2.0
    inner_w, top = 20.0, 30.0
    for y in range(h):
        for x in range(w):
            dx = x + 0.5 - cx
            # the arch: a rectangle with a round top
            arch_y = top - math.sqrt(max(0.0, inner_w * inner_w - dx * dx)) if abs(dx) < inner_w else None
            outer = abs(dx) < inner_w + 8 and (y > top or math.hypot(dx, y + 0.5 - top) < inner_w + 8)
            inner = arch_y is not None and y + 0.5 > arch_y and y < h - 4
            if inner:
                # warm light, brightest at the bottom of the doorway
                g = clamp(0.35 + 0.65 * (y / float(h)))
                c.set(x, y, mix(P.GLOW_WARM[2], P.GLOW_WARM[4], g))
            elif outer:
                # stone blocks, lit from the upper left
                course = (y // 8 + (0 if dx < 0 else 1)) % 2
                edge = abs(abs(dx) - inner_w) < 1.5 or abs(abs(dx) - inner_w - 8) < 1.0
                col = P.STONE[4] if dx < 0 else P.STONE[2]
                if course and (y % 8 == 0):
                    col = P.STONE[1]
                if edge:
                    col = P.OUTLINE
                c.set(x, y, col)
    for y in range(h - 4, h):
        for x in range(int(cx - inner_w - 8), int(cx + inner_w + 8)):
            c.set(x, y, P.STONE[1] if y < h - 1 else P.OUTLINE)
    # the chevron
    for k in range(9):
        for t in range(3):
            c.set(int(cx - 4 + k * 0.6) + t, int(h * 0.55) - 8 + k, P.WHITE)
            c.set(int(cx - 4 + k * 0.6) + t, int(h * 0.55) + 8 - k, P.WHITE)
    return c


def _key(canvas, x, y, label, w=None, h=15):
    """A key cap with its label, its top-left at (x, y); returns its width."""
    w = w or max(15, text_width(label) + 8)
    for yy in range(h):
        for xx in range(w):
            corner = (xx in (0, w - 1)) and (yy in (0, h - 1))
            if corner:
                continue
            edge = xx in (0, w - 1) or yy in (0, h - 1)
            col = P.OUTLINE if edge else P.CREAM[3] if yy < h - 4 else P.CREAM[1]
            canvas.set(x + xx, y + yy, col)
    draw_text(canvas, x + (w - text_width(label)) // 2, y + 3, label, P.UI_DARK[1])
    return w


def _mouse(canvas, x, y, button):
    """A mouse with its left (0) or right (1) button lit; 11 x 15 pixels."""
    w, h = 11, 15
    for yy in range(h):
        for xx in range(w):
            round_corner = (yy < 2 or yy > h - 3) and (xx < 2 or xx > w - 3)
            if round_corner:
                continue
            edge = xx in (0, w - 1) or yy in (0, h - 1)
            col = P.OUTLINE if edge else P.CREAM[2]
            if not edge and yy < 6:
                lit = (xx < w // 2) if button == 0 else (xx > w // 2)
                col = P.TIME[3] if lit else P.CREAM[2]
            if xx == w // 2 and yy < 6:
                col = P.OUTLINE
            if yy == 6 and not edge:
                col = P.CREAM[1]
            canvas.set(x + xx, y + yy, col)


def _panel(w, h):
    c = Canvas(w, h)
    for y in range(h):
        for x in range(w):
            corner = min(x, w - 1 - x) + min(y, h - 1 - y) < 2
            if corner:
                continue
            edge = min(x, y, w - 1 - x, h - 1 - y)
            col = P.OUTLINE if edge == 0 else P.SCARF[2] if edge == 1 else P.UI_DARK[2] if y < h / 2 else P.UI_DARK[1]
            c.set(x, y, (col[0], col[1], col[2], 235 if edge > 1 else 255))
    return c


def tutorial_prompt(keys, mouse, word, w=96, h=44):
    """A panel with the keys (and mouse button, 0 left or 1 right) that perform an action, and its name."""
    c = _panel(w, h)
    widths = [max(15, text_width(k) + 8) for k in keys]
    total = sum(widths) + 3 * (len(keys) - 1) + (15 if mouse is not None else 0)
    x = (w - total) // 2
    for k, kw in zip(keys, widths):
        _key(c, x, 6, k, kw)
        x += kw + 3
    if mouse is not None:
        draw_text(c, x - 1, 10, "/", P.CREAM[2])
        _mouse(c, x + 5, 6, mouse)
    draw_text(c, (w - text_width(word)) // 2, h - 14, word, P.WHITE, shadow=P.OUTLINE)
    return c
