"""Menu art: buttons in three looks, check boxes, slider parts, panels, labels, control prompts and the credits.

Everything is drawn for 2 screen pixels per art pixel at 1080 lines, which is how the menu levels size them
(an image w x h pixels is placed with a scale of w / 270 by h / 270 screen units).
"""

from . import palette as P
from .canvas import Canvas
from .font import draw_text, text_width

BUTTON_W, BUTTON_H = 128, 26


def _text(c, x, y, text, color, scale=1, shadow=P.OUTLINE):
    draw_text(c, x, y, text, color, scale, shadow=shadow)


def _centred(c, y, text, color, scale=1, shadow=P.OUTLINE, dx=0):
    _text(c, (c.w - text_width(text, scale)) // 2 + dx, y, text, color, scale, shadow)


def _frame(c, x0, y0, w, h, body, top, bottom, outline=P.OUTLINE):
    """A rounded bevelled box: outline, a lit top edge, a shaded bottom edge and a body colour."""
    for y in range(y0, y0 + h):
        for x in range(x0, x0 + w):
            lx, ly = x - x0, y - y0
            edge = min(lx, ly, w - 1 - lx, h - 1 - ly)
            if min(lx, w - 1 - lx) == 0 and min(ly, h - 1 - ly) == 0:
                continue  # the corners are cut
            if edge == 0:
                col = outline
            elif ly == 1:
                col = top
            elif ly >= h - 3:
                col = bottom
            else:
                col = body
            c.set(x, y, col)


# Button looks: body, lit edge, shaded edge, text colour, text drop (pressed text sits lower).
_LOOKS = {
    "default": (P.UI_DARK[2], P.UI_DARK[4], P.UI_DARK[1], P.CREAM[2], 0),
    "hover": (P.SCARF[1], P.SCARF[3], P.SCARF[0], P.WHITE, 0),
    "pressed": (P.SCARF[0], P.SCARF[0], P.SCARF[1], P.SCARF[3], 1),
}


def button(label, look):
    """A menu button with its label at twice the font size; `look` is "default", "hover" or "pressed"."""
    body, top, bottom, ink, drop = _LOOKS[look]
    c = Canvas(BUTTON_W, BUTTON_H)
    _frame(c, 0, drop, BUTTON_W, BUTTON_H - drop, body, top, bottom)
    if look == "hover":
        # marker chevrons either side of the label
        for i in range(4):
            for x, y in ((6 + i, 9 + i), (6 + i, 16 - i), (BUTTON_W - 7 - i, 9 + i), (BUTTON_W - 7 - i, 16 - i)):
                c.set(x, y, P.TIME[3])
    _centred(c, 5 + drop, label, ink, 2)
    return c


def check_box(checked, hovered, size=18):
    """A box that is ticked when checked; hovering lights its frame."""
    c = Canvas(size, size)
    rim = P.SCARF[3] if hovered else P.METAL[2]
    _frame(c, 0, 0, size, size, P.UI_DARK[0], rim, rim)
    for i in range(1, size - 1):
        c.set(1, i, rim)
        c.set(size - 2, i, rim)
    if checked:
        tick = [(4, 9), (5, 10), (6, 11), (7, 12), (8, 11), (9, 10), (10, 9), (11, 8), (12, 7), (13, 6)]
        for x, y in tick:
            for dy in (-1, 0):
                c.set(x, y + dy, P.SCARF[4] if dy < 0 else P.SCARF[3])
            c.set(x, y + 1, P.OUTLINE)
    return c


def slider_track(w=168, h=14):
    """The groove a knob runs along; the knob's travel is the middle 94% of the width."""
    c = Canvas(w, h)
    _frame(c, 0, 0, w, h, P.UI_DARK[0], P.UI_DARK[0], P.UI_DARK[3])
    for x in range(3, w - 3, 8):
        c.set(x, h - 4, P.UI_DARK[2])
    return c


def slider_fill(w=168, h=14):
    """The filled part left of the knob: uniform along x (it is stretched), inset into the groove's height."""
    c = Canvas(w, h)
    rows = {4: P.SCARF[4], 5: P.SCARF[3], 6: P.SCARF[3], 7: P.SCARF[2], 8: P.SCARF[2], 9: P.SCARF[1]}
    for y, col in rows.items():
        for x in range(w):
            c.set(x, y, col)
    return c


def slider_knob(w=10, h=22):
    c = Canvas(w, h)
    _frame(c, 0, 0, w, h, P.CREAM[2], P.CREAM[4], P.CREAM[0])
    for y in (8, 11, 14):
        for x in range(3, w - 3):
            c.set(x, y, P.CREAM[1])
    return c


def panel(w, h):
    """A dark, slightly see-through board behind a menu, framed like the time-slow meter."""
    c = Canvas(w, h)
    body = P.UI_DARK[1]
    for y in range(h):
        for x in range(w):
            edge = min(x, y, w - 1 - x, h - 1 - y)
            if min(x, w - 1 - x) < 2 and min(y, h - 1 - y) < 2 and min(x, w - 1 - x) + min(y, h - 1 - y) < 1:
                continue
            if edge == 0:
                col = P.OUTLINE
            elif edge == 1:
                col = P.UI_DARK[4] if y == 1 or x == 1 else P.UI_DARK[2]
            elif edge == 2:
                col = P.UI_DARK[3] if y == 2 or x == 2 else P.UI_DARK[1]
            else:
                col = body
            c.set(x, y, col)
    # a teal rule under the heading
    for x in range(12, w - 12):
        c.set(x, 30, P.SCARF[1])
        c.set(x, 31, P.SCARF[0])
    return c


def dim():
    """Darkens the game behind a pause menu; stretched over the whole screen."""
    return Canvas(4, 4, P.BLACK[:3] + (150,))


def label(text, scale=1, color=P.CREAM[2]):
    """Text on a transparent image just big enough for it and its shadow."""
    c = Canvas(text_width(text, scale) + scale + 2, 7 * scale + scale + 2)
    _text(c, 1, 1, text, color, scale)
    return c


def heading(text):
    return label(text, 2, P.TIME[3])


# Control prompts: key caps and pad buttons with the button text's size, separated by slashes.

PROMPT_H = 22


def _key_cap(text, fill, ink, w=None):
    w = w or max(PROMPT_H, text_width(text, 2) + 10)
    c = Canvas(w, PROMPT_H)
    _frame(c, 0, 0, w, PROMPT_H, fill[2], fill[4], fill[1])
    _centred(c, 4, text, ink, 2, shadow=None)
    return c


def _disc(inner):
    """A round pad control; `inner(x, y, d)` colours the inside and returns None to leave the base colour."""
    c = Canvas(PROMPT_H, PROMPT_H)
    m = (PROMPT_H - 1) / 2.0
    for y in range(PROMPT_H):
        for x in range(PROMPT_H):
            d = ((x - m) ** 2 + (y - m) ** 2) ** 0.5
            if d <= m + 0.3:
                c.set(x, y, P.OUTLINE if d > m - 0.9 else inner(x, y, d))
    return c


def _round_button(text, ramp):
    c = _disc(lambda x, y, d: ramp[3] if y < PROMPT_H // 2 - 2 else ramp[2])
    _centred(c, 4, text, P.WHITE, 2, shadow=None, dx=1)
    return c


def _stick():
    """A thumbstick seen from above."""
    def inner(x, y, d):
        if d <= 6.5:
            return P.OUTLINE if d > 5.6 else (P.METAL[3] if y < PROMPT_H // 2 else P.METAL[2])
        return P.METAL[1]
    return _disc(inner)


def _mouse(button):
    """A mouse seen from above with its left or right button lit ("none": neither)."""
    w, h = 16, PROMPT_H
    c = Canvas(w, h)
    for y in range(h):
        for x in range(w):
            edge = min(x, w - 1 - x, y, h - 1 - y)
            if min(x, w - 1 - x) + min(y, h - 1 - y) < 2:
                continue
            col = P.OUTLINE if edge == 0 else P.CREAM[2]
            if 0 < y < 9 and edge > 0:
                lit = (button == "left" and x < w // 2) or (button == "right" and x >= w // 2)
                col = P.TIME[3] if lit else P.CREAM[3]
            if x in (w // 2 - 1, w // 2) and 0 < y < 9:
                col = P.CREAM[1]
            if y == 9 and 0 < x < w - 1:
                col = P.CREAM[1]
            c.set(x, y, col)
    return c


def _arrow_key(direction):
    cap = _key_cap("", P.METAL, P.WHITE)
    for i in range(6):
        for j in range(-i, i + 1):
            x = 8 + i if direction == "left" else 13 - i
            cap.set(x, 10 + j, P.WHITE)
    return cap


def _caption(text):
    """Text sitting in a prompt row."""
    c = Canvas(text_width(text, 2) + 3, PROMPT_H)
    _text(c, 0, 4, text, P.CREAM[2], 2)
    return c


def _row(parts, gap=4):
    """Lays images out left to right, a slash between groups (None in the list)."""
    widths = [10 if p is None else p.w for p in parts]
    c = Canvas(sum(widths) + gap * (len(parts) - 1), PROMPT_H)
    x = 0
    for p, w in zip(parts, widths):
        if p is None:
            _text(c, x, 4, "/", P.CREAM[1], 2, shadow=None)
        else:
            c.blit(p, x, 0)
        x += w + gap
    return c


def _keys(*names):
    return [_key_cap(n, P.METAL, P.WHITE) for n in names]


def keyboard_prompts():
    """Name -> keyboard and mouse prompt for each action, matching the default key bindings."""
    return {
        "Move": _row(_keys("A", "D") + [None, _arrow_key("left"), _arrow_key("right")]),
        "Jump": _row(_keys("SPACE") + [None] + _keys("C")),
        "Dash": _row(_keys("X") + [None] + _keys("SHIFT") + [None, _mouse("left")]),
        "Aim": _row(_keys("W", "S") + [None, _mouse("none")]),
        "SlowTime": _row(_keys("Z") + [None] + _keys("CTRL") + [None, _mouse("right")]),
        "Pause": _row(_keys("ESC")),
    }


def pad_prompts():
    """Name -> gamepad prompt for each action."""
    shoulder = P.UI_DARK
    return {
        "Move": _row([_stick(), _caption("LS")]),
        "Jump": _row([_round_button("A", P.GRASS)]),
        "Dash": _row([_key_cap("RT", shoulder, P.WHITE)]),
        "Aim": _row([_stick(), _caption("LS")]),
        "SlowTime": _row([_key_cap("LT", shoulder, P.WHITE)]),
        "Pause": _row([_key_cap("START", shoulder, P.WHITE)]),
    }


def same_width(a, b):
    """Both images on canvases as wide as the wider one, each drawn from the left edge."""
    w = max(a.w, b.w)
    out = []
    for image in (a, b):
        c = Canvas(w, image.h)
        c.blit(image, 0, 0)
        out.append(c)
    return out


# The credits, section by section: a heading and its lines. The makers are the Kesto team; the libraries are those
# the game links, each with its licence.
CREDIT_SECTIONS = [
    ("MADE BY", ["THE KESTO TEAM"]),
    ("DESIGN AND LEVELS", ["THE KESTO TEAM"]),
    ("PROGRAMMING", ["THE KESTO TEAM"]),
    ("ART AND ANIMATION", ["THE KESTO TEAM", "DRAWN BY SCRIPT, PIXEL BY PIXEL"]),
    ("MUSIC AND SOUND", ["THE KESTO TEAM"]),
    ("CINEMATICS", ["THE KESTO TEAM"]),
    ("BUILT WITH", ["GLFW - ZLIB LICENSE", "LIBEPOXY - MIT LICENSE", "DEAR IMGUI - MIT LICENSE",
                    "RAPIDJSON - MIT LICENSE", "STB IMAGE - MIT LICENSE"]),
    ("AND WITH", ["FFMPEG - LGPL 2.1 OR LATER", "(GPL 2 OR LATER AS BUILT", "BY THE SYSTEM'S PACKAGES)",
                  "SDL2 - ZLIB LICENSE"]),
    ("TESTED WITH", ["GOOGLETEST - BSD 3-CLAUSE", "GOOGLE BENCHMARK - APACHE 2.0"]),
]

# Where the last line sits, from the top: the credits level's camera glide ends on it.
CREDITS_LAST_LINE = 2943


def credits(w=400, h=3140):
    """The credits as one tall column: the title, the sections spread evenly down the column, and the thanks on the
    row the credits level's camera glide ends on."""
    c = Canvas(w, h)
    _centred(c, 24, "KESTO", P.FOX[3], 6)
    _centred(c, 76, "A FOX, A SCARF, A LONG WAY DOWN", P.SCARF[3], 2)
    first, last = 420, CREDITS_LAST_LINE - 360
    step = (last - first) / float(len(CREDIT_SECTIONS) - 1)
    for i, (heading, lines) in enumerate(CREDIT_SECTIONS):
        y = int(first + i * step)
        _centred(c, y, heading, P.TIME[3], 2)
        for j, line in enumerate(lines):
            _centred(c, y + 28 + j * 20, line, P.CREAM[2], 2)
    _centred(c, CREDITS_LAST_LINE - 10, "THANK YOU FOR PLAYING", P.FOX[3], 3)
    return c
