"""The ending (16 s): at dawn the fox runs on through the hills, slows at a hilltop tree under the rising sun,
stretches, and the story closes.

Its beats follow the ending sound track: chords every 2.5 s and bells at 10, 11 and 12.5 s.
"""

import math

from art import palette as P

from . import outdoors, story
from .compose import FPS, Frame, Image, dissolve, ease

LENGTH = 16.0
RUN_SPEED = 60.0  # pixels per second the ground scrolls while the fox runs
SLOW_FROM = 5.0  # the fox slows from here ...
STOP_AT = 6.5  # ... and stands still from here
TREE_REST_X = 200  # where the hilltop tree ends up on screen
STRETCH = 7.5  # the fox stretches and yawns
FREE = 10.0
THE_END = 12.5

CAPTIONS = [(0.6, 4.6, "FAR FROM THE LAB, THE NIGHT ENDED."),
            (5.2, 9.6, "THE HILLS WERE WIDE AND OPEN."),
            (FREE, LENGTH, "RUSK WAS FREE.")]


def scroll(t):
    """How far the ground has moved: steady, then slowing evenly to a stop."""
    if t <= SLOW_FROM:
        return RUN_SPEED * t
    slow = min(t, STOP_AT) - SLOW_FROM
    span = STOP_AT - SLOW_FROM
    return RUN_SPEED * (SLOW_FROM + slow - slow * slow / (2 * span))


class Pictures:
    def __init__(self):
        self.sky = Frame()
        self.sky.draw(Image(outdoors.dawn_sky()), 0, 0)
        self.sun = Image(outdoors.sun())
        self.far = Image(outdoors.far_hills())
        self.mid = Image(outdoors.mid_hills())
        self.ground = Image(outdoors.ground_strip())
        self.tree = Image(outdoors.tree())
        self.run = story.run_cycle()
        self.idle = story.idle_cycle()
        self.stretch = story.stretch()
        self.the_end = story.title("THE END", 4, P.TIME)
        self.captions = story.Captions(CAPTIONS)


def fox(pictures, t):
    if t < STOP_AT:
        # the stride slows with the ground
        stride = scroll(t) / RUN_SPEED * 16
        return pictures.run[int(stride) % len(pictures.run)]
    if STRETCH <= t < STRETCH + len(pictures.stretch) / 6.0:
        return pictures.stretch[int((t - STRETCH) * 6)]
    return pictures.idle[int(t * 8) % len(pictures.idle)]


def frames():
    pictures = Pictures()
    tree_at = TREE_REST_X + scroll(LENGTH)
    for n in range(int(LENGTH * FPS)):
        t = n / float(FPS)
        moved = scroll(t)
        frame = Frame()
        frame.copy_from(pictures.sky.px)
        frame.draw(pictures.sun, 236, 96 - 40 * ease(t / LENGTH))
        frame.band(pictures.far, 30 + moved * 0.15, outdoors.FAR_Y)
        frame.band(pictures.mid, 120 + moved * 0.4, outdoors.MID_Y)
        frame.draw(pictures.tree, tree_at - moved - pictures.tree.w // 2, outdoors.GROUND_Y + 4 - pictures.tree.h)
        frame.band(pictures.ground, moved, outdoors.GROUND_Y)
        frame.draw(fox(pictures, t), 110, outdoors.GROUND_Y + 2 - story.FOX_FEET)
        dissolve(frame, pictures.the_end, 0, 56, ease((t - THE_END) / 0.6))
        story.letterbox(frame)
        pictures.captions.draw(frame, t)
        story.fade(frame, t, LENGTH, fade_out=2.5)
        # a breath of light over the hills as the sun clears them
        frame.towards_white(0.12 * max(0.0, math.sin(math.pi * min(1.0, max(0.0, (t - FREE) / 3.0)))))
        yield frame.bytes()
