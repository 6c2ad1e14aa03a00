#!/usr/bin/env python3
"""Draws the application icon (a day page with a planned-time bar and a check) as PNGs."""
import math, struct, sys, zlib

def png(path, size, pixel):
    rows = b"".join(b"\0" + b"".join(bytes(pixel(x, y, size)) for x in range(size))
                    for y in range(size))
    def chunk(kind, data):
        c = struct.pack(">I", len(data)) + kind + data
        return c + struct.pack(">I", zlib.crc32(kind + data) & 0xffffffff)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(rows, 9)))
        f.write(chunk(b"IEND", b""))

def rounded(x, y, x0, y0, x1, y1, r):
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r and x0 <= x <= x1 and y0 <= y <= y1

def pixel(px, py, size):
    x, y = (px + 0.5) / size, (py + 0.5) / size
    page = (255, 255, 199, 255)      # the day views' background
    ink = (0, 0, 217, 255)           # their text colour
    header = (0, 92, 160, 255)
    fluid = (64, 128, 128, 255)
    if not rounded(x, y, 0.08, 0.08, 0.92, 0.94, 0.10):
        return (0, 0, 0, 0)
    if rounded(x, y, 0.08, 0.08, 0.92, 0.94, 0.10) and not rounded(x, y, 0.11, 0.11, 0.89, 0.91, 0.08):
        return header
    if y < 0.30:
        return header
    # Rows of the day: two set items and a flexible one.
    for i, (y0, colour, width) in enumerate([(0.38, ink, 0.62), (0.53, fluid, 0.48), (0.68, ink, 0.40)]):
        if y0 <= y <= y0 + 0.07 and 0.18 <= x <= 0.18 + width:
            return colour
    # The check mark at the lower right.
    d1 = abs((y - 0.80) - (x - 0.62)) / math.sqrt(2)
    d2 = abs((y - 0.86) + (x - 0.68)) / math.sqrt(2)
    if (0.60 <= x <= 0.69 and d1 < 0.035 and y >= 0.76) or (0.66 <= x <= 0.84 and d2 < 0.035 and y <= 0.88):
        return (0, 164, 82, 255)
    return page

for size in (32, 64, 256):
    png(f"{sys.argv[1]}/ploven-{size}.png", size, pixel)
