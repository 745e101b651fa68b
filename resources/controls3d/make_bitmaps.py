#!/usr/bin/env python3
"""Writes the tool-bar and bitmap-button image strips as 16-colour BMP files.

Every strip holds six faces of equal width side by side, in this order:
0 up, 1 up and disabled, 2 pressed (from up), 3 pressed from set,
4 set, 5 set and disabled. The top-left pixel of every strip has the
transparent colour (dark cyan), which the bitmap button replaces by the
system button-face colour. Run it again to reproduce the files exactly:

    python3 resources/controls3d/make_bitmaps.py
"""
import os
import struct

# The standard 16-colour palette (index -> RGB).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, KEY, SILVER = range(8)
GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)

# Glyph letters: '.' leaves the background, others pick a colour.
INK = {'#': BLACK, 'r': RED, 'b': NAVY, 'y': YELLOW, 'w': WHITE,
       'g': GREY, 'G': GREEN, 's': SILVER, 'm': MAROON, 'B': BLUE}

GLYPHS = {
    'open': [
        "...............",
        "...............",
        "..#####........",
        ".#yyyyy#.......",
        ".#yyyyyy######.",
        ".#yyyyyyyyyyy#.",
        ".#yy##########.",
        ".#y#yyyyyyyyy#.",
        ".#y#yyyyyyyy#..",
        ".##yyyyyyyyy#..",
        ".##yyyyyyyy#...",
        ".###########...",
        "...............",
        "...............",
        "...............",
    ],
    'check': [
        "...............",
        "............GG.",
        "...........GG..",
        "..........GG...",
        "..........GG...",
        ".........GG....",
        ".GG......GG....",
        "..GG....GG.....",
        "..GG....GG.....",
        "...GG..GG......",
        "...GG..GG......",
        "....GGGG.......",
        ".....GG........",
        ".....GG........",
        "...............",
    ],
    'print': [
        "...............",
        "....#######....",
        "....#wwwww#....",
        "....#w###w#....",
        "....#wwwww#....",
        "..###########..",
        ".#sssssssssss#.",
        ".#sssssssssGs#.",
        ".#sssssssssss#.",
        ".#############.",
        ".#s#wwwwwww#s#.",
        "..##w#####w##..",
        "....#wwwwww#...",
        "....########...",
        "...............",
    ],
    'file': [
        "...............",
        "...#######.....",
        "...#wwwww##....",
        "...#wwwww#w#...",
        "...#wwwww####..",
        "...#wbbbbbbw#..",
        "...#wwwwwwww#..",
        "...#wbbbbbbw#..",
        "...#wwwwwwww#..",
        "...#wbbbbbbw#..",
        "...#wwwwwwww#..",
        "...#wbbbbbww#..",
        "...#wwwwwwww#..",
        "...##########..",
        "...............",
    ],
    'exit': [
        "...............",
        "..#########....",
        "..#mmmmmmm#....",
        "..#mmmmmmm#....",
        "..#mmmmmmm#..r.",
        "..#mmmmmmm#..rr",
        "..#mmmmy#rrrrrr",
        "..#mmmmmm#rrrrr",
        "..#mmmmmmm#..rr",
        "..#mmmmmmm#..r.",
        "..#mmmmmmm#....",
        "..#mmmmmmm#....",
        "..#mmmmmmm#....",
        "..#########....",
        "...............",
    ],
    'help': [
        "...............",
        ".....#####.....",
        "....##BBB##....",
        "...##BB.BB##...",
        "...#BB...BB#...",
        "....#....BB#...",
        ".........BB#...",
        "........BB#....",
        ".......BB#.....",
        "......BB#......",
        "......BB#......",
        ".......#.......",
        "......BB#......",
        "......BB#......",
        ".......##......",
    ],
    'save': [
        "...............",
        ".#############.",
        ".#b#wwwwwww#b#.",
        ".#b#wwwwwww#b#.",
        ".#b#wwwwwww#b#.",
        ".#b#wwwwwww#b#.",
        ".#bb#######bb#.",
        ".#bbbbbbbbbbb#.",
        ".#bb#######bb#.",
        ".#bb#ss#ss#bb#.",
        ".#bb#ss#ss#bb#.",
        ".#bb#ss#ss#bb#.",
        "..############.",
        "...............",
        "...............",
    ],
    'new': [
        "...............",
        "...............",
        "......###......",
        "......#G#......",
        "......#G#......",
        "......#G#......",
        "..#####G#####..",
        "..#GGGGGGGGG#..",
        "..#####G#####..",
        "......#G#......",
        "......#G#......",
        "......#G#......",
        "......###......",
        "...............",
        "...............",
    ],
    'edit': [
        "...............",
        "...........##..",
        "..........#rr#.",
        ".........#yrr#.",
        "........#yyy#..",
        ".......#yyy#...",
        "......#yyy#....",
        ".....#yyy#.....",
        "....#yyy#......",
        "...#yyy#.......",
        "...#yy#........",
        "..#ss#.........",
        "..###..........",
        ".##............",
        "...............",
    ],
    'relay': [
        "...............",
        "......###......",
        ".......#.......",
        "....#######....",
        "...#wwwwwww#...",
        "..#wwww#wwww#..",
        "..#wwww#wwww#..",
        "..#wwww#wwww#..",
        "..#wwww###ww#..",
        "..#wwwwwwwww#..",
        "..#wwwwwwwww#..",
        "...#wwwwwww#...",
        "....#######....",
        "...............",
        "...............",
    ],
    'cells': [
        "...............",
        ".#############.",
        ".#www#www#www#.",
        ".#############.",
        ".#www#www#www#.",
        ".#############.",
        ".#www#www#...#.",
        ".######..#.....",
        "........#r#....",
        "........#rr#...",
        "..#######rrr#..",
        "..#rrrrrrrrrr#.",
        "..#######rrr#..",
        "........#rr#...",
        "........#r#....",
    ],
}

SMALL_GLYPHS = {
    'first': ["......", "#...#.", "#..##.", "#.###.", "#..##.", "#...#."],
    'left':  ["......", "...#..", "..##..", ".###..", "..##..", "...#.."],
    'right': ["......", ".#....", ".##...", ".###..", ".##...", ".#...."],
}


def new_image(w, h, colour=KEY):
    return [[colour] * w for _ in range(h)]


def frame(img, x0, w, h, raised):
    """A 2-pixel button frame on the face at x0; the corners stay transparent."""
    tl_out, br_out = (WHITE, BLACK) if raised else (BLACK, WHITE)
    tl_in, br_in = (SILVER, GREY) if raised else (GREY, SILVER)
    for x in range(x0, x0 + w):
        img[0][x] = tl_out
        img[h - 1][x] = br_out
        img[1][x] = tl_in if x > x0 and x < x0 + w - 1 else img[1][x]
        img[h - 2][x] = br_in if x > x0 and x < x0 + w - 1 else img[h - 2][x]
    for y in range(0, h):
        img[y][x0] = tl_out if y < h - 1 else img[y][x0]
        img[y][x0 + w - 1] = br_out
        if 0 < y < h - 1:
            img[y][x0 + 1] = tl_in if y < h - 2 else img[y][x0 + 1]
            img[y][x0 + w - 2] = br_in
    for (x, y) in ((x0, 0), (x0 + w - 1, 0), (x0, h - 1), (x0 + w - 1, h - 1)):
        img[y][x] = KEY


def thin_frame(img, x0, w, h, raised):
    """A 1-pixel frame for the small faces; the corners stay transparent."""
    tl, br = (WHITE, GREY) if raised else (GREY, WHITE)
    for x in range(x0 + 1, x0 + w - 1):
        img[0][x] = tl
        img[h - 1][x] = br
    for y in range(1, h - 1):
        img[y][x0] = tl
        img[y][x0 + w - 1] = br


def dither(img, x0, w, h):
    for y in range(2, h - 2):
        for x in range(x0 + 2, x0 + w - 2):
            if (x + y) % 2 == 0 and img[y][x] == KEY:
                img[y][x] = WHITE


def put_glyph(img, glyph, x0, y0, grey):
    for gy, row in enumerate(glyph):
        for gx, ch in enumerate(row):
            if ch == '.':
                continue
            colour = INK[ch]
            if grey:
                # Disabled: the shape in grey with a white shadow.
                if img[y0 + gy + 1][x0 + gx + 1] == KEY:
                    img[y0 + gy + 1][x0 + gx + 1] = WHITE
                colour = GREY
            img[y0 + gy][x0 + gx] = colour


def strip(glyph, size):
    """Six faces of size x size pixels around a glyph."""
    w = h = size
    img = new_image(6 * w, h)
    gw, gh = len(glyph[0]), len(glyph)
    gx, gy = (w - gw) // 2, (h - gh) // 2
    looks = [  # (raised, glyph offset, grey, dithered)
        (True, 0, False, False), (True, 0, True, False),
        (False, 1, False, False), (False, 1, False, True),
        (False, 0, False, True), (False, 0, True, True),
    ]
    for i, (raised, off, grey, dithered) in enumerate(looks):
        x0 = i * w
        if size < 16:
            # Small faces: a thin frame and no pattern, so the glyph stays clear.
            thin_frame(img, x0, w, h, raised)
        else:
            frame(img, x0, w, h, raised)
            if dithered:
                dither(img, x0, w, h)
        put_glyph(img, glyph, x0 + gx + off, gy + off, grey)
    return img


def spacer():
    """Six faces of 10 x 25: an etched vertical groove."""
    img = new_image(60, 25)
    for i in range(6):
        for y in range(2, 23):
            img[y][i * 10 + 4] = GREY
            img[y][i * 10 + 5] = WHITE
    return img


def write_bmp(path, img):
    h, w = len(img), len(img[0])
    row_bytes = ((w * 4 + 31) // 32) * 4
    pixels = bytearray()
    for row in reversed(img):
        packed = bytearray()
        for x in range(0, w, 2):
            hi = row[x]
            lo = row[x + 1] if x + 1 < w else 0
            packed.append((hi << 4) | lo)
        packed.extend(b'\0' * (row_bytes - len(packed)))
        pixels += packed
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in PALETTE)
    offset = 14 + 40 + len(palette)
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 4, 0, len(pixels),
                       2835, 2835, 16, 16)
    with open(path, 'wb') as f:
        f.write(header + info + palette + pixels)


# File name -> image. The program's resource numbers are listed in
# bitmaps.rc next to this script.
FILES = {name: strip(g, 25) for name, g in GLYPHS.items()}
FILES['spacer'] = spacer()
FILES.update({'scroll_' + name: strip(g, 10) for name, g in SMALL_GLYPHS.items()})

if __name__ == '__main__':
    here = os.path.dirname(os.path.abspath(__file__))
    for name, img in sorted(FILES.items()):
        write_bmp(os.path.join(here, name + '.bmp'), img)
