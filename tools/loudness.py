"""Loudness of a mono sound as the ear hears it: ITU-R BS.1770 integrated loudness.

The samples are floats in [-1, 1]. The K-weighting filters (a high shelf for the
head, a high pass for the ear's low cut) are built for any sample rate from their
analogue prototypes, so the figures agree with the usual 48 kHz tables.
"""

import math

BLOCK_SECONDS = 0.4
BLOCK_OVERLAP = 0.75
ABSOLUTE_GATE = -70.0   # LUFS
RELATIVE_GATE = -10.0   # LU below the loudness of the blocks above the absolute gate


def biquad(samples, b, a):
    b0, b1, b2 = (v / a[0] for v in b)
    a1, a2 = a[1] / a[0], a[2] / a[0]
    x1 = x2 = y1 = y2 = 0.0
    out = []
    for x in samples:
        y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2
        x2, x1, y2, y1 = x1, x, y1, y
        out.append(y)
    return out


def k_weighted(samples, rate):
    gain_db, q, fc = 3.99984385397, 0.7071752369554193, 1681.9744509555319
    big_a = 10 ** (gain_db / 40)
    w0 = 2 * math.pi * fc / rate
    alpha, cw = math.sin(w0) / (2 * q), math.cos(w0)
    root = 2 * math.sqrt(big_a) * alpha
    shelf_b = (big_a * ((big_a + 1) + (big_a - 1) * cw + root),
               -2 * big_a * ((big_a - 1) + (big_a + 1) * cw),
               big_a * ((big_a + 1) + (big_a - 1) * cw - root))
    shelf_a = ((big_a + 1) - (big_a - 1) * cw + root,
               2 * ((big_a - 1) - (big_a + 1) * cw),
               (big_a + 1) - (big_a - 1) * cw - root)
    q, fc = 0.5003270373253953, 38.13547087613982
    w0 = 2 * math.pi * fc / rate
    alpha, cw = math.sin(w0) / (2 * q), math.cos(w0)
    pass_b = ((1 + cw) / 2, -(1 + cw), (1 + cw) / 2)
    pass_a = (1 + alpha, -2 * cw, 1 - alpha)
    return biquad(biquad(samples, shelf_b, shelf_a), pass_b, pass_a)


def integrated_loudness(samples, rate):
    """LUFS of the whole sound, gated as BS.1770-4 gates a programme."""
    weighted = k_weighted(samples, rate)
    block = int(BLOCK_SECONDS * rate)
    step = int(block * (1 - BLOCK_OVERLAP))
    powers = [sum(v * v for v in weighted[i:i + block]) / block
              for i in range(0, max(1, len(weighted) - block + 1), step)]
    lufs = lambda p: -0.691 + 10 * math.log10(p) if p > 0 else -math.inf
    gated = [p for p in powers if lufs(p) > ABSOLUTE_GATE]
    if not gated:
        return -math.inf
    threshold = lufs(sum(gated) / len(gated)) + RELATIVE_GATE
    kept = [p for p in gated if lufs(p) > threshold]
    return lufs(sum(kept) / len(kept))
