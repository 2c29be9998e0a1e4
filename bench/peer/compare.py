#!/usr/bin/env python3
"""Runs the sprite-throughput scene in Kesto (kesto_frame_bench) and in the LÖVE 11.4 peer (bench/peer/main.lua)
side by side, each on its own 1280 x 720 virtual display with the same software GL, alternating the two programs run
by run, and prints the medians and the ratios Kesto / LÖVE.

    bench/peer/compare.py [--build build-rel] [--runs 3] [--frames 60]

Needs xvfb-run, an optimised build of kesto_frame_bench, and LÖVE 11.4 (Debian package "love"; install it only to
benchmark, the game never needs it). Run it from the repository root.
"""

import argparse
import re
import shutil
import statistics
import subprocess
import sys

SCREEN = "1280x720x24"
COUNTS = (500, 1000, 2000)
FIXED = re.compile(r"^(kesto|love) (lit|unlit) (\d+) sprites\s+mean\s+([\d.]+) ms\s+p95\s+([\d.]+) ms")
LARGEST = re.compile(r"^(kesto|love) (lit|unlit): (\d+) sprites at 60 fps")


def run(command):
    """Runs one program on a display of its own and returns its output lines."""
    full = ["xvfb-run", "-a", "-s", "-screen 0 " + SCREEN] + command
    done = subprocess.run(full, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True, check=False)
    if done.returncode != 0:
        sys.exit("compare: %s failed with %d" % (" ".join(command), done.returncode))
    return done.stdout.splitlines()


def collect(lines, figures):
    for line in lines:
        fixed = FIXED.match(line)
        if fixed:
            who, mode, count, mean, p95 = fixed.groups()
            figures.setdefault((who, mode, int(count), "mean"), []).append(float(mean))
            figures.setdefault((who, mode, int(count), "p95"), []).append(float(p95))
        largest = LARGEST.match(line)
        if largest:
            who, mode, count = largest.groups()
            figures.setdefault((who, mode, "largest"), []).append(int(count))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default="build-rel", help="build tree holding bench/kesto_frame_bench")
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--frames", type=int, default=60, help="frames per measurement")
    args = parser.parse_args()
    if not shutil.which("love"):
        sys.exit("compare: LÖVE is not installed (apt-get install love, for benchmarking only)")
    kesto = [args.build + "/bench/kesto_frame_bench", str(args.frames), "sprites", "search"]
    counts = ",".join(str(count) for count in COUNTS)
    figures = {}
    for index in range(args.runs):
        print("run %d of %d" % (index + 1, args.runs), flush=True)
        collect(run(kesto), figures)
        for mode in ("lit", "unlit"):
            collect(run(["love", "bench/peer", mode, counts, str(args.frames)]), figures)
            collect(run(["love", "bench/peer", mode, "search", str(args.frames)]), figures)

    def median(key):
        values = figures.get(key)
        return statistics.median(values) if values else float("nan")

    print("\nmedians of %d runs, %d frames per measurement, %s, software GL" % (args.runs, args.frames, SCREEN))
    print("%-30s %12s %12s %12s" % ("", "Kesto", "LÖVE 11.4", "LÖVE/Kesto"))
    for mode in ("lit", "unlit"):
        for count in COUNTS:
            for what in ("mean", "p95"):
                k = median(("kesto", mode, count, what))
                peer = median(("love", mode, count, what))
                label = "%s %d sprites, %s ms" % (mode, count, what)
                print("%-30s %12.2f %12.2f %12.2f" % (label, k, peer, peer / k))
    print("%-30s %12s %12s %12s" % ("", "Kesto", "LÖVE 11.4", "Kesto/LÖVE"))
    for mode in ("lit", "unlit"):
        k = median(("kesto", mode, "largest"))
        peer = median(("love", mode, "largest"))
        print("%-30s %12.0f %12.0f %12.2f" % ("%s: sprites at 60 fps" % mode, k, peer, k / peer))


if __name__ == "__main__":
    main()
