#!/usr/bin/env python3
"""Draws the Brevio command icon and writes it as a baseline TIFF.

32 x 32 pixels, 8-bit RGB, uncompressed, one strip, little-endian: the
simplest TIFF every reader accepts. A stopwatch on a dark blue tile, for a
quick render. Only the Python standard library is used, so the icon can be
rebuilt anywhere:

    python3 tools/make_icon.py res/brevio.tif
"""

import math
import struct
import sys

SIZE = 32

BACKGROUND = (28, 44, 78)
RIM = (236, 240, 246)
FACE = (52, 72, 116)
HAND = (255, 150, 40)
CROWN = (236, 240, 246)


def pixel(x, y):
    """Colour of the pixel whose centre is (x + 0.5, y + 0.5)."""
    cx, cy = 16.0, 18.0
    px, py = x + 0.5, y + 0.5
    dx, dy = px - cx, py - cy
    r = math.hypot(dx, dy)
    # Crown and button on top of the watch.
    if 13.5 <= px <= 18.5 and 3.0 <= py <= 5.5:
        return CROWN
    if 15.0 <= px <= 17.0 and 5.5 <= py <= 7.5:
        return CROWN
    if r <= 9.0:
        # The hand points to one o'clock: a quick, short render.
        angle = math.radians(-60.0)
        hx, hy = math.cos(angle), math.sin(angle)
        along = dx * hx + dy * hy
        across = abs(-dx * hy + dy * hx)
        if -1.0 <= along <= 7.0 and across <= 1.2:
            return HAND
        if r <= 1.8:
            return HAND
        return FACE
    if r <= 11.0:
        return RIM
    return BACKGROUND


def tiff(width, height, rgb):
    """A baseline RGB TIFF of `rgb` (bytes, rows top to bottom)."""
    entries = []  # (tag, type, count, value or offset)
    SHORT, LONG, RATIONAL = 3, 4, 5
    header_size = 8
    tag_count = 12
    ifd_size = 2 + tag_count * 12 + 4
    extra = header_size + ifd_size  # where out-of-line values start
    bits_offset = extra
    xres_offset = bits_offset + 6
    yres_offset = xres_offset + 8
    image_offset = yres_offset + 8

    entries.append((256, SHORT, 1, width))
    entries.append((257, SHORT, 1, height))
    entries.append((258, SHORT, 3, bits_offset))
    entries.append((259, SHORT, 1, 1))  # no compression
    entries.append((262, SHORT, 1, 2))  # RGB
    entries.append((273, LONG, 1, image_offset))
    entries.append((277, SHORT, 1, 3))
    entries.append((278, SHORT, 1, height))  # one strip
    entries.append((279, LONG, 1, len(rgb)))
    entries.append((282, RATIONAL, 1, xres_offset))
    entries.append((283, RATIONAL, 1, yres_offset))
    entries.append((296, SHORT, 1, 2))  # inch
    assert len(entries) == tag_count

    out = bytearray(b"II*\x00" + struct.pack("<I", header_size))
    out += struct.pack("<H", tag_count)
    for tag, kind, count, value in entries:
        if kind == SHORT and count == 1:
            out += struct.pack("<HHIHH", tag, kind, count, value, 0)
        else:
            out += struct.pack("<HHII", tag, kind, count, value)
    out += struct.pack("<I", 0)  # no further image
    out += struct.pack("<HHH", 8, 8, 8)
    out += struct.pack("<II", 72, 1)
    out += struct.pack("<II", 72, 1)
    assert len(out) == image_offset
    out += rgb
    return bytes(out)


def main():
    path = sys.argv[1] if len(sys.argv) > 1 else "res/brevio.tif"
    rgb = bytearray()
    for y in range(SIZE):
        for x in range(SIZE):
            rgb += bytes(pixel(x, y))
    with open(path, "wb") as f:
        f.write(tiff(SIZE, SIZE, bytes(rgb)))


if __name__ == "__main__":
    main()
