#!/usr/bin/env python3
"""Draws the utility's icon: a dark key cap with a bright V, anti-aliased by
supersampling. Writes the tray icon (ICO with 16, 32, 48 and 64 px images) and the
desktop icon (256 px PNG). Run it again after changing the drawing."""

import math
import struct
import sys
import zlib
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
CAP = (36, 38, 43)
EDGE = (0, 200, 220)
MARK = (0, 255, 255)


def inside_rounded(x, y, size, radius, inset):
    lo, hi = inset, size - inset
    if not (lo <= x <= hi and lo <= y <= hi):
        return False
    cx = min(max(x, lo + radius), hi - radius)
    cy = min(max(y, lo + radius), hi - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def near_segment(x, y, a, b, width):
    (ax, ay), (bx, by) = a, b
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(x - (ax + t * dx), y - (ay + t * dy)) <= width / 2


def colour_at(x, y):
    """The icon on a unit square: RGBA, or None outside."""
    if not inside_rounded(x, y, 1.0, 0.2, 0.04):
        return None
    v = [((0.30, 0.30), (0.50, 0.72)), ((0.50, 0.72), (0.70, 0.30))]
    if any(near_segment(x, y, a, b, 0.11) for a, b in v):
        return MARK
    if not inside_rounded(x, y, 1.0, 0.17, 0.09):
        return EDGE
    return CAP


def render(size, samples=4):
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(samples):
                for sx in range(samples):
                    c = colour_at((px + (sx + 0.5) / samples) / size, (py + (sy + 0.5) / samples) / size)
                    if c:
                        acc[0] += c[0]; acc[1] += c[1]; acc[2] += c[2]; acc[3] += 255
            n = samples * samples
            alpha = acc[3] // n
            if alpha:
                row.append((acc[0] * 255 // acc[3], acc[1] * 255 // acc[3], acc[2] * 255 // acc[3], alpha))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def png(rows):
    size = len(rows)
    raw = b"".join(b"\0" + bytes(v for px in row for v in px) for row in rows)
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def dib(rows):
    """A 32-bit ICO image: header, bottom-up BGRA pixels, all-clear AND mask."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_row = ((size + 31) // 32) * 4
    return header + pixels + b"\0" * (mask_row * size)


def ico(sizes):
    images = [dib(render(s)) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


def main():
    (ROOT / "modules/img/skin1/logo.ico").write_bytes(ico([16, 32, 48, 64]))
    (ROOT / "packaging/valdrin-qn9.png").write_bytes(png(render(256, 3)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
