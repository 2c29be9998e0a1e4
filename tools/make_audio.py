#!/usr/bin/env python3
"""Makes Kesto's audio content: synthesized sound effects and music, the banks and the GUID list.

Run from anywhere:  python3 tools/make_audio.py
Everything is synthesized here with the standard library (seeded, so a rerun gives the same sounds), written
as wav into a temporary folder and encoded with the ffmpeg command-line tool: ogg for the banks' sounds, mp3
for the cinematic sound tracks. It writes:
  Assets/Audio/FMOD_Project/ZW_FMOD_Project10.04/ZW_FMOD_Project/Build/GUIDs.txt
  Assets/Audio/FMOD_Project/ZW_FMOD_Project10.04/ZW_FMOD_Project/Build/Desktop/*.bank and Sounds/
  Assets/Audio/Cinematics/*.mp3
  tests/studio/data/ (the small files the studio layer's tests decode)
The bank format is described in docs/AudioBanks.md.
"""

import argparse
import math
import os
import random
import shutil
import struct
import subprocess
import tempfile
import uuid
import wave

RATE = 48000
ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.path.join(ROOT, "Assets", "Audio", "FMOD_Project", "ZW_FMOD_Project10.04", "ZW_FMOD_Project", "Build")
DESKTOP = os.path.join(BUILD, "Desktop")
CINEMATICS = os.path.join(ROOT, "Assets", "Audio", "Cinematics")
TEST_DATA = os.path.join(ROOT, "tests", "studio", "data")
TAU = 2.0 * math.pi


# ---------------------------------------------------------------- signal building blocks (lists of floats)

def frames(seconds):
    return int(round(seconds * RATE))


def silence(seconds):
    return [0.0] * frames(seconds)


def tone(freq, seconds, shape="sine", phase=0.0):
    """An oscillator; freq is a number or a function of time in seconds."""
    n = frames(seconds)
    out = [0.0] * n
    sin = math.sin
    fixed = not callable(freq)
    step = freq / RATE if fixed else 0.0
    for i in range(n):
        if not fixed:
            step = freq(i / RATE) / RATE
        phase += step
        phase -= int(phase)
        if shape == "sine":
            out[i] = sin(TAU * phase)
        elif shape == "saw":
            out[i] = 2.0 * phase - 1.0
        elif shape == "square":
            out[i] = 1.0 if phase < 0.5 else -1.0
        else:  # triangle
            out[i] = 4.0 * abs(phase - 0.5) - 1.0
    return out


def noise(seconds, rng):
    return [rng.uniform(-1.0, 1.0) for _ in range(frames(seconds))]


def glide(start, end, seconds, curve=1.0):
    """A frequency moving from start to end over seconds (exponentially), then held."""
    ratio = end / start

    def at(t):
        x = min(t / seconds, 1.0) ** curve
        return start * ratio ** x
    return at


def envelope(samples, attack, release, hold=None, power=1.0):
    """Linear attack, optional hold, then a decay to zero by the end (shaped by power)."""
    n = len(samples)
    a = max(1, frames(attack))
    h = frames(hold) if hold is not None else 0
    r = max(1, n - a - h) if release is None else max(1, frames(release))
    out = [0.0] * n
    for i in range(n):
        if i < a:
            g = i / a
        elif i < a + h:
            g = 1.0
        else:
            g = max(0.0, 1.0 - (i - a - h) / r) ** power
        out[i] = samples[i] * g
    return out


def decay(samples, seconds):
    """Exponential decay with the time constant seconds."""
    k = math.exp(-1.0 / (seconds * RATE))
    g = 1.0
    out = [0.0] * len(samples)
    for i, s in enumerate(samples):
        out[i] = s * g
        g *= k
    return out


def lowpass(samples, cutoff):
    """One-pole low-pass; cutoff is a number or a function of time."""
    out = [0.0] * len(samples)
    y = 0.0
    fixed = not callable(cutoff)
    a = 1.0 - math.exp(-TAU * cutoff / RATE) if fixed else 0.0
    for i, x in enumerate(samples):
        if not fixed:
            a = 1.0 - math.exp(-TAU * cutoff(i / RATE) / RATE)
        y += a * (x - y)
        out[i] = y
    return out


def highpass(samples, cutoff):
    low = lowpass(samples, cutoff)
    return [x - l for x, l in zip(samples, low)]


def bandpass(samples, center, q=2.0):
    """Biquad band-pass (constant peak gain); center is a number or a function of time."""
    out = [0.0] * len(samples)
    x1 = x2 = y1 = y2 = 0.0
    fixed = not callable(center)
    coefficients = None
    for i, x in enumerate(samples):
        if coefficients is None or (not fixed and i % 32 == 0):
            f = center if fixed else center(i / RATE)
            w = TAU * min(f, RATE * 0.45) / RATE
            alpha = math.sin(w) / (2.0 * q)
            a0 = 1.0 + alpha
            coefficients = (alpha / a0, -alpha / a0, -2.0 * math.cos(w) / a0, (1.0 - alpha) / a0)
        b0, b2, a1, a2 = coefficients
        y = b0 * x + b2 * x2 - a1 * y1 - a2 * y2
        x2, x1 = x1, x
        y2, y1 = y1, y
        out[i] = y
    return out


def gain(samples, amount):
    return [s * amount for s in samples]


def add(target, samples, at=0.0, amount=1.0):
    """Mixes samples into target starting at time at, growing target when needed."""
    start = frames(at)
    end = start + len(samples)
    if len(target) < end:
        target.extend([0.0] * (end - len(target)))
    for i, s in enumerate(samples):
        target[start + i] += s * amount
    return target


def normalize(samples, peak):
    top = max(1e-9, max(abs(s) for s in samples))
    return gain(samples, peak / top)


def fade_edges(samples, seconds=0.003):
    """Short fades at both ends, so one-shots start and stop without a click."""
    n = min(len(samples) // 2, frames(seconds))
    out = list(samples)
    for i in range(n):
        g = i / n
        out[i] *= g
        out[-1 - i] *= g
    return out


def make_loop(samples, length, overlap):
    """Cuts samples (at least length + overlap long) to length, blending the overlap into the start so the
    end runs seamlessly into the beginning."""
    n = frames(length)
    m = frames(overlap)
    out = samples[:n]
    for i in range(m):
        g = i / m
        out[i] = out[i] * g + samples[n + i] * (1.0 - g)
    return out


def fold_tail(channel, length):
    """For music rendered past its loop length: adds what rings on past the end onto the start."""
    n = frames(length)
    out = channel[:n] + [0.0] * max(0, n - len(channel))
    for i in range(n, len(channel)):
        out[i - n] += channel[i]
    return out


def midi(note):
    return 440.0 * 2.0 ** ((note - 69) / 12.0)


# ---------------------------------------------------------------- instruments

def pluck(freq, seconds, rng, brightness=0.5, damping=0.996):
    """Karplus-Strong string."""
    period = max(2, int(RATE / freq))
    line = [rng.uniform(-1.0, 1.0) for _ in range(period)]
    line = lowpass(line, 1000.0 + 9000.0 * brightness)
    n = frames(seconds)
    out = [0.0] * n
    index = 0
    previous = 0.0
    for i in range(n):
        current = line[index]
        out[i] = current
        line[index] = damping * 0.5 * (current + previous)
        previous = current
        index = (index + 1) % period
    return fade_edges(out, 0.002)


def bell(freq, seconds, partials=((1.0, 1.0, 1.0), (2.76, 0.45, 0.45), (5.4, 0.2, 0.25), (8.9, 0.08, 0.12))):
    """Additive bell: (ratio, level, decay time as a fraction of seconds) per partial."""
    out = [0.0] * frames(seconds)
    for ratio, level, length in partials:
        add(out, decay(tone(freq * ratio, seconds), seconds * length * 0.35), 0.0, level)
    return fade_edges(out)


def pad_note(freq, seconds, attack, release, cutoff=1400.0, detune=0.006):
    out = [0.0] * frames(seconds)
    for d in (-detune, 0.0, detune):
        add(out, tone(freq * (1.0 + d), seconds, "saw", phase=random.random()), 0.0, 0.33)
    out = lowpass(lowpass(out, cutoff), cutoff * 1.5)
    return envelope(out, attack, release, hold=max(0.0, seconds - attack - release))


def kick():
    body = tone(glide(160.0, 45.0, 0.12, 0.7), 0.35)
    click = decay(noise(0.01, random.Random(7)), 0.002)
    out = decay(body, 0.12)
    add(out, lowpass(click, 3000.0), 0.0, 0.5)
    return fade_edges(out)


def snare(rng):
    rattle = decay(bandpass(noise(0.25, rng), 2500.0, 0.8), 0.05)
    body = decay(tone(glide(240.0, 170.0, 0.05), 0.25), 0.04)
    out = add(gain(rattle, 1.2), body, 0.0, 0.6)
    return fade_edges(out)


def hat(rng, length=0.05):
    return fade_edges(decay(highpass(noise(length, rng), 7000.0), length * 0.3))


def electric_piano(freq, seconds):
    body = add(tone(freq, seconds), tone(freq * 2.0, seconds), 0.0, 0.25)
    add(body, decay(tone(freq * 7.0, seconds), 0.03), 0.0, 0.15)
    wobble = tone(4.0, seconds)
    body = [b * (0.85 + 0.15 * w) for b, w in zip(body, wobble)]
    return fade_edges(decay(body, seconds * 0.45))


# ---------------------------------------------------------------- sound effects

def sfx_jump(variant):
    rng = random.Random(10 + variant)
    start, end = (280.0, 640.0) if variant == 1 else (320.0, 720.0)
    chirp = tone(glide(start, end, 0.12, 0.8), 0.18)
    chirp = add(chirp, tone(glide(start * 2, end * 2, 0.12, 0.8), 0.18, "triangle"), 0.0, 0.2)
    chirp = envelope(chirp, 0.004, None, power=1.6)
    puff = envelope(lowpass(noise(0.05, rng), 900.0), 0.002, None, power=2.0)
    out = add(gain(chirp, 0.6), puff, 0.0, 0.9)
    return normalize(fade_edges(out), 0.7)


def sfx_footstep(variant):
    rng = random.Random(20 + variant)
    cutoff = (650.0, 800.0, 560.0, 720.0)[variant - 1]
    thump = decay(tone(95.0 + 8.0 * variant, 0.09), 0.02)
    scuff = decay(lowpass(noise(0.09, rng), cutoff), 0.015)
    grit = decay(bandpass(noise(0.09, rng), 2200.0 + 300.0 * variant, 1.5), 0.008)
    out = add(add(scuff, thump, 0.0, 0.8), grit, 0.0, 0.25)
    return normalize(fade_edges(out), 0.55)


def sfx_dash_attack():
    rng = random.Random(30)
    whoosh = bandpass(noise(0.38, rng), lambda t: 500.0 + 3800.0 * math.sin(math.pi * min(t / 0.38, 1.0)), 1.2)
    whoosh = envelope(whoosh, 0.06, None, power=1.5)
    thump = decay(tone(glide(110.0, 50.0, 0.1), 0.15), 0.04)
    zap = envelope(lowpass(tone(glide(1100.0, 280.0, 0.12), 0.14, "saw"), 2500.0), 0.002, None)
    out = add(add(gain(whoosh, 1.4), thump, 0.0, 0.9), zap, 0.0, 0.25)
    return normalize(fade_edges(out), 0.8)


def sfx_player_death():
    rng = random.Random(40)
    vibrato = lambda t: glide(620.0, 85.0, 0.7, 0.8)(t) * (1.0 + 0.03 * math.sin(TAU * 11.0 * t))
    fall = envelope(lowpass(tone(vibrato, 0.8, "square"), 1800.0), 0.005, None, power=1.2)
    crunch = decay(bandpass(noise(0.2, rng), 1400.0, 0.9), 0.05)
    boom = decay(tone(glide(90.0, 40.0, 0.3), 0.4), 0.12)
    out = add(add(gain(fall, 0.6), crunch, 0.0, 0.9), boom, 0.0, 0.8)
    return normalize(fade_edges(out), 0.8)


def sfx_player_respawn():
    rng = random.Random(50)
    out = silence(0.95)
    for index, note in enumerate((72, 76, 79, 84, 88)):
        add(out, bell(midi(note), 0.55, ((1.0, 1.0, 1.0), (2.0, 0.3, 0.5), (3.0, 0.1, 0.3))), 0.06 * index, 0.5)
    shimmer = envelope(highpass(noise(0.6, rng), 6000.0), 0.25, None)
    add(out, shimmer, 0.05, 0.12)
    return normalize(fade_edges(out), 0.7)


def sfx_time_slow_whoosh():
    rng = random.Random(60)
    sweep = bandpass(noise(0.75, rng), glide(3500.0, 250.0, 0.7, 0.7), 1.5)
    sweep = envelope(sweep, 0.15, None, power=1.3)
    drop = envelope(tone(glide(440.0, 110.0, 0.6), 0.75), 0.05, None, power=1.5)
    out = add(gain(sweep, 1.3), drop, 0.0, 0.35)
    return normalize(fade_edges(out), 0.7)


def sfx_time_slow_drone():
    # Every part repeats a whole number of times in 2 s, so the loop is seamless.
    length = 2.0
    out = silence(length)
    for freq, level in ((55.0, 0.5), (82.5, 0.3), (110.0, 0.15)):
        add(out, tone(freq, length, "triangle"), 0.0, level)
    breath = tone(0.5, length)
    shimmer = tone(880.0, length)
    shimmer_wobble = tone(2.0, length)
    out = [o * (0.75 + 0.25 * b) + 0.05 * s * (0.5 + 0.5 * w)
           for o, b, s, w in zip(out, breath, shimmer, shimmer_wobble)]
    return normalize(out, 0.35)


def sfx_portal():
    rng = random.Random(70)
    out = bell(880.0, 0.9)
    add(out, envelope(highpass(noise(0.12, rng), 5000.0), 0.002, None), 0.0, 0.2)
    return normalize(fade_edges(out), 0.7)


def sfx_enemy_death():
    rng = random.Random(80)
    squeal = envelope(lowpass(tone(glide(850.0, 140.0, 0.25), 0.3, "square"), 2200.0), 0.003, None)
    splat = decay(bandpass(noise(0.25, rng), 800.0, 0.8), 0.05)
    pop = decay(tone(210.0, 0.05), 0.012)
    out = add(add(gain(squeal, 0.5), splat, 0.02, 1.0), pop, 0.0, 0.8)
    return normalize(fade_edges(out), 0.75)


def sfx_platform_fall():
    rng = random.Random(90)
    creak = bandpass(tone(lambda t: 150.0 + 25.0 * math.sin(TAU * 7.0 * t), 0.3, "saw"), 900.0, 3.0)
    creak = envelope(creak, 0.02, None, hold=0.2)
    rumble = envelope(lowpass(lowpass(noise(1.0, rng), 180.0), 240.0), 0.15, None, power=1.4)
    out = add(gain(creak, 0.9), rumble, 0.2, 4.0)
    return normalize(fade_edges(out), 0.8)


def sfx_checkpoint():
    out = silence(1.1)
    add(out, bell(midi(76), 0.9), 0.0, 0.6)
    add(out, bell(midi(83), 1.0), 0.12, 0.6)
    add(out, pad_note(midi(64), 1.0, 0.1, 0.8, cutoff=900.0), 0.05, 0.15)
    return normalize(fade_edges(out), 0.7)


def sfx_laser_hum():
    rng = random.Random(100)
    # Two seconds: FFmpeg's Ogg reader drops the last short block of some very short files, which would tick.
    length, overlap = 2.0, 0.1
    total = length + overlap
    buzz = silence(total)
    for harmonic in range(1, 11):
        add(buzz, tone(120.0 * harmonic, total), 0.0, 0.6 / harmonic)
    pulse = tone(8.0, total)
    crackle = bandpass(noise(total, rng), 3000.0, 2.0)
    out = [b * (0.8 + 0.2 * p) + 0.15 * c for b, p, c in zip(buzz, pulse, crackle)]
    out = lowpass(out, 4000.0)
    return normalize(make_loop(out, length, overlap), 0.45)


def sfx_laser_switch():
    rng = random.Random(110)
    out = silence(0.3)
    for at in (0.0, 0.045):
        click = decay(highpass(noise(0.02, rng), 3000.0), 0.003)
        add(out, click, at, 0.8)
    add(out, decay(tone(125.0, 0.12), 0.03), 0.0, 0.9)
    add(out, envelope(bandpass(tone(100.0, 0.15, "square"), 600.0, 2.0), 0.005, None), 0.05, 0.3)
    return normalize(fade_edges(out), 0.7)


def sfx_final_lasers():
    rng = random.Random(120)
    charge = tone(glide(180.0, 1500.0, 0.8, 1.3), 0.85, "saw")
    charge = envelope(lowpass(charge, glide(600.0, 6000.0, 0.8)), 0.3, 0.05, hold=0.5)
    hiss = envelope(highpass(noise(0.85, rng), 2000.0), 0.8, 0.05)
    blast = decay(lowpass(noise(0.6, rng), 2500.0), 0.12)
    boom = decay(tone(glide(80.0, 35.0, 0.4), 0.6), 0.2)
    out = add(add(gain(charge, 0.4), hiss, 0.0, 0.15), blast, 0.8, 0.8)
    add(out, boom, 0.8, 1.0)
    return normalize(fade_edges(out), 0.85)


def sfx_menu_hover():
    out = decay(add(tone(1320.0, 0.06), tone(2640.0, 0.06), 0.0, 0.2), 0.012)
    return normalize(fade_edges(out, 0.001), 0.45)


def sfx_menu_click():
    rng = random.Random(130)
    out = decay(tone(2000.0, 0.04, "triangle"), 0.006)
    add(out, decay(highpass(noise(0.01, rng), 4000.0), 0.002), 0.0, 0.5)
    return normalize(fade_edges(out, 0.001), 0.5)


def sfx_menu_back():
    out = silence(0.16)
    add(out, decay(tone(784.0, 0.07), 0.02), 0.0)
    add(out, decay(tone(1175.0, 0.09), 0.025), 0.06)
    return normalize(fade_edges(out, 0.001), 0.5)


# ---------------------------------------------------------------- music (stereo: (left, right))

class Track:
    def __init__(self, length, tail=3.0):
        self.length = length
        self.left = silence(length + tail)
        self.right = silence(length + tail)

    def put(self, samples, at, level, pan=0.0):
        """pan -1 (left) .. 1 (right)."""
        add(self.left, samples, at, level * min(1.0, 1.0 - pan))
        add(self.right, samples, at, level * min(1.0, 1.0 + pan))

    def looped(self):
        return balanced(fold_tail(self.left, self.length), fold_tail(self.right, self.length))

    def ended(self, fade_out):
        n = frames(self.length)
        left, right = self.left[:n], self.right[:n]
        m = frames(fade_out)
        for i in range(m):
            g = i / m
            left[n - 1 - i] *= g
            right[n - 1 - i] *= g
        return balanced(left, right)


def balanced(left, right, loudness=0.12, ceiling=0.9):
    """Scales a piece to a common loudness (RMS over both sides), keeping its peak under ceiling."""
    rms = math.sqrt((sum(v * v for v in left) + sum(v * v for v in right)) / (len(left) + len(right)))
    peak = max(max(abs(v) for v in left), max(abs(v) for v in right))
    amount = min(loudness / max(rms, 1e-9), ceiling / max(peak, 1e-9))
    return gain(left, amount), gain(right, amount)


def chord_notes(root, kind):
    steps = {"min": (0, 3, 7), "maj": (0, 4, 7), "maj7": (0, 4, 7, 11), "min7": (0, 3, 7, 10)}[kind]
    return [root + s for s in steps]


def music_main_menu():
    rng = random.Random(200)
    bpm, bars = 90.0, 6
    beat = 60.0 / bpm
    bar = 4 * beat
    track = Track(bars * bar)
    chords = [(57, "min"), (53, "maj"), (48, "maj"), (55, "maj"), (57, "min"), (52, "maj")]
    for index, (root, kind) in enumerate(chords):
        start = index * bar
        notes = chord_notes(root, kind)
        for n, note in enumerate(notes):
            track.put(pad_note(midi(note), bar + 0.6, 0.8, 1.2, cutoff=1100.0), start, 0.09, pan=(n - 1) * 0.4)
        track.put(pad_note(midi(root - 12), bar + 0.4, 0.3, 1.0, cutoff=500.0), start, 0.12)
        arpeggio = notes + [notes[1] + 12, notes[0] + 12]
        for step in range(8):
            note = arpeggio[(step * 3 + index) % len(arpeggio)] + 12
            track.put(pluck(midi(note), 1.2, rng, 0.35, 0.995), start + step * beat / 2, 0.13,
                      pan=0.5 * math.sin(step))
    melody = [(0, 76), (3, 74), (4, 72), (6, 71), (8, 72), (11, 69), (12, 76), (14, 74), (16, 72), (19, 71),
              (20, 69), (22, 68)]
    for beat_index, note in melody:
        track.put(bell(midi(note), 1.8), beat_index * beat, 0.1, pan=-0.2)
    return track.looped()


def music_stage():
    rng = random.Random(300)
    bpm, bars = 120.0, 8
    beat = 60.0 / bpm
    bar = 4 * beat
    track = Track(bars * bar)
    kick_sound, snare_sound = kick(), snare(rng)
    hats = [hat(rng, 0.04), hat(rng, 0.12)]
    chords = [(50, "min"), (46, "maj"), (53, "maj"), (48, "maj")] * 2
    for index, (root, kind) in enumerate(chords):
        start = index * bar
        notes = chord_notes(root, kind)
        for n, note in enumerate(notes):
            track.put(pad_note(midi(note + 12), bar + 0.3, 0.05, 0.4, cutoff=1600.0), start, 0.05, pan=(n - 1) * 0.5)
        for b in range(4):
            at = start + b * beat
            track.put(kick_sound, at, 0.55) if b in (0, 2) else track.put(snare_sound, at, 0.32, pan=0.1)
            if b == 3 and index % 2 == 1:
                track.put(kick_sound, at + beat / 2, 0.45)
        for e in range(8):
            track.put(hats[e % 2], start + e * beat / 2, 0.12 if e % 2 else 0.08, pan=0.35)
        for e in range(8):
            note = root - 12 + (12 if e in (3, 6) else 0)
            bass = envelope(lowpass(tone(midi(note), beat / 2, "saw"), 420.0), 0.004, None, power=0.7)
            track.put(bass, start + e * beat / 2, 0.32)
        arpeggio = notes + [notes[0] + 12]
        for s in range(16):
            note = arpeggio[s % len(arpeggio)] + 24
            lead = envelope(lowpass(tone(midi(note), 0.11, "square"), 2600.0), 0.003, None, power=1.5)
            track.put(lead, start + s * beat / 4, 0.05 if index < 4 else 0.07, pan=-0.4 + 0.05 * (s % 4))
    hook = [(0, 74), (1.5, 77), (3, 76), (4, 72), (6, 74), (7, 69)]
    for half in (4, 6):
        for offset, note in hook:
            track.put(pluck(midi(note), 0.9, rng, 0.7, 0.996), (half * 4 + offset) * beat, 0.16, pan=0.25)
    return track.looped()


def music_pause_menu():
    bpm, bars = 80.0, 4
    beat = 60.0 / bpm
    bar = 4 * beat
    track = Track(bars * bar)
    chords = [(53, "maj7"), (52, "min7"), (50, "min7"), (48, "maj7")]
    for index, (root, kind) in enumerate(chords):
        start = index * bar
        notes = chord_notes(root, kind)
        for hit, at in enumerate((0.0, 1.5, 2.5)):
            for n, note in enumerate(notes):
                track.put(electric_piano(midi(note), 2.2), start + at * beat + n * 0.012, 0.07 if hit else 0.09,
                          pan=(n - 1.5) * 0.25)
        track.put(pad_note(midi(root - 12), bar + 0.4, 0.2, 1.0, cutoff=350.0), start, 0.2)
    return track.looped()


# The lab's loop: a pulsing bass under a ticking clock, a low drone and an alarm-like motif, in D minor at 100 bpm.
def music_lab():
    rng = random.Random(500)
    bpm, bars = 100.0, 8
    beat = 60.0 / bpm
    bar = 4 * beat
    track = Track(bars * bar)
    kick_sound, snare_sound = kick(), snare(rng)
    ticks = [hat(rng, 0.03), hat(rng, 0.08)]
    chords = [(50, "min"), (50, "min"), (46, "maj"), (45, "min"), (50, "min"), (53, "maj"), (46, "maj"), (45, "maj")]
    drone = lowpass(add(tone(midi(38), bars * bar, "saw"), tone(midi(45), bars * bar, "saw"), 0.0, 0.6), 180.0)
    track.put(envelope(drone, 1.0, 1.0), 0.0, 0.12)
    for index, (root, kind) in enumerate(chords):
        start = index * bar
        notes = chord_notes(root, kind)
        for n, note in enumerate(notes):
            track.put(pad_note(midi(note), bar + 0.4, 0.4, 0.8, cutoff=900.0), start, 0.05, pan=(n - 1) * 0.6)
        for e in range(16):
            at = start + e * beat / 4
            note = root - 12 + (7 if e % 8 == 6 else 0)
            bass = envelope(lowpass(tone(midi(note), beat / 4, "saw"), 300.0 + 200.0 * (e % 4 == 0)), 0.003, None,
                            power=1.2)
            track.put(bass, at, 0.3 if e % 4 == 0 else 0.2)
            track.put(ticks[e % 2], at, 0.05 if e % 2 else 0.09, pan=0.4 if e % 4 < 2 else -0.4)
        if index >= 2:
            for b in range(4):
                at = start + b * beat
                if b in (0, 2) or (b == 3 and index % 2):
                    track.put(kick_sound, at + (beat / 2 if b == 3 else 0.0), 0.45)
                if b == 2 and index >= 4:
                    track.put(snare_sound, at + beat / 2, 0.18, pan=-0.1)
    # the alarm motif: two notes a tritone apart, answered an octave down
    for index in (1, 3, 5, 7):
        for k, note in enumerate((74, 80, 74, 68)):
            track.put(bell(midi(note), 1.2), index * bar + (2 + k * 0.5) * beat, 0.06, pan=0.3 - 0.2 * k)
    return track.looped()


# ---- the night stages (Old Forest, Power Station): one slow loop, a pulsing bass under pads, sparse bells
def music_night():
    rng = random.Random(700)
    bpm, bars = 96.0, 8
    beat = 60.0 / bpm
    bar = 4 * beat
    track = Track(bars * bar)
    kick_sound = kick()
    hats = [hat(rng, 0.03), hat(rng, 0.08)]
    chords = [(45, "min7"), (41, "maj7"), (43, "maj"), (40, "min7")] * 2
    for index, (root, kind) in enumerate(chords):
        start = index * bar
        notes = chord_notes(root, kind)
        for n, note in enumerate(notes):
            track.put(pad_note(midi(note + 12), bar + 0.8, 0.6, 1.2, cutoff=900.0), start, 0.07, pan=(n - 1.5) * 0.4)
        for e in range(8):
            bass = envelope(lowpass(tone(midi(root - 12), beat / 2, "saw"), 300.0), 0.01, None, power=1.2)
            track.put(bass, start + e * beat / 2, 0.22 if e % 2 == 0 else 0.14)
        if index >= 2:
            for b in range(4):
                track.put(kick_sound, start + b * beat, 0.3 if b % 2 == 0 else 0.16)
            for e in range(16):
                if e % 4 != 0:
                    track.put(hats[e % 2], start + e * beat / 4, 0.05 + 0.03 * (e % 2), pan=0.4)
        arpeggio = notes + [notes[1] + 12]
        for s in range(8):
            if (s + index) % 3 == 0:
                note = arpeggio[(s * 2 + index) % len(arpeggio)] + 24
                track.put(pluck(midi(note), 1.4, rng, 0.3, 0.997), start + s * beat / 2, 0.1, pan=0.5 * math.sin(s + index))
    for beat_index, note in ((2, 81), (7, 79), (10, 76), (18, 84), (23, 81), (26, 79), (30, 76)):
        track.put(bell(midi(note), 2.4), beat_index * beat, 0.06, pan=-0.3)
    return track.looped()


# The two sound tracks are as long as the videos tools/make_video.py draws to them (20 s and 16 s); a video plays
# the mp3 of its own name.
def cinematic_opening():
    rng = random.Random(400)
    track = Track(20.0, tail=0.0)
    drone = lowpass(add(tone(32.7, 20.0, "saw"), tone(49.0, 20.0, "saw"), 0.0, 0.7), 220.0)
    track.put(envelope(drone, 4.0, 3.0, hold=13.0), 0.0, 0.35)
    chords = [(48, "min"), (44, "maj"), (51, "maj"), (46, "maj"), (48, "min")]
    for index, (root, kind) in enumerate(chords):
        for n, note in enumerate(chord_notes(root, kind)):
            track.put(pad_note(midi(note), 4.6, 1.5, 2.0, cutoff=700.0 + 250.0 * index), index * 4.0, 0.08,
                      pan=(n - 1) * 0.5)
    for at, note in ((6.0, 72), (7.0, 75), (8.0, 79), (10.0, 77), (11.0, 75), (12.0, 74), (14.0, 72)):
        track.put(bell(midi(note), 2.5), at, 0.09, pan=0.2)
    rise = envelope(bandpass(noise(4.0, rng), glide(200.0, 4000.0, 4.0), 2.0), 3.5, 0.3)
    track.put(rise, 12.0, 0.25)
    track.put(decay(tone(glide(70.0, 30.0, 1.0), 2.5), 0.6), 16.0, 0.6)
    return track.ended(1.5)


def cinematic_ending():
    rng = random.Random(500)
    track = Track(16.0, tail=0.0)
    chords = [(53, "maj"), (52, "min"), (50, "min"), (46, "maj"), (48, "maj"), (53, "maj")]
    for index, (root, kind) in enumerate(chords):
        start = index * 2.5
        notes = chord_notes(root, kind)
        for n, note in enumerate(notes):
            track.put(pad_note(midi(note), 3.2, 0.6, 1.5, cutoff=1200.0), start, 0.08, pan=(n - 1) * 0.4)
        track.put(pad_note(midi(root - 12), 3.0, 0.4, 1.2, cutoff=400.0), start, 0.14)
        for step in range(6):
            note = notes[step % 3] + 12 * (1 + step // 3)
            track.put(pluck(midi(note), 1.5, rng, 0.4, 0.996), start + step * 0.4, 0.1, pan=0.3 * math.cos(step))
    for at, note in ((10.0, 77), (11.0, 81), (12.5, 84)):
        track.put(bell(midi(note), 3.0), at, 0.1)
    return track.ended(2.5)


# ---------------------------------------------------------------- files

def write_wav(path, channels, sample_rate=RATE):
    """channels: one list (mono) or a (left, right) pair; values are clipped to [-1, 1]."""
    if isinstance(channels, tuple):
        left, right = channels
        interleaved = [v for pair in zip(left, right) for v in pair]
        count = 2
    else:
        interleaved = channels
        count = 1
    data = struct.pack("<%dh" % len(interleaved),
                       *(int(round(max(-1.0, min(1.0, v)) * 32767.0)) for v in interleaved))
    with wave.open(path, "wb") as out:
        out.setnchannels(count)
        out.setsampwidth(2)
        out.setframerate(sample_rate)
        out.writeframes(data)


def encode(source, target, codec_args):
    command = ["ffmpeg", "-hide_banner", "-loglevel", "error", "-y", "-i", source, "-map_metadata", "-1",
               "-fflags", "+bitexact", "-flags:a", "+bitexact"]
    subprocess.run(command + codec_args + [target], check=True)


OGG = ["-c:a", "libvorbis", "-q:a", "3"]
MP3 = ["-c:a", "libmp3lame", "-b:a", "128k"]


def guid(path):
    return "{" + str(uuid.uuid5(uuid.NAMESPACE_URL, "kesto-audio:" + path)) + "}"


# ---------------------------------------------------------------- the project: buses, parameters, events

# Sound files by name (under Desktop/Sounds/) and how they are made.
SOUNDS = {
    "Player/Jump_1": lambda: sfx_jump(1),
    "Player/Jump_2": lambda: sfx_jump(2),
    "Player/Footstep_1": lambda: sfx_footstep(1),
    "Player/Footstep_2": lambda: sfx_footstep(2),
    "Player/Footstep_3": lambda: sfx_footstep(3),
    "Player/Footstep_4": lambda: sfx_footstep(4),
    "Player/Dash_Attack": sfx_dash_attack,
    "Player/Player_Death": sfx_player_death,
    "Player/Player_Respawn": sfx_player_respawn,
    "Player/Time_Slow_Whoosh": sfx_time_slow_whoosh,
    "Player/Time_Slow_Drone": sfx_time_slow_drone,
    "Player/Dash_Recharge_Portal": sfx_portal,
    "Enemy/Enemy_Death": sfx_enemy_death,
    "Environment/Platform_Fall": sfx_platform_fall,
    "Environment/Checkpoint": sfx_checkpoint,
    "Environment/Laser_Hum": sfx_laser_hum,
    "Environment/Laser_Switch": sfx_laser_switch,
    "Environment/Final_Lasers": sfx_final_lasers,
    "UI/Menu_Hover": sfx_menu_hover,
    "UI/Menu_Click": sfx_menu_click,
    "UI/Menu_Back": sfx_menu_back,
    "Music/Main_Menu_Loop": music_main_menu,
    "Music/Stage_Loop": music_stage,
    "Music/Pause_Menu_Loop": music_pause_menu,
    "Music/Night_Loop": music_night,
    "Music/Lab_Loop": music_lab,
}

MASTER_BANK = """kesto-bank 1
# Master bank: the mix buses, the global parameters and what the parameters do to the buses.

bus "bus:/SFX"
bus "bus:/SFX/Time_Slow"
bus "bus:/Reverb" echo 0.11 0.35
bus "bus:/Music"
bus "bus:/Music/Pause_Menu"

# 1 while time is slowed, 0 otherwise.
parameter "parameter:/Time_Slow" global default 0 min 0 max 1 seek 4
# 1 while the game is paused, 0 otherwise.
parameter "parameter:/Pause_Menu" global default 0 min 0 max 1 seek 3
# Counts portals taken in quick succession, 1 to 6.
parameter "parameter:/Portal_Rise" global default 0 min 0 max 6
# Counts the final level's lasers that have fired.
parameter "parameter:/FinalLasers" global default 0 min 0 max 16

# Slowed time: effects play lower and darker.
effect "parameter:/Time_Slow" "bus:/SFX" pitch 0:1 1:0.8
effect "parameter:/Time_Slow" "bus:/SFX" lowpass 0:22000 1:2200
effect "parameter:/Time_Slow" "bus:/Reverb" pitch 0:1 1:0.8
effect "parameter:/Time_Slow" "bus:/Reverb" lowpass 0:22000 1:2200
"""

SFX_BANK = """kesto-bank 1
# Sound effects of the player, the enemies and the level.

event "event:/SFX/Player/Jump" bus "bus:/SFX" random
sound "Sounds/Player/Jump_1.ogg"
sound "Sounds/Player/Jump_2.ogg"

event "event:/SFX/Player/Footsteps" bus "bus:/SFX" volume 0.7 random
sound "Sounds/Player/Footstep_1.ogg"
sound "Sounds/Player/Footstep_2.ogg" pitch 1.04
sound "Sounds/Player/Footstep_3.ogg"
sound "Sounds/Player/Footstep_4.ogg" pitch 0.96

event "event:/SFX/Player/Dash_Attack" bus "bus:/SFX"
sound "Sounds/Player/Dash_Attack.ogg"

event "event:/SFX/Player/Player_Death" bus "bus:/SFX"
sound "Sounds/Player/Player_Death.ogg"

event "event:/SFX/Player/Player_Respawn" bus "bus:/SFX"
sound "Sounds/Player/Player_Respawn.ogg"

# Started when time slows down and stopped when it returns: a whoosh, then a drone for as long as it lasts.
event "event:/SFX/Player/Time Slow" bus "bus:/SFX/Time_Slow" fadeout 0.3
sound "Sounds/Player/Time_Slow_Whoosh.ogg"
sound "Sounds/Player/Time_Slow_Drone.ogg" volume 0.8 loop delay 0.2

# Rises a step with each portal taken in quick succession.
event "event:/SFX/Player/Dash_Recharge_Portal" bus "bus:/SFX"
sound "Sounds/Player/Dash_Recharge_Portal.ogg"
effect "parameter:/Portal_Rise" "event:/SFX/Player/Dash_Recharge_Portal" pitch 1:1 2:1.1225 3:1.2599 4:1.4983 5:1.6818 6:2

event "event:/SFX/Enemy/Enemy_Death" bus "bus:/SFX" range 400 2600
sound "Sounds/Enemy/Enemy_Death.ogg"

event "event:/SFX/Environment/PLATFORM_FALL" bus "bus:/Reverb" range 400 2600
sound "Sounds/Environment/Platform_Fall.ogg"

event "event:/SFX/Environment/CHECKPOINT" bus "bus:/Reverb"
sound "Sounds/Environment/Checkpoint.ogg"

# A laser's hum: 0 while the beam is on, 0.4 while it is off (silent, sagging in pitch).
parameter "parameter:/Laser_OnOff" local default 0 min 0 max 1 seek 2.5
event "event:/SFX/Environment/LASER_TRAP" bus "bus:/SFX" range 250 1800
sound "Sounds/Environment/Laser_Hum.ogg" loop
effect "parameter:/Laser_OnOff" "event:/SFX/Environment/LASER_TRAP" volume 0:1 0.4:0
effect "parameter:/Laser_OnOff" "event:/SFX/Environment/LASER_TRAP" pitch 0:1 0.4:0.7

event "event:/SFX/Environment/Laser_Switch" bus "bus:/Reverb" range 400 2600
sound "Sounds/Environment/Laser_Switch.ogg"

# Each of the final lasers fires a little higher and louder than the one before.
event "event:/SFX/Environment/FinalLasers" bus "bus:/Reverb"
sound "Sounds/Environment/Final_Lasers.ogg"
effect "parameter:/FinalLasers" "event:/SFX/Environment/FinalLasers" pitch 0:1 8:1.5
effect "parameter:/FinalLasers" "event:/SFX/Environment/FinalLasers" volume 0:0.75 8:1
"""

UI_BANK = """kesto-bank 1
# Menu sounds.

event "event:/SFX/UI/Menu_Hover" bus "bus:/SFX"
sound "Sounds/UI/Menu_Hover.ogg"

event "event:/SFX/UI/Menu_Click" bus "bus:/SFX"
sound "Sounds/UI/Menu_Click.ogg"

event "event:/SFX/UI/Menu_Back" bus "bus:/SFX"
sound "Sounds/UI/Menu_Back.ogg"
"""

MUSIC_BANK = """kesto-bank 1
# Music: the menu and stage loops and the pause-menu music.

event "event:/Music/Main_Menu" bus "bus:/Music" fadein 1 fadeout 1.5
sound "Sounds/Music/Main_Menu_Loop.ogg" volume 0.9 loop

event "event:/Music/Stage" bus "bus:/Music" fadein 0.5 fadeout 1.5
sound "Sounds/Music/Stage_Loop.ogg" volume 0.9 loop

# The night stages (Old Forest, Power Station).
event "event:/Music/Night" bus "bus:/Music" fadein 0.5 fadeout 1.5
sound "Sounds/Music/Night_Loop.ogg" volume 0.9 loop
effect "parameter:/Pause_Menu" "event:/Music/Night" volume 0:1 1:0.25
effect "parameter:/Pause_Menu" "event:/Music/Night" lowpass 0:22000 1:900
effect "parameter:/Time_Slow" "event:/Music/Night" lowpass 0:22000 1:3000

# Plays while the game is paused.
event "event:/Music/Functionality/Pause_Menu" bus "bus:/Music/Pause_Menu" fadein 0.6 fadeout 0.4
sound "Sounds/Music/Pause_Menu_Loop.ogg" loop

# Pausing ducks and muffles the level's music under the pause music; slowed time muffles it a little.
effect "parameter:/Pause_Menu" "event:/Music/Main_Menu" volume 0:1 1:0.25
effect "parameter:/Pause_Menu" "event:/Music/Main_Menu" lowpass 0:22000 1:900
effect "parameter:/Pause_Menu" "event:/Music/Stage" volume 0:1 1:0.25
effect "parameter:/Pause_Menu" "event:/Music/Stage" lowpass 0:22000 1:900
effect "parameter:/Time_Slow" "event:/Music/Stage" lowpass 0:22000 1:3000

# The lab levels' loop: muffled by the pause like the stage music, and opening up as the final lasers fire.
event "event:/Music/Lab" bus "bus:/Music" fadein 0.5 fadeout 1.5
sound "Sounds/Music/Lab_Loop.ogg" volume 0.9 loop
effect "parameter:/Pause_Menu" "event:/Music/Lab" volume 0:1 1:0.25
effect "parameter:/Pause_Menu" "event:/Music/Lab" lowpass 0:22000 1:900
effect "parameter:/Time_Slow" "event:/Music/Lab" lowpass 0:22000 1:3000
effect "parameter:/FinalLasers" "event:/Music/Lab" volume 0:0.9 3:1
"""

# ---------------------------------------------------------------- the quarry and the shaft (stages 2 and 3)

def music_quarry():
    """Dusk in the old quarry: a low drone, plucked minor arpeggios, a slow hand-drum pulse and a sparse bell."""
    rng = random.Random(500)
    bpm, bars = 96.0, 8
    beat = 60.0 / bpm
    bar = 4 * beat
    track = Track(bars * bar)
    kick_sound = lowpass(kick(), 300.0)
    hats = [hat(rng, 0.03), hat(rng, 0.08)]
    chords = [(45, "min"), (45, "min"), (41, "maj"), (43, "maj"), (45, "min"), (48, "maj"), (41, "maj7"), (40, "min")]
    for index, (root, kind) in enumerate(chords):
        start = index * bar
        notes = chord_notes(root, kind)
        track.put(pad_note(midi(root - 12), bar + 0.5, 0.6, 0.8, cutoff=300.0), start, 0.16)
        for n, note in enumerate(notes[:3]):
            track.put(pad_note(midi(note + 12), bar + 0.5, 0.9, 1.0, cutoff=900.0, detune=0.01), start, 0.045,
                      pan=(n - 1) * 0.6)
        arpeggio = [notes[0], notes[2], notes[1] + 12, notes[2], notes[0] + 12, notes[2], notes[1] + 12, notes[2]]
        for e, note in enumerate(arpeggio):
            track.put(pluck(midi(note + 12), 1.4, rng, 0.45, 0.994), start + e * beat / 2, 0.12,
                      pan=-0.3 + 0.6 * (e % 2))
        for b in range(4):
            track.put(kick_sound, start + b * beat, 0.4 if b in (0, 2) else 0.18)
            track.put(hats[b % 2], start + b * beat + beat / 2, 0.06, pan=0.4)
    tune = [(2, 76), (3.5, 74), (4, 72), (10, 71), (11, 72), (12, 69), (18, 76), (19.5, 77), (20, 76), (22, 74),
            (26, 72), (27, 71), (28, 69)]
    for at, note in tune:
        track.put(bell(midi(note), 2.4), at * beat + bar, 0.07, pan=0.2)
    return track.looped()


SOUNDS["Music/Quarry_Loop"] = music_quarry
MUSIC_BANK += """
# The quarry and the mine shaft below it.
event "event:/Music/Quarry" bus "bus:/Music" fadein 1 fadeout 1.5
sound "Sounds/Music/Quarry_Loop.ogg" volume 0.9 loop
effect "parameter:/Pause_Menu" "event:/Music/Quarry" volume 0:1 1:0.25
effect "parameter:/Pause_Menu" "event:/Music/Quarry" lowpass 0:22000 1:900
effect "parameter:/Time_Slow" "event:/Music/Quarry" lowpass 0:22000 1:3000
"""


BANKS = {"Master": MASTER_BANK, "SFX": SFX_BANK, "UI": UI_BANK, "Music": MUSIC_BANK}


def bank_paths(text, keyword):
    """The quoted paths declared by lines starting with keyword."""
    found = []
    for line in text.splitlines():
        if line.startswith(keyword + ' "'):
            found.append(line.split('"')[1])
    return found


def write_guids(path):
    lines = [guid("bank:/" + name) + " bank:/" + name for name in BANKS]
    lines.append(guid("bus:/") + " bus:/")
    for kind in ("bus", "event", "parameter"):
        for text in BANKS.values():
            lines += [guid(p) + " " + p for p in bank_paths(text, kind)]
    with open(path, "w", newline="\n") as out:
        out.write("\n".join(lines) + "\n")


def make_content(work):
    if os.path.isdir(DESKTOP):
        shutil.rmtree(DESKTOP)
    os.makedirs(DESKTOP)
    os.makedirs(CINEMATICS, exist_ok=True)
    for name, make in SOUNDS.items():
        print("sound", name, flush=True)
        wav = os.path.join(work, name.replace("/", "_") + ".wav")
        write_wav(wav, make())
        target = os.path.join(DESKTOP, "Sounds", name + ".ogg")
        os.makedirs(os.path.dirname(target), exist_ok=True)
        encode(wav, target, OGG)
    for name, text in BANKS.items():
        with open(os.path.join(DESKTOP, name + ".bank"), "w", newline="\n") as out:
            out.write(text)
    write_guids(os.path.join(BUILD, "GUIDs.txt"))
    for name, make in (("KestoOpeningCinematicD2(NoVox)", cinematic_opening), ("Ending_Cinematic", cinematic_ending)):
        print("cinematic", name, flush=True)
        wav = os.path.join(work, "cinematic.wav")
        write_wav(wav, make())
        encode(wav, os.path.join(CINEMATICS, name + ".mp3"), MP3)


def make_test_data(work):
    os.makedirs(TEST_DATA, exist_ok=True)
    # Exact levels for the mixer tests: 0.5 is 16384 / 32768, which converts to float without rounding.
    with wave.open(os.path.join(TEST_DATA, "level.wav"), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(struct.pack("<h", 16384) * 4800)
    with wave.open(os.path.join(TEST_DATA, "stereo.wav"), "wb") as out:
        out.setnchannels(2)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(struct.pack("<hh", 16384, -8192) * 2400)
    # A quarter second of A (440 Hz) at half scale, in the three formats the game reads; the compressed ones
    # at 44.1 kHz, so decoding them also converts the rate.
    write_wav(os.path.join(TEST_DATA, "tone.wav"), gain(tone(440.0, 0.25), 0.5))
    wav = os.path.join(work, "tone44.wav")
    write_wav(wav, [0.5 * math.sin(TAU * 440.0 * i / 44100.0) for i in range(11025)], sample_rate=44100)
    encode(wav, os.path.join(TEST_DATA, "tone.ogg"), ["-c:a", "libvorbis", "-q:a", "2"])
    encode(wav, os.path.join(TEST_DATA, "tone.mp3"), ["-c:a", "libmp3lame", "-b:a", "64k"])
    with open(os.path.join(TEST_DATA, "not_audio.ogg"), "w") as out:
        out.write("This is text, not an Ogg stream.\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--tests-only", action="store_true", help="only write tests/studio/data")
    arguments = parser.parse_args()
    random.seed(1)
    with tempfile.TemporaryDirectory() as work:
        make_test_data(work)
        if not arguments.tests_only:
            make_content(work)


if __name__ == "__main__":
    main()
