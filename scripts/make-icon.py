#!/usr/bin/env python3
"""Draws the Vantor program icon and writes it as a Windows .ico file.

The picture is a dark frame holding two file panes side by side: white
bodies with listing lines, a blue title strip on each (the left, active
pane brighter), and a highlighted cursor row in the left pane.

Each image is stored as a 32-bit BGRA DIB with a 1-bit AND mask, the form
every Windows version accepts. Only the standard library is used.

Usage: python3 scripts/make-icon.py [output.ico]
       (default output: res/Vantor.ico beside this script's parent folder)
"""

import os
import struct
import sys

TRANSPARENT = (0, 0, 0, 0)
FRAME = (0x24, 0x2C, 0x38, 0xFF)        # dark slate frame
FRAME_EDGE = (0x14, 0x1A, 0x22, 0xFF)   # darker outline
TITLE_ACTIVE = (0x2F, 0x74, 0xE0, 0xFF)
TITLE_INACTIVE = (0x6F, 0x93, 0xC4, 0xFF)
BODY = (0xFF, 0xFF, 0xFF, 0xFF)
LINE = (0x9A, 0xA3, 0xB0, 0xFF)
FOLDER_LINE = (0xD9, 0xA4, 0x2B, 0xFF)  # a folder entry, drawn in amber
CURSOR = (0xC9, 0xDD, 0xFB, 0xFF)
CURSOR_LINE = (0x2F, 0x5F, 0xB0, 0xFF)

# Geometry per icon size (all in pixels, inclusive ranges).
LAYOUTS = {
    32: dict(margin=2, gap=2, title=4, first_line=3, line_step=3,
             line_inset=2, lengths=[(9, True), (7, False), (9, False),
                                   (5, False), (8, False), (6, False),
                                   (9, False)],
             cursor_row=2),
    16: dict(margin=1, gap=2, title=2, first_line=2, line_step=2,
             line_inset=1, lengths=[(4, True), (3, False), (4, False),
                                   (2, False), (4, False)],
             cursor_row=1),
}


def draw(size):
    """Returns the image as rows top to bottom of (r, g, b, a) tuples."""
    lay = LAYOUTS[size]
    px = [[FRAME for _ in range(size)] for _ in range(size)]

    def fill(x0, y0, x1, y1, color):
        for y in range(max(0, y0), min(size - 1, y1) + 1):
            for x in range(max(0, x0), min(size - 1, x1) + 1):
                px[y][x] = color

    # Outline of the frame, with the four corner pixels cut away.
    for i in range(size):
        px[0][i] = px[size - 1][i] = FRAME_EDGE
        px[i][0] = px[i][size - 1] = FRAME_EDGE
    for (x, y) in ((0, 0), (size - 1, 0), (0, size - 1), (size - 1, size - 1)):
        px[y][x] = TRANSPARENT

    m, gap, title = lay["margin"], lay["gap"], lay["title"]
    inner = size - 2 * m
    pane_w = (inner - gap) // 2
    top, bottom = m, size - 1 - m
    panes = [(m, m + pane_w - 1), (size - m - pane_w, size - 1 - m)]

    for index, (left, right) in enumerate(panes):
        active = index == 0
        fill(left, top, right, top + title - 1,
             TITLE_ACTIVE if active else TITLE_INACTIVE)
        fill(left, top + title, right, bottom, BODY)
        y = top + title + lay["first_line"] - 1
        for row, (length, is_folder) in enumerate(lay["lengths"]):
            if y > bottom - 1:
                break
            x0 = left + lay["line_inset"]
            x1 = min(right - 1, x0 + length - 1)
            if active and row == lay["cursor_row"]:
                fill(left, y - 1, right, y + 1 if size >= 32 else y, CURSOR)
                fill(x0, y, x1, y, CURSOR_LINE)
            else:
                fill(x0, y, x1, y, FOLDER_LINE if is_folder else LINE)
            y += lay["line_step"]
    return px


def dib_entry(size):
    """BITMAPINFOHEADER + bottom-up BGRA pixels + bottom-up AND mask."""
    px = draw(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         0, 0, 0, 0, 0)
    xor = bytearray()
    for row in reversed(px):
        for (r, g, b, a) in row:
            xor += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(px):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(xor) + bytes(mask)


def make_ico(sizes):
    images = [dib_entry(s) for s in sizes]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32,
                           len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    return bytes(out)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        here, os.pardir, "res", "Vantor.ico")
    data = make_ico([32, 16])
    with open(target, "wb") as f:
        f.write(data)
    print("wrote %s (%d bytes)" % (os.path.normpath(target), len(data)))


if __name__ == "__main__":
    main()
