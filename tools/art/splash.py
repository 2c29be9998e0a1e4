"""Splash and title images: studio logo, copyright line, engine credit, loading text, title card."""

import math

from . import palette as P
from .canvas import Canvas, mix
from .font import draw_text, text_width


def _centred_text(c, y, text, color, scale, shadow=None):
    x = (c.w - text_width(text, scale)) // 2
    draw_text(c, x, y, text, color, scale, shadow=shadow)


def _gradient_text(c, y, text, ramp, scale, shadow):
    """Text lit from above: lighter top rows, darker bottom rows."""
    layer = Canvas(c.w, c.h)
    _centred_text(layer, y, text, P.WHITE, scale)
    h = 7 * scale
    for yy in range(y, y + h):
        t = (yy - y) / float(h)
        col = ramp[4] if t < 0.15 else ramp[3] if t < 0.5 else ramp[2] if t < 0.85 else ramp[1]
        for x in range(c.w):
            if layer.alpha(x, yy):
                layer.set(x, yy, col)
    shadow_layer = Canvas(c.w, c.h)
    for yy in range(c.h):
        for x in range(c.w):
            if layer.alpha(x, yy):
                shadow_layer.set(x + scale // 2, yy + scale // 2, shadow)
    c.blit(shadow_layer, 0, 0)
    c.blit(layer, 0, 0)


def studio_logo(w=512, h=256):
    """'TestLogo': an arch over a glowing well, with the studio name."""
    c = Canvas(w, h)
    cx, cy = w / 2.0, 118.0
    for y in range(h):
        for x in range(w):
            dx, dy = x + 0.5 - cx, y + 0.5 - cy
            d = math.hypot(dx, dy)
            # glow inside the arch
            if dy < 0 and d < 44:
                g = 1 - d / 44.0
                g = math.ceil(g * 4) / 4.0
                col = mix(P.GLOW_WARM[3], P.GLOW_WARM[5], g)
                c.set(x, y, (col[0], col[1], col[2], int(255 * min(1.0, g + 0.15))))
            # the arch: a thick stone ring, bevelled to the upper left
            if dy <= 2 and 46 <= d <= 60:
                t = (d - 46) / 14.0
                lit = (dx < 0) if t < 0.5 else (dy < -30)
                col = P.STONE[4] if (t < 0.25 and dx < 10) else P.STONE[3] if lit else P.STONE[2]
                if d < 47 or d > 59:
                    col = P.OUTLINE
                if abs(math.degrees(math.atan2(-dy, dx)) % 30) < 1.2 and 47 < d < 59:
                    col = P.STONE[1]
                c.set(x, y, col)
    # the well's rim
    for y in range(int(cy), int(cy) + 18):
        for x in range(int(cx) - 64, int(cx) + 65):
            ly = y - int(cy)
            edge = min(x - (int(cx) - 64), int(cx) + 64 - x, ly, 17 - ly)
            col = P.OUTLINE if edge == 0 else P.STONE[4] if ly == 1 else P.STONE[3] if ly < 8 else P.STONE[2]
            if edge > 0 and (x - int(cx)) % 16 == 0 and ly > 1:
                col = P.STONE[1]
            c.set(x, y, col)
    _gradient_text(c, 152, "ARCWELL", P.TIME, 8, P.OUTLINE)
    _centred_text(c, 222, "STUDIO", P.CREAM[2], 3, shadow=P.OUTLINE)
    return c


def copyright_line(w=512, h=32):
    """'awcopyright': the line under the studio logo."""
    c = Canvas(w, h)
    _centred_text(c, 9, "© 2026 THE KESTO TEAM", P.CREAM[2], 2, shadow=P.OUTLINE)
    return c


def engine_credit(w=512, h=160):
    """'FMOD': the second splash card, the game's own engine and sound layer, under a scarf-red waveform."""
    c = Canvas(w, h)
    bars = 23
    for i in range(bars):
        x0 = w // 2 - bars * 6 // 2 + i * 6
        amp = 6 + 22 * abs(math.sin(i * 0.55)) * (1 - abs(i - bars / 2.0) / (bars / 1.6))
        for y in range(int(40 - amp), int(40 + amp)):
            for x in range(x0, x0 + 4):
                col = P.SCARF[4] if y < 40 - amp + 2 else P.SCARF[3] if y < 40 else P.SCARF[2]
                c.set(x, y, col)
    c.outline(P.OUTLINE)
    _centred_text(c, 80, "POWERED BY", P.CREAM[2], 2, shadow=P.OUTLINE)
    _gradient_text(c, 104, "KESTO ENGINE", P.SCARF, 5, P.OUTLINE)
    return c


def loading(w=256, h=40):
    c = Canvas(w, h)
    _centred_text(c, 9, "LOADING...", P.CREAM[3], 3, shadow=P.OUTLINE)
    return c


def title_card(w=416, h=160):
    """The game's name for the main menu."""
    c = Canvas(w, h)
    _gradient_text(c, 20, "KESTO", P.FOX, 14, P.OUTLINE)
    c.outline(P.OUTLINE)
    _centred_text(c, 132, "A FOX, A SCARF, A LONG WAY DOWN", P.SCARF[3], 2, shadow=P.OUTLINE)
    return c
