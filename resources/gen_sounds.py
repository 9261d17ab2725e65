#!/usr/bin/env python3
"""Synthesises the built-in sound cues as 16-bit mono 22050 Hz WAVE files.

usage: gen_sounds.py OUTPUT_DIR  -> OUTPUT_DIR/<cue>.wav for every cue in CUES

Each cue is a few soft bell or sine notes. Every note rises over a few milliseconds and decays
exponentially, and the whole cue fades to exact silence at its end, so nothing clicks when the
sound device starts or cuts it. The output is the same on every run.
"""
import math
import os
import struct
import sys
import wave

RATE = 22050
PEAK = 0.45  # of full scale: cues sit under whatever else is playing

# Partials of a soft bell: (frequency ratio, relative amplitude, decay-rate factor).
BELL = [(1.0, 1.0, 1.0), (2.0, 0.35, 1.8), (3.0, 0.12, 2.6), (4.2, 0.05, 3.5)]
SINE = [(1.0, 1.0, 1.0)]
WARM = [(1.0, 1.0, 1.0), (2.0, 0.2, 1.5)]


def note_hz(name):
    """'A4' -> 440.0; sharps as 'C#5'."""
    steps = {"C": -9, "D": -7, "E": -5, "F": -4, "G": -2, "A": 0, "B": 2}
    n = steps[name[0]]
    rest = name[1:]
    if rest.startswith("#"):
        n += 1
        rest = rest[1:]
    return 440.0 * 2.0 ** ((n + 12 * (int(rest) - 4)) / 12.0)


def render(length, notes, peak=PEAK):
    """notes: (start s, frequency or (from, to) glide, duration s, amplitude, decay per s, partials)."""
    n = int(length * RATE)
    buf = [0.0] * n
    for start, freq, dur, amp, decay, partials in notes:
        f0, f1 = freq if isinstance(freq, tuple) else (freq, freq)
        first = int(start * RATE)
        count = min(int(dur * RATE), n - first)
        attack = max(1, int(0.006 * RATE))
        release = max(1, int(0.015 * RATE))
        for ratio, pamp, pdecay in partials:
            phase = 0.0
            for i in range(count):
                t = i / RATE
                f = (f0 + (f1 - f0) * i / count) * ratio
                if f >= RATE / 2:
                    break
                phase += 2.0 * math.pi * f / RATE
                env = math.exp(-decay * pdecay * t)
                if i < attack:
                    env *= 0.5 - 0.5 * math.cos(math.pi * i / attack)
                if i >= count - release:
                    env *= 0.5 - 0.5 * math.cos(math.pi * (count - i) / release)
                buf[first + i] += amp * pamp * env * math.sin(phase)
    top = max(abs(v) for v in buf) or 1.0
    fade = int(0.02 * RATE)
    out = []
    for i, v in enumerate(buf):
        g = peak / top
        if i >= n - fade:
            g *= 0.5 - 0.5 * math.cos(math.pi * (n - 1 - i) / fade)
        out.append(int(round(v * g * 32767)))
    return out


def chime(length, names, spacing, dur, decay, partials=BELL, amp=1.0):
    return render(length, [(k * spacing, note_hz(nm), dur, amp, decay, partials) for k, nm in enumerate(names)])


CUES = {
    # a window opens: rising fourth
    "ope": lambda: chime(0.30, ["E5", "A5"], 0.07, 0.23, 9.0),
    # a window closes: the same fourth falling
    "clo": lambda: chime(0.30, ["A5", "E5"], 0.07, 0.23, 9.0),
    # saved: a quick major triad
    "sav": lambda: chime(0.45, ["C5", "E5", "G5"], 0.06, 0.33, 7.0),
    # deleted: a low glide downwards
    "del": lambda: render(0.32, [(0.0, (392.0, 196.0), 0.32, 1.0, 8.0, WARM)]),
    # a click: one short high tick, quieter since it comes often
    "c1": lambda: render(0.06, [(0.0, 1760.0, 0.06, 1.0, 55.0, SINE)], peak=0.3),
    # dropped or copied: two equal blips
    "cop": lambda: chime(0.22, ["D6", "D6"], 0.09, 0.12, 22.0, WARM),
    # the quick view pops up: a bubble rising
    "pop": lambda: render(0.16, [(0.0, (440.0, 1320.0), 0.16, 1.0, 14.0, SINE)]),
    # the password prompt: a questioning minor third upwards, soft
    "pas": lambda: chime(0.40, ["G4", "A#4", "D5"], 0.08, 0.24, 8.0, WARM),
    # start-up: a slow bell arpeggio resting on the octave
    "tav": lambda: render(1.45, [
        (0.00, note_hz("C5"), 1.45, 0.8, 2.2, BELL),
        (0.16, note_hz("E5"), 1.29, 0.7, 2.4, BELL),
        (0.32, note_hz("G5"), 1.13, 0.7, 2.6, BELL),
        (0.48, note_hz("C6"), 0.97, 0.9, 2.8, BELL),
    ]),
}


def write_wav(path, samples):
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(struct.pack("<%dh" % len(samples), *samples))


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: gen_sounds.py OUTPUT_DIR")
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for name, make in CUES.items():
        write_wav(os.path.join(out, name + ".wav"), make())


if __name__ == "__main__":
    main()
