"""Pictures of the hills outside the lab, at night and at dawn, built from the game's own level art."""

import math
import random

from art import environment
from art import palette as P
from art.canvas import Canvas, bayer, mix
from art.shapes import PartCanvas, circle, ellipse

from .compose import HEIGHT, WIDTH

GROUND_Y = 150  # top row of the grass
FAR_Y = 15  # where the far and the middle hills are drawn, so their crests rise over the grass
MID_Y = 25


def night_sky():
    stops = [(0.0, P.SKY[0]), (0.45, P.SKY[1]), (0.75, P.SKY[2]), (1.0, P.SKY[3])]
    sky = environment.dithered_gradient(stops, WIDTH, HEIGHT)
    rnd = random.Random(9)
    for _ in range(70):
        x, y = rnd.randrange(WIDTH), rnd.randrange(int(HEIGHT * 0.55))
        sky.set(x, y, P.CREAM[3] if rnd.random() < 0.3 else P.SKY[3])
    return sky


def dawn_sky():
    stops = [(0.0, P.SKY[1]), (0.3, P.SKY[2]), (0.55, P.SKY[3]), (0.72, P.SKY[4]), (0.85, P.SKY[5]),
             (1.0, P.GLOW_WARM[4])]
    return environment.dithered_gradient(stops, WIDTH, HEIGHT)


def star_positions(count=12, seed=21):
    """Stars that twinkle: (x, y, phase)."""
    rnd = random.Random(seed)
    return [(rnd.randrange(WIDTH), rnd.randrange(int(HEIGHT * 0.5)), rnd.uniform(0, 2 * math.pi))
            for _ in range(count)]


def far_hills():
    """512 pixels wide, repeating; drawn so its crests sit in the lower half of the frame."""
    return environment.hills_far(512, 160)


def mid_hills():
    return environment.hills_mid(512, 192)


def ground_strip(width=WIDTH + 64):
    """Grass and dirt from the level's ground tile, repeated along the bottom of the frame."""
    tile = environment.ground_tile()
    c = Canvas(width, HEIGHT - GROUND_Y + 8)
    for y in range(c.h):
        for x in range(width):
            c.set(x, y, tile.get(x % tile.w, min(tile.h - 1, y)))
    return c


def sun(size=56):
    """The rising sun with stepped rings of warm glow (opaque core, dithered halo)."""
    c = Canvas(size, size)
    r = size / 2.0
    for y in range(size):
        for x in range(size):
            d = math.hypot(x + 0.5 - r, y + 0.5 - r)
            if d < r * 0.45:
                c.set(x, y, P.GLOW_WARM[5] if d < r * 0.3 else P.GLOW_WARM[4])
            elif d < r and bayer(x, y) < (1 - d / r) * 1.4:
                c.set(x, y, mix(P.GLOW_WARM[3], P.GLOW_WARM[4], 1 - d / r))
    return c


def tree():
    """The level's tree, at half size, for the hilltop where the fox rests."""
    big = environment.tree()
    c = Canvas(big.w // 2, big.h // 2)
    for y in range(c.h):
        for x in range(c.w):
            c.set(x, y, big.get(2 * x, 2 * y))
    return c


def moon(size=24):
    pc = PartCanvas(size, size)
    pc.draw_group([circle((size / 2, size / 2), size / 2 - 2, P.CREAM)])
    pc.draw_group([ellipse((size / 2 + 4, size / 2 - 3), 3, 2, 0, P.CREAM, fixed=1, clip=True)], outline=False)
    return pc.canvas
