#!/usr/bin/env python3
"""Makes Kesto's cinematic videos and the small videos the engine's tests decode.

Run from anywhere:  python3 tools/make_video.py   (or --tests-only)
Frames are drawn here with the standard library and the art modules in tools/art/ (seeded, so a rerun draws the
same pictures), at 320 x 180, and piped as raw RGB into the ffmpeg command-line tool, which scales them up 4x with
nearest-neighbour sampling (the game's pixel-art look) and encodes H.264 in mp4. It writes:
  Assets/Audio/Cinematics/KestoOpeningCinematicD2(NoVox).mp4   the intro, 20 s
  Assets/Audio/Cinematics/Ending_Cinematic.mp4                 the ending, 16 s
  tests/data/video/ (the test videos, see make_test_data)
A video plays the mp3 of the same name beside it, so each cinematic sits next to its sound track, which
tools/make_audio.py makes with the same length. The videos hold no audio stream of their own.
"""

import argparse
import os
import random
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
# keep the source tree free of bytecode caches
sys.dont_write_bytecode = True

from video import ending, intro  # noqa: E402
from video.compose import FPS, HEIGHT, WIDTH  # noqa: E402

ROOT = os.path.dirname(HERE)
CINEMATICS = os.path.join(ROOT, "Assets", "Audio", "Cinematics")
TEST_DATA = os.path.join(ROOT, "tests", "data", "video")
SCALE = 4

# Deterministic output: no encoder or muxer version strings, no creation time.
BITEXACT = ["-map_metadata", "-1", "-fflags", "+bitexact", "-flags:v", "+bitexact"]


def encode_frames(frames, width, height, target, video_args, filters=None):
    """Pipes RGB24 frames (bytes of width * height * 3, rows top first) into ffmpeg."""
    command = ["ffmpeg", "-hide_banner", "-loglevel", "error", "-y",
               "-f", "rawvideo", "-pix_fmt", "rgb24", "-s", "%dx%d" % (width, height), "-r", str(FPS), "-i", "-"]
    if filters:
        command += ["-vf", filters]
    command += video_args + BITEXACT + [target]
    encoder = subprocess.Popen(command, stdin=subprocess.PIPE)
    try:
        for frame in frames:
            encoder.stdin.write(frame)
    finally:
        encoder.stdin.close()
    if encoder.wait() != 0:
        raise SystemExit("ffmpeg failed on " + target)


def ffmpeg(arguments):
    subprocess.run(["ffmpeg", "-hide_banner", "-loglevel", "error", "-y"] + arguments, check=True)


# One reference picture and no B-frames: the player's decoder then holds three pictures rather than about twenty,
# some 30 MB less while a cinematic plays, for files a little larger.
CINEMATIC_ARGS = ["-c:v", "libx264", "-preset", "veryslow", "-tune", "animation", "-crf", "20", "-refs", "1",
                  "-bf", "0", "-pix_fmt", "yuv420p", "-movflags", "+faststart"]


def make_cinematics():
    os.makedirs(CINEMATICS, exist_ok=True)
    scale = "scale=%d:%d:flags=neighbor" % (WIDTH * SCALE, HEIGHT * SCALE)
    for name, film in (("KestoOpeningCinematicD2(NoVox)", intro), ("Ending_Cinematic", ending)):
        print("cinematic", name, flush=True)
        encode_frames(film.frames(), WIDTH, HEIGHT, os.path.join(CINEMATICS, name + ".mp4"), CINEMATIC_ARGS, scale)


# ---------------------------------------------------------------- test videos

TEST_W, TEST_H = 42, 24  # not a multiple of 8 or 16, so conversion and cropping handle row tails
TEST_FRAMES = 12
BOTTOM = (30, 60, 200)


def test_top_colour(k):
    """The upper half of test frame k; the lower half is BOTTOM in every frame."""
    return (200 - 12 * k, 40 + 12 * k, 30)


def test_frames():
    for k in range(TEST_FRAMES):
        top = bytes(test_top_colour(k)) * TEST_W
        bottom = bytes(BOTTOM) * TEST_W
        yield top * (TEST_H // 2) + bottom * (TEST_H // 2)


def mp4_boxes(data):
    """(offset, size, type) of each top-level box."""
    boxes, at = [], 0
    while at + 8 <= len(data):
        size = int.from_bytes(data[at:at + 4], "big")
        boxes.append((at, size, data[at + 4:at + 8]))
        if size < 8:
            break
        at += size
    return boxes


def make_test_data():
    os.makedirs(TEST_DATA, exist_ok=True)
    frames = os.path.join(TEST_DATA, "frames.mp4")
    # B-frames on (the default), so pictures leave the codec late and must be drained at the end of the file.
    test_args = ["-c:v", "libx264", "-preset", "medium", "-crf", "10", "-pix_fmt", "yuv420p", "-threads", "1"]
    encode_frames(test_frames(), TEST_W, TEST_H, frames, test_args)
    # Its sound track: half a second of A.
    ffmpeg(["-f", "lavfi", "-i", "sine=frequency=440:duration=0.5", "-c:a", "libmp3lame", "-b:a", "32k"] +
           BITEXACT + [os.path.join(TEST_DATA, "frames.mp3")])

    with open(frames, "rb") as source:
        whole = source.read()
    # The index (moov) is written after the pictures, so cutting the file in half loses it: nothing opens.
    with open(os.path.join(TEST_DATA, "cut_index.mp4"), "wb") as out:
        out.write(whole[:len(whole) // 2])
    # With the index first, a cut file opens and plays its first pictures before the data runs out.
    faststart = os.path.join(TEST_DATA, "faststart.tmp.mp4")
    ffmpeg(["-i", frames, "-c", "copy", "-movflags", "+faststart"] + BITEXACT + [faststart])
    with open(faststart, "rb") as source:
        indexed = source.read()
    # Cut inside the packet of the middle picture (in file order).
    packets = subprocess.run(["ffprobe", "-v", "error", "-show_entries", "packet=pos,size", "-of", "csv=p=0",
                              faststart], check=True, capture_output=True, text=True).stdout.split()
    middle_size, middle_position = (int(v) for v in packets[TEST_FRAMES // 2].split(","))   # ffprobe lists the size first
    with open(os.path.join(TEST_DATA, "cut_pictures.mp4"), "wb") as out:
        out.write(indexed[:middle_position + middle_size // 2])
    os.remove(faststart)

    with open(os.path.join(TEST_DATA, "empty.mp4"), "wb"):
        pass
    rng = random.Random(16)
    with open(os.path.join(TEST_DATA, "garbage.mp4"), "wb") as out:
        out.write(bytes(rng.randrange(256) for _ in range(4096)))
    ffmpeg(["-f", "lavfi", "-i", "sine=frequency=440:duration=0.1", "-c:a", "aac", "-b:a", "32k"] + BITEXACT +
           [os.path.join(TEST_DATA, "no_video.mp4")])
    # A well-formed header announcing 5000 x 5000 pictures.
    with open(os.path.join(TEST_DATA, "huge.y4m"), "wb") as out:
        out.write(b"YUV4MPEG2 W5000 H5000 F30:1 Ip A1:1 C420jpeg\nFRAME\n" + bytes(64))

    # Ten seconds of small pictures, for catching up after a long stall.
    long_video = os.path.join(TEST_DATA, "long.mp4")
    encode_frames((bytes((k % 256, 90, 160)) * (16 * 16) for k in range(300)), 16, 16, long_video,
                  test_args + ["-movflags", "+faststart"])
    # The same index over pictures whose data is destroyed: every packet is refused, none yields a picture.
    with open(long_video, "rb") as source:
        data = bytearray(source.read())
    for at, size, kind in mp4_boxes(data):
        if kind == b"mdat":
            data[at + 8:at + size] = b"\xff" * (size - 8)
    with open(os.path.join(TEST_DATA, "destroyed_pictures.mp4"), "wb") as out:
        out.write(data)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--tests-only", action="store_true", help="only write tests/data/video")
    arguments = parser.parse_args()
    make_test_data()
    if not arguments.tests_only:
        make_cinematics()


if __name__ == "__main__":
    main()
