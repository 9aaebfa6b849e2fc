#!/usr/bin/env python3
# Draws the flag bitmaps of the demonstration projects (48 x 32, 24-bit, uncompressed).
# The bitmaps are committed; run this only to change them: python3 demo/draw-flags.py demo
import math
import struct
import sys
from pathlib import Path

W, H = 48, 32
RED, WHITE, BLUE, BLACK = (200, 16, 46), (255, 255, 255), (0, 40, 104), (0, 0, 0)


def usa(x, y):
    if x < 20 and y < 17:
        return WHITE if (x % 4 == 2 and y % 4 == 2) else BLUE
    return RED if (y * 13 // H) % 2 == 0 else WHITE


def france(x, y):
    return ((0, 35, 149), WHITE, (237, 41, 57))[x * 3 // W]


def germany(x, y):
    return (BLACK, (221, 0, 0), (255, 206, 0))[y * 3 // H]


def japan(x, y):
    return (188, 0, 45) if (x - 23.5) ** 2 + (y - 15.5) ** 2 <= 9.6 ** 2 else WHITE


def korea(x, y):
    dx, dy = x - 23.5, y - 15.5
    if dx * dx + dy * dy <= 9 ** 2:
        # The circle: red above, blue below; the two small circles make the S-shaped border.
        if (dx + 4.5) ** 2 + dy * dy <= 4.5 ** 2:
            return (205, 46, 58)
        if (dx - 4.5) ** 2 + dy * dy <= 4.5 ** 2:
            return (0, 71, 160)
        return (205, 46, 58) if dy < 0 else (0, 71, 160)
    for cx, cy in ((8, 6), (39, 6), (8, 25), (39, 25)):
        if abs(x - cx) <= 3 and abs(y - cy) <= 3 and (y - cy) % 2 == 0:
            return BLACK
    return WHITE


def write_bmp(path, pixel):
    row = W * 3
    pad = (4 - row % 4) % 4
    data = bytearray()
    for y in reversed(range(H)):  # bottom-up rows
        for x in range(W):
            r, g, b = pixel(x, y)
            data += bytes((b, g, r))
        data += b"\0" * pad
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(header + info + data)


def main():
    root = Path(sys.argv[1] if len(sys.argv) > 1 else ".")
    for name, pixel in (("usa.bmp", usa), ("french/french.bmp", france), ("german/german.bmp", germany),
                        ("Jap/japan.bmp", japan), ("Kor/korea.bmp", korea)):
        write_bmp(root / name, pixel)


if __name__ == "__main__":
    main()
