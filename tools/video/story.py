"""What both films share: the fox's drawn poses, captions in the letterbox, titles and fades."""

from art import palette as P
from art import rusk_anims
from art.canvas import Canvas
from art.rusk import Pose, render
from art.splash import _gradient_text

from .compose import HEIGHT, WIDTH, Image, centred_x, dissolve, text_image, window

BAR = 12  # height of the letterbox bars, top and bottom
FOX_FEET = 61  # row of a fox cell the soles stand on


def fox_images(poses):
    return [Image(render(pose)) for pose in poses]


def run_cycle():
    return fox_images(rusk_anims.run())


def idle_cycle():
    return fox_images(rusk_anims.idle())


def stretch():
    return fox_images(rusk_anims.idle2())


def falling():
    return fox_images(rusk_anims.fall())


def curled(eye):
    """Asleep (or just woken) in the tube: knees drawn up, tail wrapped round."""
    pose = Pose(rot=-15, torso=95, head=60, look=-40, thigh_f=-20, shin_f=-160, thigh_b=-30, shin_b=-170,
                arm_f=-60, fore_f=10, arm_b=-70, fore_b=0, tail=250, curl=-25, eye=eye, scarf=230, ears=10)
    pose.hip = (30, 40)
    return Image(render(pose))


def caption(text):
    return text_image(text, P.CREAM[3], 1, shadow=P.OUTLINE)


def title(text, scale, ramp=P.FOX):
    """Big lettering lit from above, the way the game's title card is drawn."""
    c = Canvas(WIDTH, 7 * scale + scale + 2)
    _gradient_text(c, 0, text, ramp, scale, P.OUTLINE)
    c.outline(P.OUTLINE)
    return Image(c)


class Captions:
    """Timed lines shown in the bottom letterbox bar, dissolving in and out."""

    def __init__(self, lines):
        self.lines = [(start, end, caption(text)) for start, end, text in lines]

    def draw(self, frame, t):
        for start, end, image in self.lines:
            amount = window(t, start, end, 0.35)
            if amount > 0:
                dissolve(frame, image, centred_x(image), HEIGHT - BAR + 2, amount)


def letterbox(frame):
    frame.rect(0, 0, WIDTH, BAR, P.BLACK)
    frame.rect(0, HEIGHT - BAR, WIDTH, HEIGHT, P.BLACK)


def fade(frame, t, length, fade_in=0.8, fade_out=1.4):
    """Fades in from black at the start and out to black at the end."""
    amount = min(1.0, t / fade_in, (length - t) / fade_out)
    frame.scale(max(0.0, amount))
