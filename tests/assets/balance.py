#!/usr/bin/python3
"""Checks the finished artwork and sounds for every player.

    /usr/bin/python3 tests/assets/balance.py [ASSETS_DIR]

Colours: every can kind src/game/rules.h declares, and the obstacles, must stay
apart for colour-blind players. Each sprite's dominant colour is seen through a
simulation of protanopia, deuteranopia and tritanopia (Machado, Oliveira and
Fernandes 2009, full severity, in linear RGB) and every pair must stay
MIN_COLOUR_DISTANCE apart in CIELAB (delta E 1976).

Sounds: no DC offset, no sample near full scale, and the burp and the siren
within MAX_LOUDNESS_GAP of each other in integrated loudness (ITU-R BS.1770).
Prints every figure it checks; exits 1 on any failure.
"""

import math
import struct
import sys
import wave
from collections import Counter
from itertools import combinations
from pathlib import Path

from PIL import Image

ROOT = Path(__file__).resolve().parent.parent.parent
sys.path.insert(0, str(ROOT / "tools"))
from geometry import GEOMETRY  # noqa: E402
from loudness import integrated_loudness  # noqa: E402

MIN_COLOUR_DISTANCE = 20.0
MAX_LOUDNESS_GAP = 2.0      # dB
MAX_DC_OFFSET = 0.002       # of full scale
MAX_PEAK_DBFS = -1.0

VISIONS = {
    "normal": ((1, 0, 0), (0, 1, 0), (0, 0, 1)),
    "protanopia": ((0.152286, 1.052583, -0.204868), (0.114503, 0.786281, 0.099216),
                   (-0.003882, -0.048116, 1.051998)),
    "deuteranopia": ((0.367322, 0.860646, -0.227968), (0.280085, 0.672501, 0.047413),
                     (-0.011820, 0.042940, 0.968881)),
    "tritanopia": ((1.255528, -0.076749, -0.178779), (-0.078411, 0.930809, 0.147602),
                   (0.004733, 0.691367, 0.303900)),
}


def linear(v):
    v /= 255
    return v / 12.92 if v <= 0.04045 else ((v + 0.055) / 1.055) ** 2.4


def lab(rgb_linear):
    r, g, b = (min(1.0, max(0.0, v)) for v in rgb_linear)
    x = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047
    y = 0.2126 * r + 0.7152 * g + 0.0722 * b
    z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883
    f = lambda t: t ** (1 / 3) if t > 0.008856 else 7.787 * t + 16 / 116
    fx, fy, fz = f(x), f(y), f(z)
    return (116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz))


def seen(rgb, vision):
    lin = [linear(v) for v in rgb]
    return lab([sum(m * v for m, v in zip(row, lin)) for row in VISIONS[vision]])


def dominant_colour(paths):
    """The colour a player takes in: on each row through the middle of the sprites,
    the mean of the commonest coarse colour (the label, not its symbol), averaged
    over the rows. The labels are shaded top to bottom, so this is their mid-tone."""
    images = [Image.open(path).convert("RGB") for path in paths]
    rows, middle = [], GEOMETRY["kCellHeight"] // 2
    for y in range(middle - 4, middle + 4):
        pixels = [im.getpixel((x, y)) for im in images for x in range(8, 25)]
        bins = Counter(tuple(v // 24 for v in p) for p in pixels)
        top = bins.most_common(1)[0][0]
        chosen = [p for p in pixels if tuple(v // 24 for v in p) == top]
        rows.append([sum(c) / len(chosen) for c in zip(*chosen)])
    return tuple(round(sum(c) / len(rows)) for c in zip(*rows))


def check_colours(assets):
    kinds = {f"can {k}": dominant_colour(sorted(assets.glob(f"can_{k}_*.gif")))
             for k in range(GEOMETRY["kCanKinds"])}
    kinds["obstacle"] = dominant_colour(sorted(assets.glob("obstacle_*.gif")))
    for name, rgb in kinds.items():
        print(f"{name}: #{rgb[0]:02x}{rgb[1]:02x}{rgb[2]:02x}")
    ok = True
    for vision in VISIONS:
        pairs = [(math.dist(seen(kinds[a], vision), seen(kinds[b], vision)), a, b)
                 for a, b in combinations(kinds, 2)]
        distance, a, b = min(pairs)
        print(f"{vision}: closest pair {a} / {b}, delta E {distance:.1f}")
        ok &= distance >= MIN_COLOUR_DISTANCE
    return ok


def read_wav(path):
    with wave.open(str(path)) as w:
        assert w.getnchannels() == 1 and w.getsampwidth() == 2, f"{path}: not 16-bit mono"
        n = w.getnframes()
        return [v / 32768 for v in struct.unpack(f"<{n}h", w.readframes(n))], w.getframerate()


def check_sounds(assets):
    ok, loudness = True, {}
    for name in ("burp", "siren"):
        samples, rate = read_wav(assets / f"{name}.wav")
        dc = sum(samples) / len(samples)
        peak = 20 * math.log10(max(abs(v) for v in samples))
        rms = 10 * math.log10(sum(v * v for v in samples) / len(samples))
        loudness[name] = integrated_loudness(samples, rate)
        print(f"{name}: {len(samples) / rate:.2f} s, DC {dc:+.4f}, peak {peak:.1f} dBFS, "
              f"RMS {rms:.1f} dBFS, loudness {loudness[name]:.1f} LUFS")
        ok &= abs(dc) <= MAX_DC_OFFSET and peak <= MAX_PEAK_DBFS
    gap = abs(loudness["burp"] - loudness["siren"])
    print(f"loudness gap {gap:.1f} dB")
    return ok and gap <= MAX_LOUDNESS_GAP


def main():
    assets = Path(sys.argv[1]) if len(sys.argv) > 1 else ROOT / "assets"
    colours_ok = check_colours(assets)
    sounds_ok = check_sounds(assets)
    print("colours:", "ok" if colours_ok else "TOO CLOSE", "| sounds:", "ok" if sounds_ok else "OUT")
    return 0 if colours_ok and sounds_ok else 1


if __name__ == "__main__":
    sys.exit(main())
