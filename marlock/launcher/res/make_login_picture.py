#!/usr/bin/env python3
"""Draws the login prompt's picture: a person with a golden key, 32 x 32
pixels, written as an icon file (32-bit colour with alpha and a mask).

The picture is drawn from a few shapes, each pixel sampled 4 x 4 times for
soft edges. Run it again after changing a shape:
    python3 make_login_picture.py login_picture.ico
"""
import math
import struct
import sys

SIZE = 32
SUB = 4

PERSON = (52, 96, 168)        # blue
PERSON_EDGE = (24, 48, 96)
KEY = (232, 180, 40)          # gold
KEY_EDGE = (120, 80, 10)


def in_circle(x, y, cx, cy, r):
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def in_ellipse(x, y, cx, cy, rx, ry):
    return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def in_rect(x, y, left, top, right, bottom):
    return left <= x < right and top <= y < bottom


def person(x, y, grow=0.0):
    head = in_circle(x, y, 12.5, 9.5, 6.0 + grow)
    body = in_ellipse(x, y, 12.5, 29.0, 11.0 + grow, 11.5 + grow) and y < 30.5 + grow
    return head or body


def key(x, y, grow=0.0):
    ring = in_circle(x, y, 23.5, 15.5, 5.0 + grow) and not in_circle(x, y, 23.5, 14.5, 1.8 - grow)
    shaft = in_rect(x, y, 22.0 - grow, 19.0, 25.0 + grow, 31.0 + grow)
    teeth = (in_rect(x, y, 25.0, 25.0 - grow, 28.5 + grow, 27.0 + grow) or
             in_rect(x, y, 25.0, 28.5 - grow, 27.5 + grow, 31.0 + grow))
    return ring or shaft or teeth


def colour_at(x, y):
    """Colour of one sample point, or None where the picture is clear."""
    if key(x, y):
        return KEY
    if key(x, y, 1.0):
        return KEY_EDGE
    if person(x, y):
        return PERSON
    if person(x, y, 1.0):
        return PERSON_EDGE
    return None


def render():
    rows = []
    for py in range(SIZE):
        row = []
        for px in range(SIZE):
            r = g = b = n = 0
            for sy in range(SUB):
                for sx in range(SUB):
                    c = colour_at(px + (sx + 0.5) / SUB, py + (sy + 0.5) / SUB)
                    if c:
                        r += c[0]; g += c[1]; b += c[2]; n += 1
            if n == 0:
                row.append((0, 0, 0, 0))
            else:
                alpha = round(255 * n / (SUB * SUB))
                row.append((round(r / n), round(g / n), round(b / n), alpha))
        rows.append(row)
    return rows


def icon_file(rows):
    colour = bytearray()
    for row in reversed(rows):  # bottom-up
        for r, g, b, a in row:
            colour += bytes((b, g, r, a))
    mask = bytearray()
    for row in reversed(rows):
        bits = 0
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits |= 1 << (31 - x)
        mask += struct.pack(">I", bits)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0,
                         len(colour) + len(mask), 0, 0, 0, 0)
    image = header + colour + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else "login_picture.ico"
    with open(out, "wb") as f:
        f.write(icon_file(render()))
