#!/usr/bin/env python3
"""Writes the program's icons (32 x 32, 32-bit): kelvora.ico, a running
figure on a green track (frame and entry windows), and errors.ico, a red
exclamation mark (error window). Run it again to reproduce the files:

    python3 resources/program/make_icons.py
"""
import os
import struct

SIZE = 32


def ico(pixels):
    rows = b''
    for y in range(SIZE - 1, -1, -1):  # bottom-up
        for x in range(SIZE):
            r, g, b, a = pixels(x, y)
            rows += bytes((b, g, r, a))
    mask = b'\0' * (SIZE * SIZE // 8)
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, 32, 0, len(rows) + len(mask), 0, 0, 0, 0)
    image = header + rows + mask
    return struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', SIZE, SIZE, 0, 0, 1, 32, len(image), 22) + image


def runner(x, y):
    if x in (0, 31) or y in (0, 31):
        return (0, 64, 0, 255)
    if y > 24:
        return (200, 60, 40, 255) if (x // 4) % 2 else (240, 240, 240, 255)
    head = (x - 18) ** 2 + (y - 6) ** 2 <= 9
    body = abs(x - (16 - (y - 10) // 3)) <= 1 and 9 <= y <= 17
    legs = (abs(x - (14 - (y - 17))) <= 1 or abs(x - (14 + (y - 17))) <= 1) and 17 <= y <= 24
    arms = abs(y - 12) <= 1 and 10 <= x <= 22
    if head or body or legs or arms:
        return (0, 0, 128, 255)
    return (40, 160, 60, 255)


def warning(x, y):
    inside = abs(x - 15.5) <= (y - 2) / 2 + 0.5 and 3 <= y <= 29
    if not inside:
        return (0, 0, 0, 0)
    mark = 14 <= x <= 17 and (8 <= y <= 20 or 23 <= y <= 26)
    return (0, 0, 0, 255) if mark else (230, 30, 30, 255)


here = os.path.dirname(os.path.abspath(__file__))
for name, fn in (('kelvora.ico', runner), ('errors.ico', warning)):
    with open(os.path.join(here, name), 'wb') as f:
        f.write(ico(fn))
