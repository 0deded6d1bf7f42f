#!/usr/bin/env python3
"""Writes notification.wav: a short two-note chime (E6 then B6), 44.1 kHz, 16-bit mono.

Run from this folder to regenerate the sound after changing the notes.
"""
import math
import struct
import wave

RATE = 44100
LENGTH = 0.55  # seconds
NOTES = [(0.00, 1318.51, 0.55), (0.09, 1975.53, 0.45)]  # start (s), frequency (Hz), peak level


def sample(t):
    value = 0.0
    for start, freq, level in NOTES:
        if t < start:
            continue
        u = t - start
        attack = min(1.0, u / 0.004)  # a few ms of attack avoids a click
        envelope = attack * math.exp(-u * 7.0)
        # A soft bell: the fundamental with a quiet octave and twelfth.
        tone = (math.sin(2 * math.pi * freq * u)
                + 0.25 * math.sin(2 * math.pi * 2 * freq * u) * math.exp(-u * 6.0)
                + 0.10 * math.sin(2 * math.pi * 3 * freq * u) * math.exp(-u * 10.0))
        value += level * envelope * tone / 1.35
    fade = min(1.0, (LENGTH - t) / 0.05)  # end on silence
    return max(-1.0, min(1.0, value * fade))


def main():
    frames = bytearray()
    for i in range(int(RATE * LENGTH)):
        frames += struct.pack('<h', int(round(sample(i / RATE) * 0.6 * 32767)))
    with wave.open('notification.wav', 'wb') as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(bytes(frames))


if __name__ == '__main__':
    main()
