#!/usr/bin/env python3
"""Draws the calendar's 32 x 32 window icon: a tear-off page with a red band and a
grid of days, today's cell marked. Run from this folder; needs nothing beyond Python."""

import struct
import zlib


def write_png(path, width, height, pixel):
    rows = bytearray()
    for y in range(height):
        rows.append(0)
        for x in range(width):
            rows.extend(pixel(x, y))
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(bytes(rows), 9)))
        f.write(chunk(b"IEND", b""))


def icon(x, y):
    if not (2 <= x <= 29 and 3 <= y <= 29):
        return (0, 0, 0, 0)
    if x in (2, 29) or y in (3, 29):
        return (60, 60, 70, 255)
    if y <= 9:
        if x in (8, 23) and 1 <= y <= 6:
            return (90, 90, 100, 255)  # rings
        return (192, 0, 0, 255)
    cx, cy = (x - 4) // 4, (y - 12) // 4
    inside = 0 <= cx < 6 and 0 <= cy < 4 and (x - 4) % 4 < 3 and (y - 12) % 4 < 3
    if inside and (cx, cy) == (3, 1):
        return (0, 0, 255, 255)
    if inside:
        return (150, 150, 160, 255)
    return (250, 250, 245, 255)


if __name__ == "__main__":
    write_png("calendar.png", 32, 32, icon)
