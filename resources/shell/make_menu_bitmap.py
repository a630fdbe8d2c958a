#!/usr/bin/env python3
"""Draws bitmap 202 of VantrelShell.dll: the 16 x 16, 24 bits per pixel image beside the
"Vantrel" entry of Explorer's context menu (a folder with a broom sweeping across it).

Standard library only; the output is committed, so a build never runs this:

    python3 resources/shell/make_menu_bitmap.py [output.bmp]   (default: beside this file)
"""

import os
import struct
import sys

WIDTH = HEIGHT = 16
BACKGROUND = (255, 255, 255)
FOLDER = (240, 196, 64)
FOLDER_EDGE = (176, 128, 24)
HANDLE = (128, 80, 40)
BRISTLES = (40, 120, 200)


def draw():
    px = [[BACKGROUND for _ in range(WIDTH)] for _ in range(HEIGHT)]
    # Folder: tab on top, body below, darker outline.
    for y in range(5, 14):
        for x in range(1, 12):
            edge = y in (5, 13) or x in (1, 11)
            px[y][x] = FOLDER_EDGE if edge else FOLDER
    for x in range(1, 6):
        px[4][x] = FOLDER_EDGE
    # Broom handle: a diagonal from the top right down towards the folder.
    for i in range(8):
        x, y = 14 - i, 1 + i
        px[y][x] = HANDLE
        if x + 1 < WIDTH:
            px[y][x + 1] = HANDLE
    # Bristles fanning out at the lower end of the handle.
    for y, (x0, x1) in enumerate([(6, 8), (5, 9), (4, 9), (4, 8)], start=9):
        for x in range(x0, x1 + 1):
            px[y][x] = BRISTLES
    return px


def write_bmp(path, px):
    row_bytes = (WIDTH * 3 + 3) & ~3
    image = bytearray()
    for y in reversed(range(HEIGHT)):  # bottom-up rows
        row = bytearray()
        for r, g, b in px[y]:
            row += bytes((b, g, r))
        row += b"\0" * (row_bytes - len(row))
        image += row
    header_size = 14 + 40
    file_header = struct.pack("<2sIHHI", b"BM", header_size + len(image), 0, 0, header_size)
    info_header = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(image),
                              2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(file_header + info_header + image)


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "menu_bitmap.bmp")
    write_bmp(out, draw())
