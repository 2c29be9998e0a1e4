"""Rusk, the player: a small fox runner with a teal scarf, built from a pose rig.

Angles are in degrees, counter-clockwise from +x with y up, so 90 is straight up
and -90 straight down. The character faces +x (right); the game mirrors it.
"""

import math

from . import palette as P
from .shapes import PartCanvas, add, capsule, circle, direction, ellipse, poly

CELL = 64

THIGH = 7.5
SHIN = 7.5
UPPER_ARM = 5.0
FOREARM = 4.5
TORSO = 10.0
NECK = 6.0


class Pose:
    def __init__(self, **kw):
        self.hip = (32.0, 48.0)
        self.rot = 0.0            # whole-body rotation about the hip
        self.torso = 90.0         # hip to neck
        self.torso_len = TORSO
        self.head = 90.0          # neck to head centre
        self.look = 0.0           # snout direction
        self.ears = 0.0           # extra backward sweep of the ears
        self.thigh_f, self.shin_f = -90.0, -90.0
        self.thigh_b, self.shin_b = -90.0, -90.0
        self.foot_f, self.foot_b = 0.0, 0.0
        self.arm_f, self.fore_f = -100.0, -80.0
        self.arm_b, self.fore_b = -80.0, -60.0
        self.tail = 215.0         # base direction of the tail
        self.curl = -13.0          # turn per tail segment
        self.tail_len = 1.0
        self.scarf = 190.0        # trailing direction of the scarf ends
        self.wave = 0.0           # scarf wave phase
        self.scarf_len = 1.0
        self.eye = "open"         # open, closed, wide, dizzy
        self.mouth = False
        self.streak = 0.0         # dash speed-line strength 0..1
        self.arm_len = 1.0        # arm length scale (long reaches)
        self.hook = None          # (hand, rope-end) extras drawn by the hook poses
        self.stars = None         # phase of dizzy stars
        for k, v in kw.items():
            if not hasattr(self, k):
                raise AttributeError(k)
            setattr(self, k, v)


def _joints(p):
    r = p.rot
    j = {"hip": p.hip}
    j["neck"] = add(p.hip, direction(p.torso + r), p.torso_len)
    j["head"] = add(j["neck"], direction(p.head + r), NECK)
    j["shoulder"] = add(j["neck"], direction(p.torso + r + 180), 2.5)
    for side in ("f", "b"):
        hip = add(p.hip, direction(p.torso + r + 90), 0.8 if side == "b" else -0.6)
        knee = add(hip, direction(getattr(p, "thigh_" + side) + r), THIGH)
        ankle = add(knee, direction(getattr(p, "shin_" + side) + r), SHIN)
        toe = add(ankle, direction(getattr(p, "foot_" + side) + r), 3.5)
        j["hip_" + side], j["knee_" + side], j["ankle_" + side], j["toe_" + side] = hip, knee, ankle, toe
        sh = add(j["shoulder"], direction(p.torso + r + 180 + (8 if side == "f" else -8)), 0.6)
        elbow = add(sh, direction(getattr(p, "arm_" + side) + r), UPPER_ARM * p.arm_len)
        hand = add(elbow, direction(getattr(p, "fore_" + side) + r), FOREARM * p.arm_len)
        j["sh_" + side], j["elbow_" + side], j["hand_" + side] = sh, elbow, hand
    return j


def _leg(j, side, bias):
    return [
        capsule(j["hip_" + side], j["knee_" + side], 3.0, 2.4, P.FOX, bias=bias),
        capsule(j["knee_" + side], j["ankle_" + side], 2.1, 1.7, P.BOOT, bias=bias),
        capsule(j["ankle_" + side], j["toe_" + side], 1.9, 1.6, P.BOOT, bias=bias),
    ]


def _arm(j, side, bias):
    return [
        capsule(j["sh_" + side], j["elbow_" + side], 2.1, 1.8, P.FOX, bias=bias),
        capsule(j["elbow_" + side], j["hand_" + side], 1.7, 1.5, P.BOOT, bias=bias + 1),
        circle(j["hand_" + side], 1.9, P.BOOT, bias=bias + 1),
    ]


def _tail(p, j):
    r = p.rot
    pos = add(j["hip"], direction(p.torso + r + 180 + 25), 2.5)
    ang = p.tail + r
    n = 9
    step = 2.2 * p.tail_len
    radii = [1.8, 2.5, 3.2, 3.7, 3.9, 3.9, 3.6, 3.0, 2.1]
    body, tip = [], []
    for i in range(n):
        pos = add(pos, direction(ang), step)
        ang += p.curl
        target = tip if i >= 7 else body
        target.append(circle(pos, radii[i], P.CREAM if i >= 7 else P.FOX, highlight=False))
    return body + tip


def _scarf(p, j):
    r = p.rot
    knot = add(j["neck"], direction(p.torso + r + 180 + 20), 1.5)
    prims = [capsule(add(j["neck"], direction(p.look + r + 180), 3.0),
                     add(j["neck"], direction(p.look + r), 3.5), 2.4, 2.4, P.SCARF)]
    for k, (amp, off) in enumerate(((1.6, 0.0), (1.2, 1.7))):
        pts = [knot]
        base = p.scarf + r - 12 * k
        n = 6
        for i in range(1, n + 1):
            d = direction(base)
            perp = (-d[1], d[0])
            w = math.sin(p.wave + i * 0.95 + off) * amp * (i / n) * 1.8
            pts.append((knot[0] + d[0] * i * 2.2 * p.scarf_len + perp[0] * w,
                        knot[1] + d[1] * i * 2.2 * p.scarf_len + perp[1] * w))
        for i in range(n):
            rad = 1.7 - 0.18 * i
            prims.append(capsule(pts[i], pts[i + 1], rad, max(0.9, rad - 0.18), P.SCARF, bias=-k))
    return prims


def _head(p, j):
    r = p.rot
    h = j["head"]
    look = p.look + r
    snout_c = add(add(h, direction(look), 6.0), direction(look - 90), 1.2)
    ear_base_f = add(h, direction(look + 95 + p.ears), 5.0)
    ear_base_b = add(h, direction(look + 125 + p.ears), 4.6)

    def ear(base, ang, size):
        tip = add(base, direction(ang), 7.5 * size)
        left = add(base, direction(ang + 90), 3.0 * size)
        right = add(base, direction(ang - 90), 3.0 * size)
        return tip, left, right

    back_ear = ear(ear_base_b, look + 112 + p.ears * 1.4, 0.95)
    front_ear = ear(ear_base_f, look + 88 + p.ears * 1.2, 1.0)
    back = [poly(back_ear, P.FOX, fixed=1),
            poly((add(back_ear[0], direction(look + 290), 1.5),
                  add(back_ear[1], direction(look), 0.8), back_ear[2]), P.BOOT, fixed=2, clip=True)]
    head = [
        circle(h, 7.0, P.FOX),
        ellipse(snout_c, 4.8, 3.0, look - 8, P.FOX),
        # cream muzzle and cheek, clipped to the head
        ellipse(add(snout_c, direction(look - 90), 1.6), 5.8, 2.4, look - 8, P.CREAM, clip=True),
        ellipse(add(h, direction(look - 60), 4.5), 3.6, 2.6, look + 30, P.CREAM, clip=True),
        poly(front_ear, P.FOX),
        poly((add(front_ear[0], direction(look + 270), 1.6),
              add(front_ear[1], direction(look - 10), 1.0),
              add(front_ear[2], direction(look + 180), 0.6)), P.BOOT, fixed=2, clip=True),
    ]
    nose = add(snout_c, direction(look), 4.6)
    eye = add(add(h, direction(look), 2.6), direction(look + 90), 1.3)
    return back, head, nose, eye


def _draw_eye(pc, p, eye):
    x, y = int(math.floor(eye[0])), int(math.floor(eye[1]))
    if p.eye == "closed":
        pc.dot(x - 1, y + 1, P.OUTLINE)
        pc.dot(x, y + 1, P.OUTLINE)
        pc.dot(x + 1, y + 1, P.OUTLINE)
    elif p.eye == "dizzy":
        for dx, dy in ((-1, -1), (1, -1), (0, 0), (-1, 1), (1, 1)):
            pc.dot(x + dx, y + dy, P.OUTLINE)
    elif p.eye == "wide":
        for dx in (0, 1):
            for dy in (-1, 0, 1):
                pc.dot(x + dx, y + dy, P.OUTLINE)
        pc.dot(x + 1, y - 1, P.WHITE)
        pc.dot(x - 1, y - 1, P.CREAM[3])
    else:
        pc.dot(x, y - 1, P.OUTLINE)
        pc.dot(x, y, P.OUTLINE)
        pc.dot(x + 1, y - 1, P.WHITE)
        pc.dot(x + 1, y, P.OUTLINE)


def render(p, size=CELL):
    pc = PartCanvas(size, size)
    j = _joints(p)
    r = p.rot
    if p.streak > 0:
        _streak(pc.canvas, p, j)
    # back to front
    pc.draw_group(_tail(p, j))
    pc.draw_group(_arm(j, "b", -1))
    pc.draw_group(_leg(j, "b", -1))
    back_ear, head, nose, eye = _head(p, j)
    pc.draw_group(back_ear)
    chest = add(j["hip"], direction(p.torso + r), p.torso_len * 0.55)
    body = [
        capsule(j["hip"], j["neck"], 4.8, 4.3, P.FOX),
        ellipse(add(chest, direction(p.torso + r - 90), 3.2), 5.0, 2.8, p.torso + r, P.CREAM, clip=True),
    ]
    pc.draw_group(body)
    pc.draw_group(head)
    pc.dot(nose[0], nose[1], P.OUTLINE)
    pc.dot(nose[0] - 1, nose[1], P.OUTLINE)
    if p.mouth:
        m = add(nose, direction(p.look + r - 150), 3.0)
        pc.dot(m[0], m[1], P.OUTLINE)
        pc.dot(m[0] - 1, m[1], P.FOX[0])
    _draw_eye(pc, p, eye)
    pc.draw_group(_scarf(p, j))
    pc.draw_group(_leg(j, "f", 0))
    if p.hook is not None:
        _hook(pc, p, j)
    pc.draw_group(_arm(j, "f", 0))
    if p.stars is not None:
        _stars(pc.canvas, p, j)
    return pc.canvas


def _streak(canvas, p, j):
    """Speed lines trailing the body during a dash (drawn behind everything)."""
    cx, cy = j["hip"]
    lines = ((-6, 1.0, 26), (-1, 0.8, 34), (4, 1.0, 28), (8, 0.6, 20), (-10, 0.5, 18))
    for dy, strength, length in lines:
        y = int(round(cy + dy))
        x_start = int(cx) - 4
        for i in range(int(length * p.streak)):
            t = i / max(1.0, length * p.streak)
            a = strength * (1 - t) * p.streak
            color = P.WHITE if dy in (-1, 4) else P.SCARF[3]
            if x_start - i >= 1:
                canvas.blend(x_start - i, y, color, min(1.0, a * 1.3))


def _hook(pc, p, j):
    hand = j["hand_f"]
    end = p.hook
    # rope from the hand to the anchor end, then the grapple head at the anchor
    n = int(max(abs(end[0] - hand[0]), abs(end[1] - hand[1]))) + 1
    for i in range(n + 1):
        t = i / n
        x = hand[0] + (end[0] - hand[0]) * t
        y = hand[1] + (end[1] - hand[1]) * t
        pc.dot(x, y, P.ROPE[2] if i % 3 else P.ROPE[1])
        pc.dot(x + 1, y, P.ROPE[0])
    ang = math.degrees(math.atan2(-(end[1] - hand[1]), end[0] - hand[0]))
    head = add(end, direction(ang), 1.5)
    prongs = []
    for off in (-55, 0, 55):
        tip = add(head, direction(ang + off), 4.5 if off else 3.5)
        prongs.append(capsule(head, tip, 1.2, 0.8, P.METAL))
    prongs.append(circle(head, 1.8, P.METAL))
    pc.draw_group(prongs)


def _stars(canvas, p, j):
    from .canvas import Canvas
    h = j["head"]
    layer = Canvas(canvas.w, canvas.h)
    for k in range(3):
        a = p.stars + k * 2 * math.pi / 3
        xi = int(h[0] + math.cos(a) * 9)
        yi = int(h[1] - 12 + math.sin(a) * 3)
        c = P.TIME[4] if math.sin(a) > 0 else P.TIME[3]
        for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
            layer.set(xi + dx, yi + dy, c)
        layer.set(xi, yi, P.WHITE)
    layer.outline(P.OUTLINE)
    canvas.blit(layer, 0, 0)
