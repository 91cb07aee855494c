#!/usr/bin/env python3
"""Draws the calculator's pictures: the landscape behind the keys (420 x 287) and the
window icon (32 x 32). Run from this folder; needs nothing beyond Python itself."""

import math
import struct
import zlib


def write_png(path, width, height, pixel):
    rows = bytearray()
    for y in range(height):
        rows.append(0)
        for x in range(width):
            rows.extend(max(0, min(255, int(round(c)))) for c in pixel(x, y))
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(bytes(rows), 9)))
        f.write(chunk(b"IEND", b""))


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(len(a)))


def ridge(x, seeds):
    return sum(amp * math.sin(x * freq + phase) for amp, freq, phase in seeds)


W, H = 420, 287
SUN = (300.0, 62.0)
HORIZON = 196


def far_mountains(x):
    return 120 + ridge(x, [(22, 0.021, 0.4), (9, 0.057, 1.9), (4, 0.13, 0.7)])


def near_hills(x):
    return 165 + ridge(x, [(14, 0.013, 2.2), (6, 0.041, 0.3), (2.5, 0.11, 1.1)])


def trees():
    out = []
    for i, x in enumerate(range(18, W, 37)):
        base = near_hills(x) + 6 + (i * 7) % 11
        out.append((x + (i * 13) % 17, base, 16 + (i * 5) % 9))
    return out


TREES = trees()


def landscape(x, y):
    # Sky: deep blue above, warm haze at the horizon, a soft sun.
    sky = mix((52, 98, 170), (250, 214, 170), (y / HORIZON) ** 1.6)
    d = math.hypot(x - SUN[0], y - SUN[1])
    sky = mix(sky, (255, 246, 214), math.exp(-d / 38.0) * 0.9)
    if d < 15:
        sky = mix(sky, (255, 250, 232), min(1.0, 15 - d))
    colour = sky
    # Distant range, hazy blue-grey, lighter toward its foot.
    m = far_mountains(x)
    if y >= m:
        colour = mix((96, 112, 150), (170, 170, 186), (y - m) / 60.0)
        colour = mix(sky, colour, min(1.0, y - m + 0.5))
    # Green hills in front.
    h = near_hills(x)
    if y >= h:
        colour = mix((92, 140, 70), (48, 96, 44), (y - h) / 40.0)
    # Pines on the hills.
    for tx, base, size in TREES:
        if base - size <= y <= base and abs(x - tx) <= (y - (base - size)) * 0.32 + 0.5:
            colour = (30, 70, 40)
        elif base < y <= base + 3 and abs(x - tx) <= 1:
            colour = (80, 55, 35)
    # A lake mirrors the sky, with ripples.
    if y >= HORIZON and y > h + 8 and y > 205:
        depth = (y - 205) / (H - 205)
        ripple = 6 * math.sin(y * 0.9 + x * 0.05) * (1 - depth)
        refl = mix((120, 160, 205), (40, 80, 140), depth)
        if abs(x - SUN[0] + ripple) < 14 * (1 - depth) + 2:
            refl = mix(refl, (250, 236, 200), 0.55 * (1 - depth))
        colour = refl
    return colour + (255,)


def calculator_icon(x, y):
    # A small pocket calculator: dark body, green display, a 4 x 3 grid of keys.
    if not (5 <= x <= 26 and 1 <= y <= 30):
        return (0, 0, 0, 0)
    if x in (5, 26) or y in (1, 30):
        return (30, 30, 40, 255)
    if 8 <= x <= 23 and 4 <= y <= 10:
        return (60, 60, 60, 255) if (x in (8, 23) or y in (4, 10)) else (150, 200, 140, 255)
    for row in range(4):
        for col in range(3):
            kx, ky = 8 + col * 6, 13 + row * 4
            if kx <= x <= kx + 3 and ky <= y <= ky + 2:
                return (230, 120, 40, 255) if col == 2 else (225, 225, 230, 255)
    return (70, 80, 100, 255)


if __name__ == "__main__":
    write_png("landscape.png", W, H, landscape)
    write_png("calculator.png", 32, 32, calculator_icon)
