#!/usr/bin/env python3
"""Generate Kesto's pixel art and the sprite-source table.

Regenerate with:

    python3 tools/make_art.py

from the repository root (or anywhere: paths are resolved from this file). The
output is committed: the PNG files under Assets/Art/ and the table
Assets/Data/Files/Art.json. The game never runs this script; re-run it only after
changing the generators and commit the results together.

Everything is drawn procedurally with the Python 3 standard library (PNG files are
written with zlib and struct), from one shared palette (tools/art/palette.py), lit
from the upper left. Every random choice uses a fixed seed, so re-running produces
byte-identical files.

Art.json repeats the member "SpriteSource" once per image. Sheets are grids of
equal cells read left to right, top to bottom; "frameCount", "isLooping" and
"frameDuration" (seconds per cell) drive frame animation. Stills are one cell.
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
# keep the source tree free of bytecode caches
sys.dont_write_bytecode = True

from art import critters, effects, enemy, environment, lab, menu, night, props, quarry, rusk_anims  # noqa: E402
from art import splash, triggers, ui  # noqa: E402
from art.canvas import sheet  # noqa: E402
from art.rusk import _joints, render  # noqa: E402

ROOT = os.path.dirname(HERE)
ART_JSON = os.path.join("Assets", "Data", "Files", "Art.json")


class Entry:
    """One sprite source: its image, grid and playback."""

    def __init__(self, name, path, frames, columns=None, duration=None, looping=False, blend="Normal",
                 rgb=False):
        self.name = name
        self.path = path
        self.frames = frames if isinstance(frames, list) else [frames]
        self.columns = columns or len(self.frames)
        self.duration = duration
        self.looping = looping
        self.blend = blend
        self.rgb = rgb
        self.rows = 1


def _frames(poses):
    return [render(p) for p in poses]


def _entries():
    idle = rusk_anims.idle()
    run = _frames(rusk_anims.run())
    player = "Assets/Art/Player/"
    fx = "Assets/Art/Effects/"
    env = "Assets/Art/Environment/"
    ui_dir = "Assets/Art/UI/"
    splash_dir = "Assets/Art/Splash/"
    props_dir = "Assets/Art/Props/"

    ground = environment.ground_tile()
    dirt = environment.dirt_tile()
    wall = environment.wall_tile()

    def ground_shine(p):
        r, g, b, a = p
        if b > r and b > g:
            return 0.6  # wet stones
        if g > r:
            return 0.25  # grass
        return 0.08

    def wall_shine(p):
        return 0.05 if p[:3] == environment.P.STONE[0][:3] else 0.35

    entries = [
        # splash and loading images: loaded synchronously at start-up
        Entry("TestLogo", splash_dir + "TestLogo.png", splash.studio_logo()),
        Entry("awcopyright", splash_dir + "awcopyright.png", splash.copyright_line()),
        Entry("FMOD", splash_dir + "FMOD.png", splash.engine_credit()),
        Entry("animRunv002", splash_dir + "animRunv002.png", run, duration=0.083, looping=True),
        Entry("loading", splash_dir + "loading.png", splash.loading()),
        Entry("TitleCardN001", ui_dir + "TitleCardN001.png", splash.title_card()),

        # the player
        Entry("RuskIdleV3", player + "RuskIdleV3.png", _frames(idle), duration=0.125, looping=True),
        Entry("RuskIdle2V3", player + "RuskIdle2V3.png", _frames(rusk_anims.idle2()), duration=0.1),
        Entry("RuskRunV3", player + "RuskRunV3.png", run, duration=0.083, looping=True),
        Entry("RuskJumpV3", player + "RuskJumpV3.png", _frames(rusk_anims.jump()), duration=0.07),
        Entry("RuskFallV3", player + "RuskFallV3.png", _frames(rusk_anims.fall()), duration=0.1, looping=True),
        Entry("RuskDashV3", player + "RuskDashV3.png", _frames(rusk_anims.dash()), duration=0.06),
        Entry("RuskHookN001", player + "RuskHookN001.png", _frames(rusk_anims.hook_stumble()), duration=0.08),
        Entry("RuskHookN002", player + "RuskHookN002.png",
              _frames([rusk_anims.hook_flail(i) for i in range(4)]), duration=0.1, looping=True),
        Entry("RuskHookN003", player + "RuskHookN003.png", _frames(rusk_anims.hook_throw()), duration=0.07),
        Entry("RuskHookN004", player + "RuskHookN004.png",
              _frames([rusk_anims.hang(i) for i in range(6)]), duration=0.12, looping=True),
        Entry("RuskHookN005", player + "RuskHookN005.png", _frames(rusk_anims.hook_snap()), duration=0.08),
        Entry("RuskHookN006", player + "RuskHookN006.png",
              _frames([rusk_anims.tumble(i) for i in range(4)]), duration=0.08, looping=True),
        Entry("RuskHookN007", player + "RuskHookN007.png", _frames(rusk_anims.crash()), duration=0.1),
        Entry("RuskHookN008", player + "RuskHookN008.png",
              _frames([rusk_anims.dazed(i) for i in range(6)]), duration=0.12, looping=True),

        # the flying enemy (also the player's debug flight look)
        Entry("EnemyIdleV1", "Assets/Art/Enemies/EnemyIdleV1.png", enemy.idle(), duration=0.1, looping=True),
        Entry("EnemyWindupV1", "Assets/Art/Enemies/EnemyWindupV1.png", enemy.windup(), duration=0.06, looping=True),
        Entry("EnemyAttackV1", "Assets/Art/Enemies/EnemyAttackV1.png", enemy.attack(), duration=0.06, looping=True),
        Entry("EnemyDefeatV1", "Assets/Art/Enemies/EnemyDefeatV1.png", enemy.defeat(), duration=0.08),

        # background wildlife
        Entry("BirdFlapV1", "Assets/Art/Enemies/BirdFlapV1.png", critters.bird(), duration=0.08, looping=True),

        # effects
        Entry("LandingDustV1", fx + "LandingDustV1.png", effects.landing_dust(), duration=0.05),
        Entry("ParticleGlowN001", fx + "ParticleGlowN001.png", effects.soft_dot(), blend="Additive"),
        Entry("ParticleSoftN001", fx + "ParticleSoftN001.png", effects.soft_dot(ramp=environment.P.GLOW_CYAN)),
        Entry("ParticleSparkN001", fx + "ParticleSparkN001.png", effects.spark(), blend="Additive"),
        Entry("ParticleMoteN001", fx + "ParticleMoteN001.png", effects.mote()),
        Entry("ParticleShardN001", fx + "ParticleShardN001.png", effects.shard()),
        Entry("ParticlePuffN001", fx + "ParticlePuffN001.png", effects.puff()),

        # demo level
        Entry("SkyGradientN001", env + "SkyGradientN001.png", environment.sky(), rgb=True),
        Entry("HillsFarN001", env + "HillsFarN001.png", environment.hills_far()),
        Entry("HillsMidN001", env + "HillsMidN001.png", environment.hills_mid()),
        Entry("GroundTileN001", env + "GroundTileN001.png", ground),
        Entry("GroundTileNormalN001", env + "GroundTileNormalN001.png",
              environment.normal_map_from(ground), rgb=True),
        Entry("GroundTileSpecularN001", env + "GroundTileSpecularN001.png",
              environment.specular_map_from(ground, ground_shine), rgb=True),
        Entry("DirtTileN001", env + "DirtTileN001.png", dirt, rgb=True),
        Entry("DirtTileNormalN001", env + "DirtTileNormalN001.png", environment.normal_map_from(dirt), rgb=True),
        Entry("WallTileN001", env + "WallTileN001.png", wall, rgb=True),
        Entry("WallTileNormalN001", env + "WallTileNormalN001.png", environment.normal_map_from(wall), rgb=True),
        Entry("WallTileSpecularN001", env + "WallTileSpecularN001.png",
              environment.specular_map_from(wall, wall_shine), rgb=True),
        Entry("PlatformTileN001", env + "PlatformTileN001.png", environment.platform_tile(), rgb=True),
        Entry("CrateN001", env + "CrateN001.png", environment.crate(), rgb=True),
        Entry("TreeN001", env + "TreeN001.png", environment.tree()),
        Entry("PillarN001", env + "PillarN001.png", environment.pillar()),
        Entry("LampPostN001", env + "LampPostN001.png", environment.lamp_post()),
        Entry("LampGlowN001", env + "LampGlowN001.png", environment.glow(), blend="Additive"),
        Entry("CrystalN001", env + "CrystalN001.png", environment.crystal(), blend="Additive"),

        # props whose names the game code uses
        Entry("PropCheckpointN001", props_dir + "PropCheckpointN001.png", props.checkpoint_unlit()),
        Entry("PropCheckpointN013", props_dir + "PropCheckpointN013.png", props.checkpoint_lighting(),
              duration=0.08),
        Entry("PropCheckpointN014", props_dir + "PropCheckpointN014.png", props.checkpoint_lit(),
              duration=0.15, looping=True),
        Entry("LaserStartupN001", props_dir + "LaserStartupN001.png", props.laser_startup(), duration=0.05,
              looping=True, blend="Additive"),
        Entry("LaserN001", props_dir + "LaserN001.png", props.laser_on(), duration=0.05, looping=True,
              blend="Additive"),
        Entry("FallingSlabN001", props_dir + "FallingSlabN001.png", props.falling_slab(), rgb=True),
        Entry("SearchlightN001", props_dir + "SearchlightN001.png", props.searchlight()),

        # scripted level parts: the dash-reset portal and its effects, hazards, the exit and tutorial prompts
        Entry("DashPortalN001", props_dir + "DashPortalN001.png", triggers.portal(), duration=0.08, looping=True,
              blend="Additive"),
        Entry("PortalBurstV1", fx + "PortalBurstV1.png", triggers.portal_burst(), duration=0.05, blend="Additive"),
        Entry("PortalPassV1", fx + "PortalPassV1.png", triggers.portal_pass(), duration=0.05, blend="Additive"),
        Entry("SpikesN001", props_dir + "SpikesN001.png", triggers.spikes()),
        Entry("ExitGateN001", props_dir + "ExitGateN001.png", triggers.exit_gate()),
        Entry("TutorialMoveN001", ui_dir + "TutorialMoveN001.png", triggers.tutorial_prompt(["A", "D", "<", ">"], None,
                                                                                        "MOVE")),
        Entry("TutorialJumpN001", ui_dir + "TutorialJumpN001.png", triggers.tutorial_prompt(["SPACE"], None, "JUMP")),
        Entry("TutorialDashN001", ui_dir + "TutorialDashN001.png", triggers.tutorial_prompt(["X"], 0, "DASH")),
        Entry("TutorialSlowMoN001", ui_dir + "TutorialSlowMoN001.png", triggers.tutorial_prompt(["Z"], 1, "SLOW MO")),

        # interface
        Entry("CompassArrowN001", ui_dir + "CompassArrowN001.png", ui.compass_arrow()),
        Entry("CompassMeterN001", ui_dir + "CompassMeterN001.png", ui.compass_meter()),
        Entry("TimeSlowBarBackN001", ui_dir + "TimeSlowBarBackN001.png", ui.time_bar_back()),
        Entry("TimeSlowBarFillN001", ui_dir + "TimeSlowBarFillN001.png", ui.time_bar_fill(), rgb=True),
        Entry("TimeSlowIconN001", ui_dir + "TimeSlowIconN001.png", ui.hourglass()),
        Entry("TimerDigitsN001", ui_dir + "TimerDigitsN001.png", ui.timer_digits()),
    ]
    entries += lab.entries(Entry, lambda tile, shine: (environment.normal_map_from(tile),
                                                       environment.specular_map_from(tile, shine)))
    entries += _menu_entries("Assets/Art/UI/Menu/")
    entries += quarry.entries(Entry)
    entries += [Entry(name, path, image, **options) for name, path, image, options in night.sprite_sources()]
    return entries, idle


# Every button of the menus, by label; each has a default, a hover and a pressed look.
MENU_BUTTONS = ["PLAY", "OPTIONS", "CONTROLS", "CREDITS", "EXIT", "BACK", "RESUME", "RESTART", "MAIN MENU",
                "QUIT GAME", "YES", "NO"]
# Labels of the menus: sprite source name -> (text, "heading" or the font's scale).
MENU_LABELS = {
    "LabelOptionsN001": ("OPTIONS", "heading"),
    "LabelControlsN001": ("CONTROLS", "heading"),
    "LabelPausedN001": ("PAUSED", "heading"),
    "LabelMasterN001": ("MASTER", 2),
    "LabelMusicN001": ("MUSIC", 2),
    "LabelEffectsN001": ("EFFECTS", 2),
    "LabelMuteN001": ("MUTE", 1),
    "LabelFullscreenN001": ("FULLSCREEN", 2),
    "LabelMoveN001": ("MOVE", 2),
    "LabelJumpN001": ("JUMP", 2),
    "LabelDashN001": ("DASH", 2),
    "LabelAimN001": ("AIM", 2),
    "LabelSlowTimeN001": ("SLOW TIME", 2),
    "LabelPauseN001": ("PAUSE", 2),
    "LabelMenuHintN001": ("MENUS: MOUSE, OR LS AND A", 1),
    "LabelAskRestartN001": ("RESTART THE STAGE?", "heading"),
    "LabelAskMainMenuN001": ("BACK TO THE MAIN MENU?", "heading"),
    "LabelAskQuitN001": ("QUIT THE GAME?", "heading"),
    "LabelCongratsN001": ("YOU MADE IT!", "heading"),
    "LabelTotalN001": ("TOTAL", 2),
    "LabelSplitContainmentN001": ("CONTAINMENT", 2),
    "LabelSplitOutskirtsN001": ("OUTSKIRTS", 2),
    "LabelSplitQuarryN001": ("QUARRY", 2),
    "LabelSplitShaftN001": ("THE SHAFT", 2),
    "LabelSplitForestN001": ("OLD FOREST", 2),
    "LabelSplitStationN001": ("POWER STATION", 2),
    "LabelSplitLabN001": ("LAB BREAKOUT", 2),
    "LabelSplitEscapeN001": ("THE ESCAPE", 2),
    "LabelSkipHintN001": ("CLICK, SPACE, ENTER OR ESC TO SKIP", 1),
}
# Panels behind the menus: sprite source name -> size in pixels.
MENU_PANELS = {
    "MenuPanelN001": (400, 330),
    "MenuPanelPauseN001": (300, 286),
    "MenuPanelAskN001": (340, 120),
    "MenuPanelCongratsN001": (420, 460),
}


def menu_button_name(label, look=""):
    return "Button" + "".join(word.capitalize() for word in label.split()) + look + "N001"


def _menu_entries(menu_dir):
    entries = []
    for label in MENU_BUTTONS:
        for look, suffix in (("default", ""), ("hover", "Hover"), ("pressed", "Press")):
            name = menu_button_name(label, suffix)
            entries.append(Entry(name, menu_dir + name + ".png", menu.button(label, look)))
    for checked in (False, True):
        for hovered in (False, True):
            name = "CheckBox" + ("On" if checked else "Off") + ("Hover" if hovered else "") + "N001"
            entries.append(Entry(name, menu_dir + name + ".png", menu.check_box(checked, hovered)))
    entries += [
        Entry("SliderTrackN001", menu_dir + "SliderTrackN001.png", menu.slider_track()),
        Entry("SliderFillN001", menu_dir + "SliderFillN001.png", menu.slider_fill()),
        Entry("SliderKnobN001", menu_dir + "SliderKnobN001.png", menu.slider_knob()),
        Entry("MenuDimN001", menu_dir + "MenuDimN001.png", menu.dim()),
        Entry("CreditsN001", menu_dir + "CreditsN001.png", menu.credits()),
    ]
    for name, (w, h) in MENU_PANELS.items():
        entries.append(Entry(name, menu_dir + name + ".png", menu.panel(w, h)))
    for name, (text, look) in MENU_LABELS.items():
        image = menu.heading(text) if look == "heading" else menu.label(text, look)
        entries.append(Entry(name, menu_dir + name + ".png", image))
    keyboard, pad = menu.keyboard_prompts(), menu.pad_prompts()
    for action in keyboard:
        # Both looks of a prompt are as wide as the wider, drawn from the left, so swapping keeps them aligned.
        key_image, pad_image = menu.same_width(keyboard[action], pad[action])
        entries.append(Entry("Prompt" + action + "KeysN001", menu_dir + "Prompt" + action + "KeysN001.png", key_image))
        entries.append(Entry("Prompt" + action + "PadN001", menu_dir + "Prompt" + action + "PadN001.png", pad_image))
    return entries


def _json_entry(e):
    count = len(e.frames)
    duration = e.duration if e.duration is not None else 1.0
    lines = [
        '    "SpriteSource": {',
        '        "name": "%s",' % e.name,
        '        "path": "%s",' % e.path,
        '        "rows": %d,' % e.rows,
        '        "columns": %d,' % e.columns,
        '        "blend": "%s",' % e.blend,
        '        "frameCount": %d,' % count,
        '        "isLooping": %s,' % ("true" if e.looping else "false"),
        # always with a fraction, so the engine reads it as a float
        '        "frameDuration": %r' % float(duration),
        '    }',
    ]
    return "\n".join(lines)


def _write(path, canvas, rgb, additive):
    full = os.path.join(ROOT, path)
    os.makedirs(os.path.dirname(full), exist_ok=True)
    if rgb and not canvas.is_opaque():
        raise ValueError("%s has transparent pixels but is saved without alpha" % path)
    if not rgb and not additive:
        canvas.bleed_edges()
    canvas.save(full, rgb=rgb)
    return os.path.getsize(full)


def main():
    entries, idle = _entries()
    total = 0
    for e in entries:
        image, e.rows = sheet(e.frames, e.columns)
        total += _write(e.path, image, e.rgb, e.blend == "Additive")
    first = idle[0]
    total += _write("Assets/Art/Misc/IconN001.PNG", ui.icon(render(first), _joints(first)["head"]), False, False)
    total += _write("Assets/Art/UI/CursorN001.png", ui.cursor(), False, False)

    names = [e.name for e in entries]
    if len(names) != len(set(names)):
        raise ValueError("duplicate sprite source names")
    body = ",\n".join(_json_entry(e) for e in entries)
    art_json = os.path.join(ROOT, ART_JSON)
    os.makedirs(os.path.dirname(art_json), exist_ok=True)
    with open(art_json, "w", newline="\n") as f:
        f.write("{\n" + body + "\n}\n")
    print("wrote %d sprite sources and %d bytes of images" % (len(entries), total))


if __name__ == "__main__":
    main()
