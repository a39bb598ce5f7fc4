#!/usr/bin/env python3
"""Writes the alert sounds Alert_UP.WAV (a rising chime) and Alert_DOWN.WAV (a falling one).

Each note is a small bell: a few inharmonic partials with their own decay, a soft attack so that
nothing clicks, and a short tail of the previous note under the next one.

    chimes.py <SKINS folder>
"""
import math
import struct
import sys
import wave
from pathlib import Path

RATE = 22050
# Bell partials: (frequency ratio, level, decay per second)
PARTIALS = [(1.0, 1.0, 3.2), (2.0, 0.42, 4.5), (2.76, 0.20, 6.0), (5.40, 0.07, 9.0)]


def bell(freq, start, length, level, out):
    first = int(start * RATE)
    for i in range(int(length * RATE)):
        t = i / RATE
        attack = min(1.0, t / 0.006)
        value = 0.0
        for ratio, amp, decay in PARTIALS:
            value += amp * math.exp(-decay * t) * math.sin(2 * math.pi * freq * ratio * t)
        j = first + i
        if j < len(out):
            out[j] += level * attack * value


def write(path, notes, seconds):
    samples = [0.0] * int(seconds * RATE)
    for freq, start, level in notes:
        bell(freq, start, seconds - start, level, samples)
    peak = max(abs(s) for s in samples) or 1.0
    fade = int(0.08 * RATE)
    frames = bytearray()
    for i, s in enumerate(samples):
        gain = 0.72 / peak
        if i >= len(samples) - fade:
            gain *= (len(samples) - i) / fade
        frames += struct.pack("<h", int(max(-1.0, min(1.0, s * gain)) * 32767))
    with wave.open(str(path), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(bytes(frames))


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: chimes.py <SKINS folder>")
    folder = Path(sys.argv[1])
    folder.mkdir(parents=True, exist_ok=True)
    # Up: C major climbing to the octave. Down: the same steps falling into A minor.
    c5, e5, g5, c6 = 523.25, 659.25, 783.99, 1046.50
    a4, c5b, e5b, a5 = 440.00, 523.25, 659.25, 880.00
    write(folder / "Alert_UP.WAV", [(c5, 0.00, 0.8), (e5, 0.11, 0.8), (g5, 0.22, 0.85), (c6, 0.33, 1.0)], 1.3)
    write(folder / "Alert_DOWN.WAV", [(a5, 0.00, 0.9), (e5b, 0.13, 0.85), (c5b, 0.26, 0.85), (a4, 0.39, 1.0)], 1.4)


if __name__ == "__main__":
    main()
