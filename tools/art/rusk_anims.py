"""Pose sequences for every player sheet. Each function returns a list of Poses."""

import math

from .rusk import Pose, _joints
from .shapes import direction

GROUND = 60.2  # ankle centre height that puts the sole on the cell's last drawn row


def grounded(pose, lift=0.0):
    """Move the hip so the lowest ankle rests on the ground line (minus lift)."""
    pose.hip = (pose.hip[0], 40.0)
    j = _joints(pose)
    low = max(j["ankle_f"][1], j["ankle_b"][1])
    pose.hip = (pose.hip[0], 40.0 + (GROUND - low) - lift)
    return pose


def centred(pose, centre, along=5.0):
    """Place the hip so the middle of the torso sits at centre (for spinning poses)."""
    d = direction(pose.torso + pose.rot)
    pose.hip = (centre[0] - d[0] * along, centre[1] - d[1] * along)
    return pose


def idle():
    frames = []
    for i in range(8):
        t = i / 8.0 * 2 * math.pi
        breathe = math.sin(t)
        p = Pose(torso=90 - 2, head=88, look=-2,
                 thigh_f=-78, shin_f=-92, thigh_b=-100, shin_b=-90, foot_b=-5,
                 arm_f=-95 + 4 * breathe, fore_f=-45 + 4 * breathe,
                 arm_b=-75, fore_b=-40,
                 tail=215 + 5 * math.sin(t + 0.6), curl=-13 + 2 * math.cos(t),
                 scarf=195 + 4 * breathe, wave=t, scarf_len=0.9)
        p.torso_len = 10.0 + (0.6 if breathe > 0.3 else 0.0)
        p.ears = 14 if i == 5 else 0
        p.eye = "closed" if i == 6 else "open"
        frames.append(grounded(p))
    return frames


def idle2():
    """A one-off stretch and yawn, then a tail flick."""
    keys = [
        # arm_f, fore_f, arm_b, look, eye, mouth, tlen, tail, ears
        (-95, -45, -75, -2, "open", False, 10.0, 215, 0),
        (-50, -10, -40, 8, "open", False, 10.2, 220, -6),
        (0, 20, 10, 18, "closed", False, 10.8, 226, -10),
        (22, 32, 32, 24, "closed", True, 11.2, 230, -12),
        (26, 36, 36, 26, "closed", True, 11.4, 232, -12),
        (20, 30, 30, 22, "closed", True, 11.2, 228, -10),
        (-40, 0, -30, 10, "closed", False, 10.6, 222, -4),
        (-90, -40, -70, 0, "open", False, 10.0, 200, 0),
        (-95, -45, -75, -2, "open", False, 10.0, 240, 6),
        (-95, -45, -75, -2, "open", False, 10.0, 196, 0),
        (-95, -45, -75, -2, "closed", False, 10.0, 228, 0),
        (-95, -45, -75, -2, "open", False, 10.0, 215, 0),
    ]
    frames = []
    for i, (af, ff, ab, look, eye, mouth, tlen, tail, ears) in enumerate(keys):
        p = Pose(torso=88 + (look * 0.2), head=88 + look * 0.4, look=look,
                 thigh_f=-78, shin_f=-92, thigh_b=-100, shin_b=-90, foot_b=-5,
                 arm_f=af, fore_f=ff, arm_b=ab, fore_b=ab + 12,
                 tail=tail, curl=-13, scarf=195, wave=i * 0.8, scarf_len=0.9,
                 eye=eye, mouth=mouth, ears=ears)
        p.torso_len = tlen
        frames.append(grounded(p))
    return frames


RUN_LEG = [(-55, -75), (-62, -98), (-85, -115), (-115, -125),
           (-135, -165), (-115, -195), (-75, -150), (-50, -100)]
RUN_LIFT = [1.5, 0.0, 0.0, 0.0, 1.5, 0.0, 0.0, 0.0]


def run_pose(i):
    tf, sf = RUN_LEG[i % 8]
    tb, sb = RUN_LEG[(i + 4) % 8]
    t = i / 8.0 * 2 * math.pi
    p = Pose(torso=74, head=78, look=-6,
             thigh_f=tf, shin_f=sf, thigh_b=tb, shin_b=sb,
             foot_f=-10 if i % 8 in (3, 4) else 0, foot_b=-10 if (i + 4) % 8 in (3, 4) else 0,
             tail=192 + 5 * math.sin(2 * t), curl=-7,
             scarf=178 + 6 * math.sin(2 * t), wave=i * 1.6, scarf_len=1.15, ears=8)
    # arms swing against the legs of the same side
    p.arm_f = -90 + (tb + 85) * 1.3
    p.fore_f = p.arm_f + 95
    p.arm_b = -90 + (tf + 85) * 1.3
    p.fore_b = p.arm_b + 95
    grounded(p, RUN_LIFT[i % 8])
    p.hip = (p.hip[0] - 2, p.hip[1])
    return p


def run():
    return [run_pose(i) for i in range(8)]


def jump():
    frames = []
    # crouch on the ground
    p = Pose(torso=66, head=72, look=-10, thigh_f=-30, shin_f=-118, thigh_b=-50, shin_b=-135,
             arm_f=-150, fore_f=-110, arm_b=-160, fore_b=-120, tail=200, curl=-10, scarf=175, ears=6)
    frames.append(grounded(p))
    # push off: everything stretched
    p = Pose(torso=84, head=86, look=8, thigh_f=-88, shin_f=-100, thigh_b=-110, shin_b=-118,
             foot_f=-40, foot_b=-45, arm_f=35, fore_f=60, arm_b=150, fore_b=160,
             tail=235, curl=-8, scarf=228, wave=1.0, ears=16)
    p.torso_len = 11.0
    frames.append(grounded(p, 2))
    # rising, front knee up
    for k, (lift, wave) in enumerate(((6, 2.2), (7, 3.4))):
        p = Pose(torso=82, head=84, look=6, thigh_f=-25 - 4 * k, shin_f=-112, thigh_b=-118, shin_b=-150,
                 arm_f=25 - 8 * k, fore_f=50 - 8 * k, arm_b=-150, fore_b=-135,
                 tail=236 - 6 * k, curl=-9, scarf=222, wave=wave, ears=14)
        p.hip = (32, 46 - lift * 0.3)
        frames.append(p)
    # apex tuck
    p = Pose(torso=80, head=80, look=0, thigh_f=-15, shin_f=-120, thigh_b=-60, shin_b=-140,
             arm_f=0, fore_f=40, arm_b=-130, fore_b=-100, tail=222, curl=-12, scarf=205, wave=4.4, ears=8)
    p.hip = (32, 44)
    frames.append(p)
    return frames


def fall():
    frames = []
    for i in range(4):
        t = i / 4.0 * 2 * math.pi
        s = math.sin(t)
        p = Pose(torso=86, head=86, look=4 + 2 * s,
                 thigh_f=-55 + 8 * s, shin_f=-85 + 6 * s, thigh_b=-115 - 6 * s, shin_b=-160,
                 arm_f=-5 + 10 * s, fore_f=25 + 10 * s, arm_b=150 - 10 * s, fore_b=165,
                 tail=168 + 6 * s, curl=-10, scarf=158 + 8 * s, wave=t * 1.5, scarf_len=1.05,
                 ears=-14, eye="wide")
        p.hip = (32, 44)
        frames.append(p)
    return frames


def dash():
    frames = []
    specs = [
        # torso, streak, thighs, shins, arm, hip x
        (40, 0.25, (-40, -130), (-120, -165), (200, 150), 30),
        (14, 0.7, (178, 190), (172, 182), (196, 186), 27),
        (10, 1.0, (182, 192), (176, 186), (192, 184), 26),
        (12, 1.0, (180, 190), (174, 184), (194, 186), 26),
        (10, 0.9, (182, 192), (176, 186), (192, 184), 26),
    ]
    for i, (torso, streak, thighs, shins, arms, hx) in enumerate(specs):
        p = Pose(torso=torso, head=torso - 4, look=-4 if i else -10,
                 thigh_f=thighs[0], shin_f=thighs[1], thigh_b=shins[0], shin_b=shins[1],
                 foot_f=thighs[1] + 20, foot_b=shins[1] + 20,
                 arm_f=arms[0], fore_f=arms[1], arm_b=arms[0] + 8, fore_b=arms[1] + 6,
                 tail=182, curl=-1.5 if i else -6, tail_len=1.1,
                 scarf=182, wave=i * 2.1, scarf_len=1.3, ears=34, streak=streak, eye="open")
        p.hip = (hx, 35 if i else 38)
        frames.append(p)
    return frames


def hook_stumble():
    """RuskHookN001: loses footing and tips backwards into a fall."""
    frames = []
    for i in range(6):
        t = i / 5.0
        p = Pose(torso=90 + 25 * t, head=92 + 30 * t, look=10 + 25 * t, rot=0,
                 thigh_f=-70 + 60 * t, shin_f=-95 + 40 * t, thigh_b=-100 + 20 * t, shin_b=-100,
                 arm_f=-60 + 170 * t, fore_f=-20 + 140 * t, arm_b=-40 + 170 * t, fore_b=0 + 120 * t,
                 tail=215 - 40 * t, curl=-10, scarf=200 - 100 * t, wave=i * 1.3,
                 eye="wide" if i >= 1 else "open", mouth=i >= 2, ears=-12 * t)
        if i < 2:
            grounded(p)
        else:
            p.hip = (32 - 2 * t, 48 - 8 * t)
        frames.append(p)
    return frames


def hook_flail(i, n=4):
    t = i / float(n) * 2 * math.pi
    s = math.sin(t)
    c = math.cos(t)
    p = Pose(torso=100 + 6 * s, head=104 + 6 * s, look=30 + 8 * s,
             thigh_f=-40 + 25 * s, shin_f=-80 + 30 * c, thigh_b=-100 - 25 * s, shin_b=-130 - 20 * c,
             arm_f=-15 + 20 * s, fore_f=5 + 25 * c, arm_b=140 - 25 * s, fore_b=160 - 30 * c,
             tail=120 + 10 * s, curl=-6, scarf=125 + 10 * s, wave=t * 2, eye="wide", mouth=True, ears=-16)
    p.hip = (32, 40)
    return p


def hook_throw():
    """RuskHookN003: throws the grapple straight up; the rope pays out."""
    frames = []
    for i in range(6):
        t = i / 5.0
        p = hook_flail(i % 4)
        p.arm_f = 20 + 70 * min(1, t * 1.6)
        p.fore_f = p.arm_f + (30 - 30 * min(1, t * 1.6))
        p.mouth = i < 3
        p.eye = "wide" if i < 4 else "open"
        j = _joints(p)
        hand = j["hand_f"]
        if i >= 1:
            reach = min(1.0, (i - 0.5) / 3.5)
            p.hook = (hand[0] + 1, hand[1] - (hand[1] - 2) * reach)
        frames.append(p)
    return frames


def hang(i, n=6):
    """Hanging from the rope, the whole body swinging about the hand."""
    swing = 9 * math.sin(i / float(n) * 2 * math.pi)
    p = Pose(torso=90, head=62, look=-8, rot=swing, arm_len=1.55,
             thigh_f=-80, shin_f=-95 - 6 * math.sin(i / float(n) * 2 * math.pi), thigh_b=-100, shin_b=-110,
             foot_f=-30, foot_b=-40,
             arm_f=98, fore_f=94, arm_b=-70, fore_b=-50,
             tail=235, curl=-6, scarf=230 + swing, wave=i * 1.1, ears=-4, eye="open")
    # place the body so the gripping hand hangs under a fixed point near the top
    p.hip = (32, 30)
    j = _joints(p)
    hand = j["hand_f"]
    p.hip = (32 + (32 - hand[0]), 30 + (9 - hand[1]))
    p.hook = (32, 1)
    return p


def hook_snap():
    """RuskHookN005: the rope snaps and the slack end whips away."""
    frames = []
    for i in range(5):
        t = i / 4.0
        p = hang(0)
        p.eye = "wide"
        p.mouth = i >= 1
        p.arm_f = 92 - 30 * t
        p.fore_f = 90 + 20 * t
        p.arm_b = -70 + 160 * t
        p.fore_b = -50 + 170 * t
        p.ears = -18 * t
        p.scarf = 230 - 140 * t
        j = _joints(p)
        hand = j["hand_f"]
        p.hip = (p.hip[0], p.hip[1] + 8 * t * t)
        if i == 0:
            p.hook = (32, 1)
        else:
            j = _joints(p)
            hand = j["hand_f"]
            p.hook = (hand[0] + 4 * t, hand[1] - 14 * (1 - t) - 2)
        frames.append(p)
    return frames


def tumble(i, n=4):
    p = Pose(torso=90, head=70, look=-30, rot=-i * 360.0 / n,
             thigh_f=-10, shin_f=-130, thigh_b=-30, shin_b=-150,
             arm_f=-20, fore_f=30, arm_b=-40, fore_b=10,
             tail=250, curl=-16, scarf=200, wave=i * 1.6, eye="closed", ears=-6)
    return centred(p, (32, 32), 4.0)


def crash():
    """RuskHookN007: lands flat on the belly, bounces once, settles."""
    frames = []
    specs = [
        # rot, hip y, eye, squash
        (-70, 40, "wide", 10.0),
        (-88, 52, "closed", 8.0),
        (-84, 49, "closed", 9.5),
        (-90, 53, "dizzy", 9.0),
        (-90, 53, "dizzy", 9.5),
        (-90, 53, "dizzy", 10.0),
    ]
    for i, (rot, hy, eye, tlen) in enumerate(specs):
        p = Pose(torso=90, head=92, look=-10, rot=rot,
                 thigh_f=-80, shin_f=-60, thigh_b=-95, shin_b=-40,
                 arm_f=-10, fore_f=-10, arm_b=10, fore_b=0,
                 tail=200, curl=-8 + i, scarf=200, wave=i * 0.9, eye=eye, ears=10)
        p.torso_len = tlen
        p.hip = (20, hy)
        frames.append(p)
    return frames


def dazed(i, n=6):
    t = i / float(n) * 2 * math.pi
    p = Pose(torso=90, head=92 + 2 * math.sin(t), look=-10, rot=-90,
             thigh_f=-80, shin_f=-60, thigh_b=-95, shin_b=-40,
             arm_f=-10, fore_f=-10, arm_b=10, fore_b=0,
             tail=200 + 6 * math.sin(t), curl=-10, scarf=200, wave=t, eye="dizzy", ears=10)
    p.torso_len = 10.0
    p.hip = (20, 53)
    p.stars = t
    return p
