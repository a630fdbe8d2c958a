#!/usr/bin/env python3
"""Draws the bitmaps, the program icon and the link cursor of Vantrel.exe.

Standard library only. The outputs are committed in resources/, so a build never
needs to run this; run it again after changing a picture:

    python3 scripts/make-bitmaps.py [output-folder]    (default: resources/)

Files written:
  sort_arrows.bmp     bitmap 137: 2 images 9 x 5, 4 bits per pixel
  state_images.bmp    bitmap 138: 9 images 16 x 16, 24 bits per pixel
  folder_toolbar.bmp  bitmap 140: 3 images 20 x 20, 32 bits per pixel
  vantrel.ico         icon 128: 48, 32 and 16 pixels, 32 bits per pixel with alpha
  link_hand.cur       cursor 800: 32 x 32 monochrome, hot spot on the finger tip

Magenta (0xFF00FF) marks the transparent pixels of the three bitmaps: the image lists
are built with it as their mask colour, so those pictures are drawn without
anti-aliasing (a blended edge pixel would show as a pink fringe).
"""

import math
import os
import struct
import sys

MAGENTA = (255, 0, 255)


# --------------------------------------------------------------------------
# A small RGBA canvas with supersampled shape filling
# --------------------------------------------------------------------------
class Canvas:
    def __init__(self, width, height, background=None):
        self.width = width
        self.height = height
        # Straight (not premultiplied) RGBA, components 0..1.
        if background is None:
            self.px = [[(0.0, 0.0, 0.0, 0.0) for _ in range(width)] for _ in range(height)]
        else:
            r, g, b = (c / 255.0 for c in background)
            self.px = [[(r, g, b, 1.0) for _ in range(width)] for _ in range(height)]

    def fill(self, inside, color, smooth=False, samples=4, alpha=1.0):
        """Paints `color` where inside(x, y) holds; x, y are in pixel units.

        smooth=False samples each pixel's centre only (hard edges for colour-keyed
        pictures); smooth=True averages samples x samples points for soft edges."""
        r, g, b = (c / 255.0 for c in color)
        for py in range(self.height):
            for px in range(self.width):
                if smooth:
                    hits = 0
                    for sy in range(samples):
                        for sx in range(samples):
                            if inside(px + (sx + 0.5) / samples, py + (sy + 0.5) / samples):
                                hits += 1
                    coverage = hits / float(samples * samples)
                else:
                    coverage = 1.0 if inside(px + 0.5, py + 0.5) else 0.0
                if coverage > 0.0:
                    self._blend(px, py, (r, g, b), coverage * alpha)

    def set(self, x, y, color):
        r, g, b = (c / 255.0 for c in color)
        self.px[y][x] = (r, g, b, 1.0)

    def _blend(self, x, y, rgb, a):
        dr, dg, db, da = self.px[y][x]
        out_a = a + da * (1.0 - a)
        if out_a <= 0.0:
            return
        mix = [(s * a + d * da * (1.0 - a)) / out_a for s, d in zip(rgb, (dr, dg, db))]
        self.px[y][x] = (mix[0], mix[1], mix[2], out_a)

    def blit(self, other, ox, oy):
        for y in range(other.height):
            for x in range(other.width):
                self.px[oy + y][ox + x] = other.px[y][x]

    def rgb8(self, x, y):
        r, g, b, _ = self.px[y][x]
        return tuple(int(round(c * 255)) for c in (r, g, b))

    def rgba8(self, x, y):
        r, g, b, a = self.px[y][x]
        return tuple(int(round(c * 255)) for c in (r, g, b, a))


# --------------------------------------------------------------------------
# Shapes: functions of a point that say whether it lies inside
# --------------------------------------------------------------------------
def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def disc(cx, cy, radius):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius


def polygon(points):
    def inside(x, y):
        hit = False
        n = len(points)
        for i in range(n):
            x0, y0 = points[i]
            x1, y1 = points[(i + 1) % n]
            if (y0 > y) != (y1 > y):
                cross = x0 + (y - y0) * (x1 - x0) / (y1 - y0)
                if x < cross:
                    hit = not hit
        return hit

    return inside


def stroke(points, width):
    """A polyline of the given width with round joints and ends."""
    half = width / 2.0

    def inside(x, y):
        for (x0, y0), (x1, y1) in zip(points, points[1:]):
            dx, dy = x1 - x0, y1 - y0
            length2 = dx * dx + dy * dy
            t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
            px, py = x0 + t * dx, y0 + t * dy
            if (x - px) ** 2 + (y - py) ** 2 <= half * half:
                return True
        return False

    return inside


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def scaled(shape, factor):
    """The shape drawn in a unit design grid, scaled up by `factor` pixels per unit."""
    return lambda x, y: shape(x / factor, y / factor)


# --------------------------------------------------------------------------
# File writers
# --------------------------------------------------------------------------
def row_stride(width, bits):
    return ((width * bits + 31) // 32) * 4


def info_header(width, height, bits, image_size, colours_used=0):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 2835, 2835,
                       colours_used, 0)


def write_bmp(path, width, height, bits, pixel_rows, palette=b""):
    """pixel_rows: top-to-bottom list of already packed row bytes (unpadded)."""
    stride = row_stride(width, bits)
    body = b"".join(row.ljust(stride, b"\0") for row in reversed(pixel_rows))
    colours = len(palette) // 4
    info = info_header(width, height, bits, len(body), colours)
    offset = 14 + len(info) + len(palette)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(body), 0, 0, offset)
    with open(path, "wb") as f:
        f.write(file_header + info + palette + body)


def write_bmp24(path, canvas):
    rows = []
    for y in range(canvas.height):
        row = bytearray()
        for x in range(canvas.width):
            r, g, b = canvas.rgb8(x, y)
            row += bytes((b, g, r))
        rows.append(bytes(row))
    write_bmp(path, canvas.width, canvas.height, 24, rows)


def write_bmp32(path, canvas):
    """Opaque pixels get alpha 255 and magenta pixels alpha 0, so the picture reads the
    same whether an image list uses the mask colour or the alpha channel."""
    rows = []
    for y in range(canvas.height):
        row = bytearray()
        for x in range(canvas.width):
            r, g, b = canvas.rgb8(x, y)
            alpha = 0 if (r, g, b) == MAGENTA else 255
            row += bytes((b, g, r, alpha))
        rows.append(bytes(row))
    write_bmp(path, canvas.width, canvas.height, 32, rows)


# The sixteen standard colours; index 8 is grey, 13 magenta.
VGA_PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def write_bmp4(path, canvas):
    palette = b"".join(bytes((b, g, r, 0)) for (r, g, b) in VGA_PALETTE)
    rows = []
    for y in range(canvas.height):
        indices = [VGA_PALETTE.index(canvas.rgb8(x, y)) for x in range(canvas.width)]
        if len(indices) % 2:
            indices.append(0)
        rows.append(bytes((indices[i] << 4) | indices[i + 1] for i in range(0, len(indices), 2)))
    write_bmp(path, canvas.width, canvas.height, 4, rows, palette)


def mask_rows(width, height, is_transparent):
    """1-bit AND mask rows, top to bottom, padded to 32 bits."""
    stride = row_stride(width, 1)
    rows = []
    for y in range(height):
        row = bytearray(stride)
        for x in range(width):
            if is_transparent(x, y):
                row[x // 8] |= 0x80 >> (x % 8)
        rows.append(bytes(row))
    return rows


def icon_image(canvas):
    w, h = canvas.width, canvas.height
    colour = bytearray()
    for y in reversed(range(h)):
        for x in range(w):
            r, g, b, a = canvas.rgba8(x, y)
            colour += bytes((b, g, r, a))
    mask = b"".join(reversed(mask_rows(w, h, lambda x, y: canvas.rgba8(x, y)[3] == 0)))
    info = info_header(w, h * 2, 32, len(colour) + len(mask))
    return info + bytes(colour) + mask


def write_icon(path, canvases):
    images = [icon_image(c) for c in canvases]
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for canvas, image in zip(canvases, images):
        size = canvas.width if canvas.width < 256 else 0
        entries += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(path, "wb") as f:
        f.write(header + entries + b"".join(images))


def write_cursor(path, art, hot_x, hot_y):
    """art: 32 rows of 32 characters: 'X' black, 'o' white, anything else transparent."""
    size = 32
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    xor_rows = mask_rows(size, size, lambda x, y: art[y][x] == "o")
    and_rows = mask_rows(size, size, lambda x, y: art[y][x] not in "Xo")
    bits = b"".join(reversed(xor_rows)) + b"".join(reversed(and_rows))
    image = info_header(size, size * 2, 1, len(bits), 2) + palette + bits
    header = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", size, size, 2, 0, hot_x, hot_y, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(header + entry + image)


# --------------------------------------------------------------------------
# The pictures
# --------------------------------------------------------------------------
def outlined(canvas, outer, inner, dark, light):
    canvas.fill(outer, dark)
    canvas.fill(inner, light)


def folder_toolbar_images():
    """Bitmap 140: Add Folder (green plus), Remove Folder (orange bar), Remove All
    Folders (orange block); 20 x 20 each."""
    strip = Canvas(60, 20, MAGENTA)

    plus = Canvas(20, 20, MAGENTA)
    dark_green, green, light_green = (30, 110, 40), (60, 170, 70), (140, 215, 140)
    outlined(plus, union(rect(7, 2, 13, 18), rect(2, 7, 18, 13)),
             union(rect(8, 3, 12, 17), rect(3, 8, 17, 12)), dark_green, green)
    plus.fill(union(rect(8, 3, 10, 8), rect(3, 8, 8, 10)), light_green)
    strip.blit(plus, 0, 0)

    dark_orange, orange, light_orange = (170, 80, 0), (245, 140, 20), (255, 200, 120)
    bar = Canvas(20, 20, MAGENTA)
    outlined(bar, rect(2, 7, 18, 13), rect(3, 8, 17, 12), dark_orange, orange)
    bar.fill(rect(3, 8, 17, 10), light_orange)
    strip.blit(bar, 20, 0)

    block = Canvas(20, 20, MAGENTA)
    outlined(block, rect(3, 3, 17, 17), rect(4, 4, 16, 16), dark_orange, orange)
    block.fill(rect(4, 4, 16, 7), light_orange)
    strip.blit(block, 40, 0)
    return strip


def tick(canvas, colour):
    canvas.fill(stroke([(4.5, 8.2), (7.0, 10.8), (11.6, 5.2)], 2.2), colour)


def state_images():
    """Bitmap 138: arrow, green tick, grey tick, red exclamation mark, five frames of a
    spinning ring of dots; 16 x 16 each."""
    strip = Canvas(16 * 9, 16, MAGENTA)
    white = (255, 255, 255)

    arrow = Canvas(16, 16, MAGENTA)
    arrow_outline = [(1, 5), (8, 5), (8, 1), (15, 8), (8, 15), (8, 11), (1, 11)]
    arrow_fill = [(2, 6), (9, 6), (9, 3.4), (13.6, 8), (9, 12.6), (9, 10), (2, 10)]
    outlined(arrow, polygon(arrow_outline), polygon(arrow_fill), (150, 110, 0), (255, 210, 0))
    strip.blit(arrow, 0, 0)

    for index, (dark, light) in enumerate([((20, 120, 30), (50, 175, 60)),
                                           ((105, 105, 105), (150, 150, 150))]):
        done = Canvas(16, 16, MAGENTA)
        outlined(done, disc(8, 8, 7.5), disc(8, 8, 6.5), dark, light)
        tick(done, white)
        strip.blit(done, 16 * (1 + index), 0)

    failed = Canvas(16, 16, MAGENTA)
    outlined(failed, disc(8, 8, 7.5), disc(8, 8, 6.5), (150, 20, 20), (220, 45, 40))
    failed.fill(rect(7, 3, 9, 10), white)
    failed.fill(rect(7, 11, 9, 13), white)
    strip.blit(failed, 48, 0)

    # Ten dots on a ring; the bright head moves two dots per frame, so the five frames
    # make one full, seamless turn.
    dots = 10
    head_colour, tail_colour = (25, 75, 170), (190, 205, 235)
    for frame in range(5):
        spin = Canvas(16, 16, MAGENTA)
        head = 2 * frame
        for i in range(dots):
            angle = -math.pi / 2 + 2 * math.pi * i / dots
            behind = (head - i) % dots  # 0 for the head, growing along the tail
            t = min(1.0, behind / 6.0)
            colour = tuple(int(round(h + (tc - h) * t)) for h, tc in zip(head_colour, tail_colour))
            # Every dot is the same 2 x 2 square, so only the colours move.
            left = int(round(7 + 5.8 * math.cos(angle)))
            top = int(round(7 + 5.8 * math.sin(angle)))
            spin.fill(rect(left, top, left + 2, top + 2), colour)
        strip.blit(spin, 16 * (4 + frame), 0)
    return strip


def sort_arrows():
    """Bitmap 137: grey triangle up (ascending) and down (descending); 9 x 5 each."""
    strip = Canvas(18, 5, MAGENTA)
    grey = (128, 128, 128)
    for row in range(5):
        for x in range(4 - row, 5 + row):
            strip.set(x, row, grey)           # up: the point on the top row
            strip.set(9 + x, 4 - row, grey)   # down: the point on the bottom row
    return strip


def app_icon(size):
    """Icon 128: an open amber folder with a white sparkle, drawn in a 16-unit grid."""
    k = size / 16.0
    canvas = Canvas(size, size)
    back_tab = polygon([(1, 3), (6, 3), (7.5, 4.5), (14, 4.5), (14, 13.5), (1, 13.5)])
    front = polygon([(1, 13.5), (2.6, 6.8), (15.4, 6.8), (14, 13.5)])
    front_inner = polygon([(1.9, 12.8), (3.2, 7.6), (14.5, 7.6), (13.4, 12.8)])
    canvas.fill(scaled(back_tab, k), (150, 95, 15), smooth=True)
    canvas.fill(scaled(polygon([(1.8, 3.8), (5.7, 3.8), (7.2, 5.3), (13.2, 5.3), (13.2, 12),
                                (1.8, 12)]), k), (225, 165, 45), smooth=True)
    canvas.fill(scaled(front, k), (165, 105, 20), smooth=True)
    canvas.fill(scaled(front_inner, k), (250, 200, 75), smooth=True)
    # Sparkle: a four-pointed star with a blue rim, upper right.
    cx, cy, r, w = 11.2, 5.0, 3.6, 0.95
    star = polygon([(cx, cy - r), (cx + w, cy - w), (cx + r, cy), (cx + w, cy + w),
                    (cx, cy + r), (cx - w, cy + w), (cx - r, cy), (cx - w, cy - w)])
    rim = polygon([(cx, cy - r - 0.9), (cx + w + 0.5, cy - w - 0.5), (cx + r + 0.9, cy),
                   (cx + w + 0.5, cy + w + 0.5), (cx, cy + r + 0.9), (cx - w - 0.5, cy + w + 0.5),
                   (cx - r - 0.9, cy), (cx - w - 0.5, cy - w - 0.5)])
    canvas.fill(scaled(rim, k), (40, 110, 200), smooth=True)
    canvas.fill(scaled(star, k), (255, 255, 255), smooth=True)
    if size >= 32:
        canvas.fill(scaled(disc(5.0, 10.3, 0.8), k), (255, 255, 255), smooth=True, alpha=0.85)
    return canvas


LINK_HAND = [
    "     XX          ",
    "    XooX         ",
    "    XooX         ",
    "    XooX         ",
    "    XooX         ",
    "    XooXXX       ",
    "    XooXooXXX    ",
    "    XooXooXooXX  ",
    " XX XooXooXooXoX ",
    "XooXXooooooooXooX",
    "XoooXoooooooooooX",
    " XooXoooooooooooX",
    "  XoXoooooooooooX",
    "  XooooooooooooX ",
    "   XoooooooooooX ",
    "   XooooooooooX  ",
    "    XoooooooooX  ",
    "    XooooooooX   ",
    "     XooooooX    ",
    "     XooooooX    ",
    "     XXXXXXXX    ",
]


def link_cursor_art(left):
    rows = []
    for y in range(32):
        line = LINK_HAND[y] if y < len(LINK_HAND) else ""
        rows.append((" " * left + line).ljust(32)[:32])
    return rows


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources")
    os.makedirs(out, exist_ok=True)
    write_bmp4(os.path.join(out, "sort_arrows.bmp"), sort_arrows())
    write_bmp24(os.path.join(out, "state_images.bmp"), state_images())
    write_bmp32(os.path.join(out, "folder_toolbar.bmp"), folder_toolbar_images())
    write_icon(os.path.join(out, "vantrel.ico"), [app_icon(48), app_icon(32), app_icon(16)])
    left = 6
    write_cursor(os.path.join(out, "link_hand.cur"), link_cursor_art(left), left + 5, 0)


if __name__ == "__main__":
    main()
