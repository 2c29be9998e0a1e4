#!/usr/bin/env python3
"""Generate the art of the benchmarks.

Regenerate with:

    python3 tools/make_bench_art.py

The output is committed: bench/data/graphics/Orb.png, the sprite of the sprite-throughput scene that the frame-time
harness and the LÖVE peer (bench/peer/) both draw. It is a 32 x 32 lit ball with a soft edge: its corners are
transparent and its rim partly so, so drawing it really needs alpha blending, as most sprites of the game do.
"""

import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.dont_write_bytecode = True

from art.png import write_png  # noqa: E402

ROOT = os.path.dirname(HERE)
SIDE = 32
RADIUS = 15.0


def orb():
    """RGBA bytes, rows top to bottom: a ball lit from the upper left, its edge anti-aliased over one pixel."""
    pixels = bytearray()
    centre = SIDE / 2.0
    for y in range(SIDE):
        for x in range(SIDE):
            dx = (x + 0.5 - centre) / RADIUS
            dy = (y + 0.5 - centre) / RADIUS
            distance = math.hypot(dx, dy)
            coverage = max(0.0, min(1.0, (1.0 - distance) * RADIUS + 0.5))
            nz = math.sqrt(max(0.0, 1.0 - min(distance, 1.0) ** 2))
            light = max(0.0, -0.5 * dx - 0.5 * dy + 0.7 * nz)
            r = min(255, int(70 + 150 * light))
            g = min(255, int(120 + 120 * light))
            b = min(255, int(190 + 65 * light))
            pixels += bytes((r, g, b, int(round(255 * coverage))))
    return bytes(pixels)


def main():
    path = os.path.join(ROOT, "bench", "data", "graphics", "Orb.png")
    write_png(path, SIDE, SIDE, orb())
    print("wrote", os.path.relpath(path, ROOT))


if __name__ == "__main__":
    main()
