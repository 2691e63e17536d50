#!/usr/bin/env python3
"""Finds the sounds that start in a recording of the demonstration's output.

  sound-onsets.py FILE.raw

FILE is raw 44,100 Hz, 16-bit signed little-endian stereo, as SDL's disk
audio driver writes it. Prints one line of totals:

  frames=N peak=P rms=R

then one line per onset, a window of 5 ms whose loudness jumps well above
the background (the median loudness: the wind) after a quieter window:

  onset time=T.TTT kind=K balance=B length=L

with K "left" or "right" for a sound panned to that side (a footstep) and
"centre" for one played in the middle (the bump), judged from the left and
right energy of the 100 ms after the onset, B = 20 log10(left / right) dB,
and L the seconds until the loudness falls back below the onset's threshold
(a sound started again every few periods never does).
"""
import math
import struct
import sys

RATE = 44100
WINDOW = RATE // 200  # 5 ms
RISE = 4.0            # an onset is this many times the background's loudness
FLOOR = 300.0         # and never quieter than this (a silent recording has no onsets)
SETTLE = int(0.12 * RATE / WINDOW)  # windows after an onset before the next may start


def main():
    with open(sys.argv[1], "rb") as f:
        data = f.read()
    frames = len(data) // 4
    samples = struct.unpack("<%dh" % (frames * 2), data[: frames * 4])
    left = samples[0::2]
    right = samples[1::2]
    peak = max((abs(s) for s in samples), default=0)
    total = sum(s * s for s in samples)
    rms = math.sqrt(total / len(samples)) if samples else 0.0
    print("frames=%d peak=%d rms=%.1f" % (frames, peak, rms))

    loudness = []
    for start in range(0, frames - WINDOW + 1, WINDOW):
        energy = 0
        for i in range(start, start + WINDOW):
            energy += left[i] * left[i] + right[i] * right[i]
        loudness.append(math.sqrt(energy / (2 * WINDOW)))
    if not loudness:
        return
    background = sorted(loudness)[len(loudness) // 2]
    threshold = max(FLOOR, RISE * background)

    quiet_since = SETTLE
    for w, level in enumerate(loudness):
        if level < threshold:
            quiet_since += 1
            continue
        if quiet_since >= SETTLE:
            start = w * WINDOW
            end = min(frames, start + RATE // 10)
            le = sum(x * x for x in left[start:end]) + 1.0
            re = sum(x * x for x in right[start:end]) + 1.0
            balance = 10.0 * math.log10(le / re)
            kind = "centre" if abs(balance) < 1.0 else ("left" if balance > 0 else "right")
            quiet = w
            while quiet < len(loudness) and loudness[quiet] >= threshold:
                quiet += 1
            length = (quiet - w) * WINDOW / RATE
            print("onset time=%.3f kind=%s balance=%.2f length=%.3f" % (start / RATE, kind, balance, length))
        quiet_since = 0


if __name__ == "__main__":
    main()
