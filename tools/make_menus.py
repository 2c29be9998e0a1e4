#!/usr/bin/env python3
"""Generate the menu levels and the game's flow around them: the splash, the main menu with its options and
controls, the two cinematics, the end of the run, the credits (a level and a sublevel of the pause menu), the pause
menu and its options, controls and confirmation sublevels.

Regenerate with:

    python3 tools/make_menus.py

after tools/make_art.py (the layouts are measured from its images). The output is committed: the level files
named in LEVELS under Assets/Data/Levels/. Re-run only after changing the layouts here, and commit the results.

Layouts are written in art pixels from the screen's centre, y up. Menu art is drawn for 2 screen pixels per art
pixel at 1080 lines, so a pixel is 1/270 of a screen unit (the screen is 2 units tall) and every image is placed at
its own size in pixels.

A button runs one action. Where a menu replaces another (the pause menu's options, say), two buttons with the same
art lie on top of each other: one adds the new sublevel, the other removes the old one, and a click on release
runs both. Actions that change the level from the pause menu also unpause, since a screen fade does not run while
the game's time stands still.
"""

import json
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
LEVELS_DIR = os.path.join(ROOT, "Assets", "Data", "Levels")
ART_JSON = os.path.join(ROOT, "Assets", "Data", "Files", "Art.json")
UNIT = 1.0 / 270.0  # screen units per art pixel

SPLASH = "ArcwellLogo"
INTRO = "IntroCinematic"
ENDING = "EndingCinematic"
CONGRATS = "8.Congrats"
CREDITS_LEVEL = "Credit"
CREDITS_SUB = "Credit-Sub"


def _art_paths():
    """Sprite source name -> image path, from the art table (whose members all share one key)."""
    paths = {}

    def collect(pairs):
        for key, value in pairs:
            if key == "SpriteSource":
                paths[value["name"]] = value["path"]
        return dict(pairs)

    with open(ART_JSON) as f:
        json.load(f, object_pairs_hook=collect)
    return paths


ART = _art_paths()


def image_size(name):
    with open(os.path.join(ROOT, ART[name]), "rb") as f:
        header = f.read(24)
    return struct.unpack(">II", header[16:24])


def _number(value):
    """A float the engine reads as a float: always with a fraction."""
    text = "%.4f" % value
    text = text.rstrip("0")
    return text + "0" if text.endswith(".") else text


def _is_object(value):
    """Objects are written as lists of (key, value) tuples, in the order their members are written."""
    return isinstance(value, list) and value and all(isinstance(v, tuple) and len(v) == 2 for v in value)


def _value(value):
    if _is_object(value):
        return "{ " + ", ".join("%s: %s" % (json.dumps(k), _value(v)) for k, v in value) + " }"
    if isinstance(value, bool):
        return "true" if value else "false"
    if isinstance(value, float):
        return _number(value)
    if isinstance(value, int):
        return str(value)
    if isinstance(value, str):
        return json.dumps(value)
    return "[" + ", ".join(_value(v) for v in value) + "]"


class Level:
    """One level or sublevel file: settings, then one "Archetype" member per entity."""

    def __init__(self, name, settings=None, over_overlay=False):
        self.name = name
        self.settings = settings or []
        self.entities = []
        self.over_overlay = over_overlay

    def add(self, archetype, *components):
        self.entities.append([("Name", archetype)] + list(components))

    def ui(self):
        return ("UI", [("overOverlay", self.over_overlay)])

    def image(self, sprite, x, y, order, scale=None, extra=()):
        """An image at its own size (or `scale`, in screen units) centred on (x, y) pixels."""
        w, h = image_size(sprite)
        size = scale or (w * UNIT, h * UNIT)
        self.add("MenuImage", _transform(x, y, size),
                 ("Sprite", [("spriteSource", sprite), ("order", order)] + list(extra)), self.ui())

    def left_image(self, sprite, left, y, order):
        """An image whose left edge is at `left` pixels."""
        w, _ = image_size(sprite)
        self.image(sprite, left + w / 2.0, y, order)

    def button(self, label, functions, x, y, order=220):
        """One button per function, stacked on the same spot with the same art."""
        w, h = image_size(button_sprite(label))
        for i, function in enumerate(functions):
            self.add("MenuButton", _transform(x, y, (w * UNIT, h * UNIT)),
                     ("Sprite", [("spriteSource", button_sprite(label)), ("order", order + i)]), self.ui(),
                     ("Button", [("Default_Sprite", button_sprite(label)),
                                 ("onHover_Sprite", button_sprite(label, "Hover")),
                                 ("onPress_Sprite", button_sprite(label, "Press")),
                                 ("onReleas_Function", function)]))

    def check_box(self, kind, x, y, order=220):
        w, h = image_size("CheckBoxOffN001")
        self.add("MenuCheckBox", _transform(x, y, (w * UNIT, h * UNIT)),
                 ("Sprite", [("order", order)]), self.ui(), ("CheckBox", [("Type", kind)]))

    def slider(self, kind, x, y, order=220):
        """Track, fill and knob of one volume slider centred on (x, y)."""
        tw, th = image_size("SliderTrackN001")
        kw, kh = image_size("SliderKnobN001")
        self.add("MenuSliderTrack", _transform(x, y, (tw * UNIT, th * UNIT)), ("Sprite", [("order", order)]),
                 self.ui(), ("SliderBackground", [("slider_type", kind)]))
        self.add("MenuSliderFill", _transform(x, y, (tw * UNIT, th * UNIT)), ("Sprite", [("order", order + 1)]),
                 self.ui(), ("SliderBar", [("slider_type", kind)]))
        self.add("MenuSliderKnob", _transform(x, y, (kw * UNIT, kh * UNIT)), ("Sprite", [("order", order + 2)]),
                 self.ui(), ("Slider", [("slider_type", kind)]))

    def prompt(self, action, left, y, order=220):
        """The keyboard prompt of an action, showing the gamepad's while the pad is in use."""
        keys = "Prompt%sKeysN001" % action
        w, h = image_size(keys)
        self.add("MenuPrompt", _transform(left + w / 2.0, y, (w * UNIT, h * UNIT)),
                 ("Sprite", [("spriteSource", keys), ("order", order)]), self.ui(),
                 ("ControllerSprite", [("Sprite", "Prompt%sPadN001" % action)]))

    def text(self):
        lines = ["{"]
        members = ["    %s: %s" % (json.dumps(k), _value(v)) for k, v in self.settings]
        members += ["    \"Archetype\": %s" % _value(e) for e in self.entities]
        lines.append(",\n".join(members))
        lines.append("}")
        return "\n".join(lines) + "\n"


def _transform(x, y, size):
    return ("Transform", [("translation", [x * UNIT, y * UNIT]), ("scale", [float(size[0]), float(size[1])])])


def button_sprite(label, look=""):
    return "Button" + "".join(word.capitalize() for word in label.split()) + look + "N001"


def _dim(level, order):
    """Darkens everything behind a menu, whatever the screen's width."""
    level.image("MenuDimN001", 0, 0, order, scale=(8.0, 2.0))


# --- the main menu and its sublevels ---------------------------------------------------------------------------

MENU_BUTTON_STEP = 36


def main_menu():
    # A camera two units tall, so that the gamepad's knob nudges (four world units on this level) suit the menus.
    level = Level("Main Menu", [
        ("Camera", [("Zoom", 2.0), ("Position", [0.0, 0.0])]),
        ("Other", [("CanPause", False)]),
    ])
    level.image("SkyGradientN001", 0, 0, -100, scale=(8.0, 2.0), extra=[("mesh", [10.0, 1.0])])
    level.image("HillsFarN001", 0, -60, -90, scale=(8.0, 1.25),
                extra=[("mesh", [4.0, 1.0]), ("blendColor", [0.8, 0.85, 1.0])])
    level.image("HillsMidN001", 0, -150, -80, scale=(8.0, 1.1),
                extra=[("mesh", [3.5, 1.0]), ("blendColor", [0.75, 0.8, 0.85])])
    # The ground the fox idles on, in tiles as tall as the strip.
    ground_h = 128
    level.image("GroundTileN001", 0, -270 + ground_h / 2.0, -70, scale=(8.0, ground_h * UNIT),
                extra=[("mesh", [8.0 / (ground_h * UNIT), 1.0])])
    fox = 128
    level.add("MenuFox", _transform(-300, -270 + ground_h + fox / 2.0, (fox * UNIT, fox * UNIT)))
    level.image("TitleCardN001", 0, 150, 200)
    buttons = [
        # The intro leads on to the first stage.
        ("PLAY", "State_" + INTRO),
        ("OPTIONS", "AddSub_Options"),
        ("CONTROLS", "AddSub_Controls"),
        ("CREDITS", "State_" + CREDITS_LEVEL),
        ("EXIT", "Exit_"),
    ]
    for i, (label, function) in enumerate(buttons):
        level.button(label, [function], 0, 20 - i * MENU_BUTTON_STEP)
    level.add("MenuMusic")
    return level


def options(name, back, over_overlay, order=300):
    """Volume sliders with their mute boxes, and the fullscreen box; `back` are the Back button's actions."""
    level = Level(name, over_overlay=over_overlay)
    _dim(level, order)
    level.image("MenuPanelN001", 0, 0, order + 1)
    level.image("LabelOptionsN001", 0, 148, order + 2)
    level.image("LabelMuteN001", 160, 112, order + 2)
    rows = [("LabelMasterN001", "MasterVolumn", "MuteMaster"),
            ("LabelMusicN001", "BGMVolumn", "MuteBGM"),
            ("LabelEffectsN001", "SoundEffectVolumn", "MuteSFX")]
    for i, (label, slider, mute) in enumerate(rows):
        y = 85 - i * 40
        level.left_image(label, -180, y, order + 2)
        level.slider(slider, 30, y, order + 10)
        level.check_box(mute, 160, y, order + 10)
    level.left_image("LabelFullscreenN001", -180, -40, order + 2)
    level.check_box("FullScreen", 160, -40, order + 10)
    level.button("BACK", back, 0, -128, order + 20)
    return level


CONTROL_ROWS = [("LabelMoveN001", "Move"), ("LabelJumpN001", "Jump"), ("LabelDashN001", "Dash"),
                ("LabelAimN001", "Aim"), ("LabelSlowTimeN001", "SlowTime"), ("LabelPauseN001", "Pause")]


def controls(name, back, over_overlay, order=300):
    """Each action's keys, or its pad button while the pad is in use."""
    level = Level(name, over_overlay=over_overlay)
    _dim(level, order)
    level.image("MenuPanelN001", 0, 0, order + 1)
    level.image("LabelControlsN001", 0, 148, order + 2)
    for i, (label, action) in enumerate(CONTROL_ROWS):
        y = 108 - i * 30
        level.left_image(label, -180, y, order + 2)
        level.prompt(action, -30, y, order + 2)
    level.image("LabelMenuHintN001", 0, -84, order + 2)
    level.button("BACK", back, 0, -128, order + 20)
    return level


def credit():
    level = Level(CREDITS_LEVEL, [
        ("Camera", [("Zoom", 1600.0), ("Position", [0.0, 0.0])]),
        ("Other", [("CanPause", False)]),
    ])
    # Big enough to stay behind the whole scroll.
    level.add("Sky", ("Transform", [("scale", [3400.0, 2700.0])]))
    # In the world, three and a half world units a pixel, its top just inside the first view; the credits system's
    # camera glide ends 9600 units down, on the closing line.
    w, h = image_size("CreditsN001")
    top = 700.0
    level.add("Credits", ("Transform", [("translation", [0.0, top - h * 3.5 / 2.0]), ("scale", [w * 3.5, h * 3.5])]))
    level.button("BACK", ["State_Main Menu"], 300, -215)
    level.add("MenuMusic")
    return level


# Where the closing line of the credits image is, in pixels from its top (tools/art/menu.py's CREDITS_LAST_LINE).
CREDITS_LAST_LINE = 2943
# How far the credits system moves the sublevel's credits: 0.48 screen units a second for 25 s.
CREDITS_SUB_TRAVEL = 0.48 * 25.0


def credit_sub(order=600):
    """The credits over the paused game: they rise from below the screen and stop with the closing line centred."""
    level = Level(CREDITS_SUB, over_overlay=True)
    _dim(level, order)
    w, h = image_size("CreditsN001")
    line_above_centre = (h / 2.0 - CREDITS_LAST_LINE) * UNIT
    centre = -CREDITS_SUB_TRAVEL - line_above_centre
    level.add("CreditButton", ("Transform", [("translation", [0.0, centre]), ("scale", [w * UNIT, h * UNIT])]),
              ("Sprite", [("order", order + 1)]), level.ui())
    return level


# --- the game's flow: the splash, the cinematics and the end of the run ------------------------------------------

def splash():
    """The studio logo and its line, then the engine's card; the cutscene system fades them, all start unseen."""
    level = Level(SPLASH, [("Other", [("CanPause", False)])])
    hidden = [("alpha", 0.0)]
    level.image("TestLogo", 0, 40, 10, extra=hidden)
    level.image("awcopyright", 0, -130, 10, extra=hidden)
    level.image("FMOD", 0, 0, 10, extra=hidden)
    # Shown when the player skips before the art has loaded: a running fox over the loading text.
    cell = 64 * 2
    level.add("MenuFox", _transform(360, -170, (cell * UNIT, cell * UNIT)),
              ("Sprite", [("spriteSource", "animRunv002"), ("alpha", 0.0)]))
    level.image("loading", 360, -240, 10, extra=hidden)
    return level


def cinematic(name, video):
    level = Level(name, [
        ("Camera", [("Zoom", 1600.0), ("Position", [0.0, 0.0])]),
        ("Other", [("CanPause", False)]),
    ])
    level.add("CinematicVideo", ("Video", [("path", video)]))
    level.image("LabelSkipHintN001", 0, -255, 50, extra=[("alpha", 0.6)])
    return level


def congrats():
    """The run's time, stage by stage, read from the run timer; then the credits or the menu."""
    level = Level(CONGRATS, [
        ("Camera", [("Zoom", 2.0), ("Position", [0.0, 0.0])]),
        ("Other", [("CanPause", False)]),
    ])
    level.image("SkyGradientN001", 0, 0, -100, scale=(8.0, 2.0), extra=[("mesh", [10.0, 1.0])])
    level.image("HillsFarN001", 0, -60, -90, scale=(8.0, 1.25),
                extra=[("mesh", [4.0, 1.0]), ("blendColor", [0.8, 0.85, 1.0])])
    level.image("MenuPanelCongratsN001", 0, 0, 200)
    level.image("LabelCongratsN001", 0, 195, 202)
    # Timer displays: 2 the first split (the tutorial), k the length of split k - 1, 1 the whole run.
    stages = ["Containment", "Outskirts", "Quarry", "Shaft", "Forest", "Station", "Lab", "Escape"]
    rows = [("LabelSplit" + stage + "N001", 2 + i) for i, stage in enumerate(stages)] + [("LabelTotalN001", 1)]
    digit_w, digit_h = 16, 24
    for i, (label, display) in enumerate(rows):
        y = 150 - i * 30
        level.left_image(label, -170, y, 202)
        level.add("TimerText", _transform(40 + digit_w / 2.0, y, (digit_w * UNIT, digit_h * UNIT)),
                  ("SpriteText", [("source", "TimerDigitsN001"), ("order", 203), ("id", display)]), level.ui())
    level.button("CREDITS", ["State_" + CREDITS_LEVEL], -90, -180)
    level.button("MAIN MENU", ["State_Main Menu"], 90, -180)
    level.add("MenuMusic")
    return level


# --- the pause menu and what it opens ----------------------------------------------------------------------------

PAUSE = "PauseMenu"


def pause_menu(order=400):
    level = Level(PAUSE, over_overlay=True)
    _dim(level, order)
    level.image("MenuPanelPauseN001", 0, 0, order + 1)
    level.image("LabelPausedN001", 0, 124, order + 2)
    remove = "RemoveSub_" + PAUSE
    buttons = [
        ("RESUME", ["UnPause_", remove]),
        ("RESTART", ["AddSub_Are you sure restart", remove]),
        ("OPTIONS", ["AddSub_Options PauseMenu", remove]),
        ("CONTROLS", ["AddSub_Control Pausemenu", remove]),
        ("CREDITS", ["AddSub_" + CREDITS_SUB, remove]),
        ("MAIN MENU", ["AddSub_Are you sure2", remove]),
        # Asked over the pause menu, which stays below.
        ("QUIT GAME", ["AddSub_Are You Sure"]),
    ]
    for i, (label, functions) in enumerate(buttons):
        level.button(label, functions, 0, 84 - i * 33, order + 10)
    return level


def ask(name, question, yes, no, order=500):
    level = Level(name, over_overlay=True)
    _dim(level, order)
    level.image("MenuPanelAskN001", 0, 0, order + 1)
    level.image(question, 0, 43, order + 2)
    level.button("YES", yes, -72, -22, order + 10)
    level.button("NO", no, 72, -22, order + 10)
    return level


def back_to_pause(name):
    return ["AddSub_" + PAUSE, "RemoveSub_" + name]


LEVELS = [
    splash(),
    main_menu(),
    options("Options", ["RemoveSub_Options"], False),
    controls("Controls", ["RemoveSub_Controls"], False),
    credit(),
    credit_sub(),
    cinematic(INTRO, "Audio/Cinematics/KestoOpeningCinematicD2(NoVox).mp4"),
    cinematic(ENDING, "Audio/Cinematics/Ending_Cinematic.mp4"),
    congrats(),
    pause_menu(),
    options("Options PauseMenu", back_to_pause("Options PauseMenu"), True),
    controls("Control Pausemenu", back_to_pause("Control Pausemenu"), True),
    ask("Are you sure restart", "LabelAskRestartN001", ["StateRestart_"], back_to_pause("Are you sure restart")),
    ask("Are you sure2", "LabelAskMainMenuN001", ["UnPause_", "State_Main Menu"], back_to_pause("Are you sure2")),
    ask("Are You Sure", "LabelAskQuitN001", ["Exit_"], ["RemoveSub_Are You Sure"]),
]


def main():
    for level in LEVELS:
        with open(os.path.join(LEVELS_DIR, level.name + ".json"), "w", newline="\n") as f:
            f.write(level.text())
    print("wrote %d menu levels" % len(LEVELS))


if __name__ == "__main__":
    main()
