#!/usr/bin/env python3
"""Generate Kesto's Spine skeletons: a lab lamp swinging on its chain and a lab banner in a draught.

Regenerate with:

    python3 tools/make_spine.py

from the repository root (or anywhere: paths are resolved from this file). The output
is committed: for each skeleton a folder Assets/Art/Spine/<Name>/ holding <Name>.json
(Spine 3.8 JSON), <Name>.atlas (text atlas) and <Name>.png (its one page). The game
never runs this script; re-run it only after changing it and commit the results.

Every skeleton loops an animation named "animation", which the game plays on its own.
Images come from tools/art/spine_art.py at three skeleton units per pixel, so a sprite
with a transform scale of 1000 shows them at the size of the game's other pixel art.
Output is deterministic.
"""

import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
# keep the source tree free of bytecode caches
sys.dont_write_bytecode = True

from art import spine_art  # noqa: E402
from art.spine_export import Image, write  # noqa: E402

ROOT = os.path.dirname(HERE)
SPINE = os.path.join(ROOT, "Assets", "Art", "Spine")
UNIT = 3.0  # skeleton units per pixel

# Ease in and out: slow at the ends of a swing, fast through the middle.
EASE = {"curve": 0.42, "c3": 0.58}


def region(image, **placement):
    """A region attachment showing the whole image at UNIT units per pixel."""
    attachment = {"width": image.canvas.w * UNIT, "height": image.canvas.h * UNIT}
    attachment.update(placement)
    return attachment


def sine_keys(field, amplitude, period, phase, samples=12):
    """Keys tracing amplitude * sin(2 pi t / period - phase) over one period, linear between samples."""
    keys = []
    for i in range(samples + 1):
        t = period * i / samples
        key = {field: amplitude * math.sin(2 * math.pi * t / period - phase)}
        if i:
            key["time"] = t
        keys.append(key)
    return keys


def lamp():
    """A shaded lamp on four chain links; the chain swings, each lower link trailing, and the bulb flickers."""
    mount = Image("lamp-mount", spine_art.lamp_mount())
    link = Image("chain-link", spine_art.chain_link())
    side = Image("chain-link-side", spine_art.chain_link_side())
    shade = Image("lamp-shade", spine_art.lamp_shade())
    glow = Image("lamp-glow", spine_art.lamp_glow(), additive=True)
    # Taller than wide: stored turned on the page.
    beam = Image("lamp-beam", spine_art.lamp_beam(), rotate=True, additive=True)
    pitch = 9 * UNIT  # links overlap by three pixels
    links = ["swing", "link2", "link3", "link4"]

    bones = [{"name": "root"},
             {"name": "swing", "parent": "root", "rotation": -90, "length": pitch}]
    for parent, name in zip(links, links[1:] + ["lamp"]):
        bones.append({"name": name, "parent": parent, "x": pitch, "length": pitch})
    # Upright again at the bulb, so the halo and the beam keep their own axes.
    shade_top = 0.0
    bulb = shade_top + 17.2 * UNIT
    bones.append({"name": "bulb", "parent": "lamp", "x": bulb, "rotation": 90})

    # Links hang along their bone's x axis (pointing down); turning them 90 degrees stands the images upright.
    slots = [{"name": "mount", "bone": "root", "attachment": "lamp-mount"}]
    attachments = {"mount": {"lamp-mount": region(mount, y=4 * UNIT - 1.5)}}
    for i, bone in enumerate(links):
        image = link if i % 2 == 0 else side
        name = "link%d" % (i + 1)
        slots.append({"name": name, "bone": bone, "attachment": image.name})
        attachments[name] = {image.name: region(image, x=pitch / 2 + 1.5, rotation=90)}
    slots += [{"name": "beam", "bone": "bulb", "attachment": "lamp-beam", "blend": "additive",
               "color": "ffffffd0"},
              {"name": "shade", "bone": "lamp", "attachment": "lamp-shade"},
              {"name": "glow", "bone": "bulb", "attachment": "lamp-glow", "blend": "additive"}]
    attachments["beam"] = {"lamp-beam": region(beam, y=-beam.canvas.h * UNIT / 2 + 2 * UNIT)}
    attachments["shade"] = {"lamp-shade": region(shade, x=shade_top + shade.canvas.h * UNIT / 2, rotation=90)}
    attachments["glow"] = {"lamp-glow": region(glow)}

    period = 3.0
    swing = [dict({"angle": 9}, **EASE), dict({"time": period / 2, "angle": -9}, **EASE),
             {"time": period, "angle": 9}]
    animated = {"swing": {"rotate": swing}}
    # Each lower link lags the swing a little more, so the chain bends against the motion.
    for i, bone in enumerate(links[1:] + ["lamp"]):
        animated[bone] = {"rotate": sine_keys("angle", 1.5 + 0.8 * i, period, 0.2 * i)}
    animated["bulb"] = {"scale": [dict({"x": 1, "y": 1}, **EASE), dict({"time": 1.4, "x": 1.06, "y": 1.06}, **EASE),
                                  {"time": period, "x": 1, "y": 1}]}
    # A brief stutter of the bulb: stepped keys hold each level until the next.
    flicker = [{"color": "ffffffff"}, {"time": 1.0, "color": "ffffffff", "curve": "stepped"},
               {"time": 1.07, "color": "ffe0c0a0", "curve": "stepped"}, {"time": 1.12, "color": "ffffffff"},
               {"time": 2.2, "color": "fff4e8e0"}, {"time": period, "color": "ffffffff"}]
    skeleton = {
        "bones": bones,
        "slots": slots,
        "skins": [{"name": "default", "attachments": attachments}],
        "animations": {"animation": {"bones": animated,
                                     "slots": {"glow": {"color": flicker}}}},
    }
    return skeleton, [mount, link, side, shade, glow, beam]


def banner():
    """A cloth banner hanging from a rod: one weighted mesh over a chain of four bones that ripples."""
    pole = Image("banner-pole", spine_art.banner_pole())
    cloth = Image("banner-cloth", spine_art.banner_cloth())
    width, height = cloth.canvas.w * UNIT, cloth.canvas.h * UNIT
    top = 2 * UNIT  # the cloth's top edge, behind the rod
    chain = ["cloth0", "cloth1", "cloth2", "cloth3"]
    segment = height / len(chain)

    bones = [{"name": "root"}, {"name": "pole", "parent": "root"},
             {"name": "cloth0", "parent": "root", "y": top, "rotation": -90, "length": segment}]
    for parent, name in zip(chain, chain[1:]):
        bones.append({"name": name, "parent": parent, "x": segment, "length": segment})
    index = {bone["name"]: i for i, bone in enumerate(bones)}

    # A 5 x 7 grid. The top row hangs on the root; below it every vertex follows the two chain bones nearest
    # its depth. A chain bone's x axis points down the cloth and its y axis to the right.
    columns, rows = 5, 7
    uvs, vertices, triangles = [], [], []
    for row in range(rows):
        depth = height * row / (rows - 1)
        for column in range(columns):
            x = -width / 2 + width * column / (columns - 1)
            uvs += [column / (columns - 1), row / (rows - 1)]
            if row == 0:
                vertices += [1, index["root"], x, top, 1]
                continue
            position = min(depth / segment, len(chain) - 1e-9)
            k = int(position)
            f = position - k
            weights = [(k, 1 - f), (k + 1, f)] if k + 1 < len(chain) and f > 0 else [(k, 1.0)]
            vertices.append(len(weights))
            for bone, weight in weights:
                vertices += [index[chain[bone]], depth - segment * bone, x, weight]
    for row in range(rows - 1):
        for column in range(columns - 1):
            v = row * columns + column
            triangles += [v, v + 1, v + columns, v + 1, v + columns + 1, v + columns]

    slots = [{"name": "cloth", "bone": "cloth0", "attachment": "banner-cloth"},
             {"name": "pole", "bone": "pole", "attachment": "banner-pole"}]
    attachments = {
        "cloth": {"banner-cloth": {"type": "mesh", "uvs": uvs, "triangles": triangles, "vertices": vertices,
                                   "hull": 0, "width": width, "height": height}},
        "pole": {"banner-pole": region(pole)},
    }
    period = 2.4
    animated = {}
    for i, bone in enumerate(chain):
        animated[bone] = {"rotate": sine_keys("angle", 1.2 + 1.6 * i, period, 0.6 * i)}
    # The lower half also flutters across its width.
    for i, bone in enumerate(chain[2:]):
        animated[bone]["shear"] = sine_keys("y", 3.0 + 2.0 * i, period / 2, 1.0 + 0.7 * i)
    skeleton = {
        "bones": bones,
        "slots": slots,
        "skins": [{"name": "default", "attachments": attachments}],
        "animations": {"animation": {"bones": animated}},
    }
    return skeleton, [pole, cloth]


def main():
    total = 0
    for name, build in (("Lamp", lamp), ("Banner", banner)):
        skeleton, images = build()
        total += write(SPINE, name, skeleton, images)
    print("wrote 2 skeletons, %d bytes" % total)


if __name__ == "__main__":
    main()
