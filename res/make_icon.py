#!/usr/bin/env python3
"""Writes DriverSetup.ico, the application icon: a printer with a sheet
coming out of its top, in 32x32 and 16x16 pixels, 16 colours each.

The pictures are drawn below as character maps so that they can be edited
by eye; run this script again after changing them.  Usage:

    python3 make_icon.py [output.ico]

Without an argument the icon is written next to this script.
"""

import os
import struct
import sys

# The standard 16-colour palette, which every display can show unchanged.
PALETTE = [
    (0x00, 0x00, 0x00),  # 0 black
    (0x80, 0x00, 0x00),  # 1 maroon
    (0x00, 0x80, 0x00),  # 2 green
    (0x80, 0x80, 0x00),  # 3 olive
    (0x00, 0x00, 0x80),  # 4 navy
    (0x80, 0x00, 0x80),  # 5 purple
    (0x00, 0x80, 0x80),  # 6 teal
    (0xC0, 0xC0, 0xC0),  # 7 silver
    (0x80, 0x80, 0x80),  # 8 grey
    (0xFF, 0x00, 0x00),  # 9 red
    (0x00, 0xFF, 0x00),  # 10 lime
    (0xFF, 0xFF, 0x00),  # 11 yellow
    (0x00, 0x00, 0xFF),  # 12 blue
    (0xFF, 0x00, 0xFF),  # 13 fuchsia
    (0x00, 0xFF, 0xFF),  # 14 aqua
    (0xFF, 0xFF, 0xFF),  # 15 white
]

# Character of the maps -> palette index; '.' is transparent.
INK = {
    'K': 0,   # outlines, paper slot
    'B': 4,   # printed lines on the sheet
    'S': 7,   # printer body
    'G': 8,   # shading, tray
    'L': 10,  # power lamp
    'W': 15,  # paper, highlights
}

PRINTER_32 = [
    "................................",
    "..........KKKKKKKKKKKK..........",
    "..........KWWWWWWWWWWK..........",
    "..........KWBBBBBBBWWK..........",
    "..........KWWWWWWWWWWK..........",
    "..........KWBBBBBBBBWK..........",
    "..........KWWWWWWWWWWK..........",
    "..........KWBBBBBWWWWK..........",
    "..........KWWWWWWWWWWK..........",
    "..........KWBBBBBBBWWK..........",
    ".....KKKKKKWWWWWWWWWWKKKKKKK....",
    "....KWWWWWKWWWWWWWWWWKWWWWWSK...",
    "...KWSSSSSKKKKKKKKKKKKSSSSSSGK..",
    "..KWSSSSSSSSSSSSSSSSSSSSSSSSGGK.",
    "..KKKKKKKKKKKKKKKKKKKKKKKKKKKKK.",
    "..KWWWWWWWWWWWWWWWWWWWWWWWWWWGK.",
    "..KWSSSSSSSSSSSSSSSSSSSSSSSSSGK.",
    "..KWSSSSSSSSSSSSSSSSSSSGGSLLSGK.",
    "..KWSSSSSSSSSSSSSSSSSSSGGSLLSGK.",
    "..KWSSSSSSSSSSSSSSSSSSSSSSSSSGK.",
    "..KWSSSKKKKKKKKKKKKKKKKKKKSSSGK.",
    "..KWSSSKGGGGGGGGGGGGGGGGGKSSSGK.",
    "..KWSSSSSSSSSSSSSSSSSSSSSSSSSGK.",
    "..KGGGGGGGGGGGGGGGGGGGGGGGGGGGK.",
    "..KKKKKKKKKKKKKKKKKKKKKKKKKKKKK.",
    "....KWWWWWWWWWWWWWWWWWWWWWWWK...",
    "....KWWWWWWWWWWWWWWWWWWWWWWWK...",
    "...KSSSSSSSSSSSSSSSSSSSSSSSSSK..",
    "..KSSSSSSSSSSSSSSSSSSSSSSSSSSSK.",
    "..KGGGGGGGGGGGGGGGGGGGGGGGGGGGK.",
    "..KKKKKKKKKKKKKKKKKKKKKKKKKKKKK.",
    "................................",
]

PRINTER_16 = [
    "....KKKKKKKK....",
    "....KWWWWWWK....",
    "....KWBBBBWK....",
    "....KWWWWWWK....",
    "....KWBBBWWK....",
    "..KKKWWWWWWKKK..",
    ".KWSKKKKKKKKSGK.",
    "KWSSSSSSSSSSSSGK",
    "KWSSSSSSSSSSLLGK",
    "KWSSSSSSSSSSSSGK",
    "KWSKKKKKKKKKSSGK",
    "KGGGGGGGGGGGGGGK",
    "KKKKKKKKKKKKKKKK",
    ".KWWWWWWWWWWWWK.",
    "KSSSSSSSSSSSSSSK",
    "KKKKKKKKKKKKKKKK",
]


def _check(rows, size):
    if len(rows) != size or any(len(r) != size for r in rows):
        raise ValueError("picture of %d pixels is not %dx%d" % (size, size, size))
    for r in rows:
        for c in r:
            if c != '.' and c not in INK:
                raise ValueError("unknown ink %r" % c)


def image(rows):
    """One icon image: BITMAPINFOHEADER, palette, colour bits, AND mask."""
    size = len(rows)
    _check(rows, size)
    xor_stride = (size * 4 + 31) // 32 * 4
    and_stride = (size + 31) // 32 * 4
    xor_bits = bytearray()
    and_bits = bytearray()
    # Bitmaps are stored from the bottom row up.
    for r in reversed(rows):
        line = bytearray(xor_stride)
        mask = bytearray(and_stride)
        for x, c in enumerate(r):
            if c == '.':
                # Transparent: screen kept by the mask, nothing added by colour 0.
                mask[x // 8] |= 0x80 >> (x % 8)
                continue
            ink = INK[c]
            line[x // 2] |= ink << 4 if x % 2 == 0 else ink
        xor_bits += line
        and_bits += mask
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0,
                         len(xor_bits) + len(and_bits), 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    return header + palette + bytes(xor_bits) + bytes(and_bits)


def icon_file(pictures):
    images = [image(p) for p in pictures]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for pic, data in zip(pictures, images):
        size = len(pic)
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 16, 0, 1, 4,
                           len(data), offset)
        offset += len(data)
    return out + b''.join(images)


def main():
    target = (sys.argv[1] if len(sys.argv) > 1 else
              os.path.join(os.path.dirname(os.path.abspath(__file__)),
                           'DriverSetup.ico'))
    with open(target, 'wb') as f:
        f.write(icon_file([PRINTER_32, PRINTER_16]))


if __name__ == '__main__':
    main()
