#!/usr/bin/env python3
"""Writes the five default event sounds (44.1 kHz, 16-bit, mono WAVE).

Each sound is made of struck bell or singing-bowl tones: a few inharmonic
partials that start with a soft mallet attack and decay exponentially, the
higher ones faster, with a slow beat between two slightly detuned copies of
the fundamental as a real bowl has. Only the standard library is used, and the
output is the same on every run.

Usage: tools/make_default_sounds.py [OUTPUT_DIRECTORY]   (default: resources/sounds)
"""

import math
import os
import struct
import sys
import wave

RATE = 44100
PEAK = 0.7  # about -3 dBFS, loud enough without clipping through a mixer

# (frequency ratio, relative amplitude, decay time constant in seconds)
SINGING_BOWL = [(1.0, 1.0, 1.6), (2.71, 0.45, 0.9), (5.15, 0.18, 0.45), (8.43, 0.06, 0.25)]
# A small hand bell: brighter, with the minor-third partial that makes bells sound sad.
HAND_BELL = [(1.0, 1.0, 0.9), (1.19, 0.55, 0.7), (1.5, 0.35, 0.5), (2.0, 0.4, 0.45), (2.52, 0.2, 0.3),
             (3.0, 0.12, 0.2)]
# A soft glass-like ping for the alarm: almost pure, short, no harsh overtones.
SOFT_PING = [(1.0, 1.0, 0.35), (2.0, 0.25, 0.18), (3.01, 0.08, 0.1)]


def strike(samples, start, frequency, partials, gain, beat=0.0):
    """Adds one struck tone to samples, starting at the time start (seconds)."""
    first = int(start * RATE)
    attack = 0.004 * RATE  # a soft mallet: no click
    for index in range(first, len(samples)):
        t = (index - first) / RATE
        envelope = min(1.0, (index - first) / attack)
        value = 0.0
        for ratio, amplitude, decay in partials:
            damping = math.exp(-t / decay)
            if damping < 1e-4:
                continue
            phase = 2 * math.pi * frequency * ratio * t
            tone = math.sin(phase)
            if ratio == 1.0 and beat:
                tone = 0.5 * (tone + math.sin(phase + 2 * math.pi * beat * t))
            value += amplitude * damping * tone
        samples[index] += gain * envelope * value


def finish(samples):
    """Normalises to the common peak and lets the last 0.4 s die away
    smoothly, so the ring does not stop abruptly."""
    peak = max(abs(s) for s in samples) or 1.0
    fade = int(0.4 * RATE)
    out = []
    for index, s in enumerate(samples):
        remaining = len(samples) - index
        tail = 0.5 - 0.5 * math.cos(math.pi * remaining / fade) if remaining < fade else 1.0
        out.append(max(-32767, min(32767, round(s * PEAK / peak * tail * 32767))))
    return out


def begin_interval():
    # One high singing bowl: a clear, calm "begin".
    samples = [0.0] * int(2.5 * RATE)
    strike(samples, 0.0, 528.0, SINGING_BOWL, 1.0, beat=1.5)
    return samples


def end_interval():
    # The same bowl a fifth lower: the plain, resolving "end".
    samples = [0.0] * int(2.8 * RATE)
    strike(samples, 0.0, 352.0, SINGING_BOWL, 1.0, beat=1.2)
    return samples


def end_interval_uddhacca():
    # Two quick falling hand-bell strikes: plainly not the calm bowl of the plain end.
    samples = [0.0] * int(2.2 * RATE)
    strike(samples, 0.0, 740.0, HAND_BELL, 0.8)
    strike(samples, 0.22, 622.0, HAND_BELL, 1.0)
    return samples


def uddhacca_alarm():
    # Insistent but gentle: six soft pings in pairs, like a muted alarm clock.
    samples = [0.0] * int(2.4 * RATE)
    for pair in range(3):
        start = pair * 0.7
        strike(samples, start, 988.0, SOFT_PING, 1.0)
        strike(samples, start + 0.16, 988.0, SOFT_PING, 0.85)
    return samples


def end_exercise():
    # Three bowls falling to the low tone: the exercise is over.
    samples = [0.0] * int(3.0 * RATE)
    for step, frequency in enumerate((528.0, 440.0, 352.0)):
        strike(samples, step * 0.45, frequency, SINGING_BOWL, 0.6 + 0.2 * step, beat=1.3)
    return samples


SOUNDS = {
    "BeginIntervall.wav": begin_interval,
    "EndIntervall.wav": end_interval,
    "EndIntervallUddhacca.wav": end_interval_uddhacca,
    "UddhaccaAlarm.wav": uddhacca_alarm,
    "EndExercise.wav": end_exercise,
}


def write_wave(path, values):
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(struct.pack("<%dh" % len(values), *values))


def main():
    directory = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "resources", "sounds")
    os.makedirs(directory, exist_ok=True)
    for name, make in SOUNDS.items():
        path = os.path.join(directory, name)
        write_wave(path, finish(make()))
        print(path)


if __name__ == "__main__":
    main()
