"""The intro (20 s): a fox asleep in a lab's tube wakes, the alarm sounds, the glass breaks, guards give chase
down a corridor, and the fox bursts out into the night hills under the game's title.

Its beats follow the opening sound track: chords every 4 s, a bell when the fox wakes (6 s), a rising sweep
through the chase (12-16 s) and a low boom as the door gives way (16 s).
"""

import math
import random

from art import environment
from art import palette as P

from . import lab, outdoors, story
from .compose import FPS, WIDTH, Frame, Image, centred_x, dissolve, ease, window

LENGTH = 20.0
WAKE = 6.0
ALARM = 8.0
CRACKS = (9.0, 10.0, 10.8)
SHATTER = 11.2
CHASE = 12.0
DOOR = 16.0

CAPTIONS = [(4.2, 7.8, "THEY KEPT A SMALL FOX DOWN HERE."),
            (8.2, 11.8, "ONE NIGHT, THE LOCKS FAILED."),
            (12.4, 15.6, "AND THE FOX RAN.")]


class Pictures:
    """Everything drawn once, before the first frame."""

    def __init__(self):
        room = lab.room()
        self.room = Frame()
        self.room.draw(Image(room), 0, 0)
        self.room_alarm = Frame()
        self.room_alarm.draw(Image(lab.lit(room, (150, 0, 20), 0.45)), 0, 0)
        self.tube_full = Image(lab.tube_back(1.0))
        self.tube_drained = Image(lab.tube_back(0.0))
        self.glass = [Image(lab.tube_front(n)) for n in range(len(CRACKS) + 1)]
        self.glass_broken = Image(lab.tube_front(broken=True))
        self.asleep = story.curled("closed")
        self.awake = story.curled("wide")
        self.run = story.run_cycle()
        self.fall = story.falling()
        self.idle = story.idle_cycle()
        # The level's lamp halo in the alarm's red, as (x, y, colour) of every lit pixel around its centre.
        glow = environment.glow(96, lab.ALARM)
        self.glow = [(x - glow.w // 2, y - glow.h // 2, glow.get(x, y)) for y in range(glow.h) for x in range(glow.w)
                     if any(glow.get(x, y)[:3])]
        self.shards = [Image(lab.shard(3 + k % 3, k)) for k in range(10)]
        corridor = lab.corridor()
        self.corridor = Image(corridor)
        self.corridor_alarm = Image(lab.lit(corridor, (150, 0, 20), 0.35))
        self.drones = [Image(lab.drone(i)) for i in range(6)]
        self.night = Frame()
        self.night.draw(Image(outdoors.night_sky()), 0, 0)
        self.far = Image(outdoors.far_hills())
        self.mid = Image(outdoors.mid_hills())
        self.ground = Image(outdoors.ground_strip())
        self.moon = Image(outdoors.moon())
        self.stars = outdoors.star_positions()
        self.title = story.title("KESTO", 8)
        self.subtitle = story.caption("A FOX, A SCARF, A LONG WAY DOWN")
        self.lab_name = story.title("HOLLOW HILL LABS", 2, P.GLOW_CYAN)
        self.sublevel = story.caption("SUBLEVEL 9")
        self.captions = story.Captions(CAPTIONS)


def alarm_on(t):
    return t >= ALARM and (t - ALARM) % 0.8 < 0.4


def add_glow(frame, pictures, cx, cy, amount):
    for x, y, color in pictures.glow:
        frame.add(cx + x, cy + y, color, amount)


def console_screens(frame, t):
    """Bars that flicker on the console's three screens."""
    rnd = random.Random(int(t * 6))
    for x, y, w, h in lab.screen_areas():
        for k in range(3):
            length = rnd.randint(3, w)
            frame.rect(x, y + 3 + 4 * k, x + length, y + 5 + 4 * k, P.GLOW_CYAN[2 + (k == 0)])


def room_scene(frame, pictures, t):
    frame.copy_from(pictures.room_alarm.px if alarm_on(t) else pictures.room.px)
    console_screens(frame, t)
    if t >= ALARM:
        add_glow(frame, pictures, 160, 24, 1.0 if alarm_on(t) else 0.35)
    tube_x, tube_y = lab.TUBE_X, lab.TUBE_Y
    fox_x = tube_x + lab.TUBE_W // 2 - 32
    if t < SHATTER:
        frame.draw(pictures.tube_full, tube_x, tube_y)
        bob = 2.0 * math.sin(t * 1.6)
        frame.draw(pictures.awake if t >= WAKE else pictures.asleep, fox_x, tube_y + 34 + bob)
        # bubbles rising through the liquid
        for k in range(5):
            rise = (t * 14 + k * 23) % 86
            frame.set(tube_x + 14 + k * 11, int(tube_y + 104 - rise), P.GLOW_CYAN[5])
        cracks = sum(1 for at in CRACKS if t >= at)
        frame.draw(pictures.glass[cracks], tube_x, tube_y)
        return
    since = t - SHATTER
    frame.draw(pictures.tube_drained, tube_x, tube_y)
    drop = ease(since / 0.4)
    top_y, floor_y = tube_y + 34, lab.FLOOR_Y - story.FOX_FEET
    fox_y = top_y + (floor_y - top_y) * drop
    if since < 0.4:
        frame.draw(pictures.fall[int(since * 12) % len(pictures.fall)], fox_x, fox_y)
    else:
        frame.draw(pictures.idle[int(since * 8) % len(pictures.idle)], fox_x, floor_y)
    frame.draw(pictures.glass_broken, tube_x, tube_y)
    for k, shard in enumerate(pictures.shards):
        angle = -math.pi * (0.1 + 0.8 * k / (len(pictures.shards) - 1))
        speed = 90 + 25 * (k % 4)
        x = 160 + math.cos(angle) * speed * since
        y = 100 + math.sin(angle) * speed * since + 160 * since * since
        if y < lab.FLOOR_Y:
            frame.draw(shard, x, y)
    frame.towards_white(max(0.0, 1.0 - since / 0.3) * 0.8)


def chase_scene(frame, pictures, t):
    since = t - CHASE
    scroll = since * 170
    frame.band(pictures.corridor_alarm if alarm_on(t) else pictures.corridor, scroll, 0)
    for lamp_x, lamp_y in lab.lamp_positions():
        x = (lamp_x - scroll) % lab.CORRIDOR_W
        if x < WIDTH + 48:
            add_glow(frame, pictures, int(x), lamp_y, 0.9 if alarm_on(t) else 0.3)
    door_at = WIDTH + 10 - max(0.0, since - 2.6) * 170
    if door_at < WIDTH:
        door = Image(lab.exit_door(ease((since - 3.0) / 0.6)))
        frame.draw(door, door_at, lab.FLOOR_Y - door.h)
    fox_x = 120 + 40 * ease((since - 3.0) / 1.0)
    frame.draw(pictures.run[int(t * 16) % len(pictures.run)], fox_x, lab.FLOOR_Y - story.FOX_FEET)
    for k in range(2):
        gain = ease(since / 3.0)
        x = -60 + 70 * gain + 45 * k + 8 * math.sin(t * 2 + k)
        y = 48 + 30 * k + 8 * math.sin(t * 3.1 + k * 2)
        frame.draw(pictures.drones[int(t * 12 + k * 3) % 6], x, y)


def night_scene(frame, pictures, t):
    since = t - DOOR
    frame.copy_from(pictures.night.px)
    for x, y, phase in pictures.stars:
        if math.sin(t * 3 + phase) > 0.3:
            frame.set(x, y, P.WHITE)
    frame.draw(pictures.moon, 276, 14)
    frame.band(pictures.far, 40 + since * 6, outdoors.FAR_Y)
    frame.band(pictures.mid, 10 + since * 14, outdoors.MID_Y)
    frame.band(pictures.ground, since * 30, outdoors.GROUND_Y)
    fox_x = 30 + 90 * since
    if fox_x < WIDTH:
        frame.draw(pictures.run[int(t * 16) % len(pictures.run)], fox_x, outdoors.GROUND_Y + 2 - story.FOX_FEET)
    dissolve(frame, pictures.title, 0, 40, ease((since - 0.8) / 0.8))
    dissolve(frame, pictures.subtitle, centred_x(pictures.subtitle), 108, ease((since - 1.5) / 0.6))
    frame.towards_white(max(0.0, 1.0 - since / 0.5))


def frames():
    pictures = Pictures()
    for n in range(int(LENGTH * FPS)):
        t = n / float(FPS)
        frame = Frame()
        if t < CHASE:
            room_scene(frame, pictures, t)
        elif t < DOOR:
            chase_scene(frame, pictures, t)
        else:
            night_scene(frame, pictures, t)
        if t < CHASE:
            amount = window(t, 0.6, 3.8, 0.4)
            dissolve(frame, pictures.lab_name, 0, 36, amount)
            dissolve(frame, pictures.sublevel, centred_x(pictures.sublevel), 58, amount)
        story.letterbox(frame)
        pictures.captions.draw(frame, t)
        story.fade(frame, t, LENGTH)
        yield frame.bytes()


