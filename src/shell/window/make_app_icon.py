#!/usr/bin/env python3
"""Draws the program's icon: a display whose screen shows a crisp, pixel-sharp
four-pointed sparkle over a fine grid -- "sharp, crisp display". Writes an .ico with a
32x32 and a 16x16 image, both 24 bits per pixel with a transparency mask."""
import struct
import sys

FRAME = (40, 44, 52)
BEZEL = (90, 96, 110)
SCREEN_TOP = (30, 110, 200)
SCREEN_BOTTOM = (10, 60, 140)
GRID = (60, 140, 220)
SPARK = (255, 255, 255)
STAND = (70, 74, 84)


def draw(size):
    s = size / 32.0
    px = [[None] * size for _ in range(size)]

    def rect(x0, y0, x1, y1, colour):
        for y in range(int(y0 * s), int(y1 * s)):
            for x in range(int(x0 * s), int(x1 * s)):
                px[y][x] = colour

    rect(1, 3, 31, 25, FRAME)          # the display's case
    rect(2, 4, 30, 24, BEZEL)
    top, bottom = int(5 * s), int(23 * s)
    for y in range(top, bottom):        # the screen, a vertical gradient
        t = (y - top) / max(1, bottom - top - 1)
        colour = tuple(int(a + (b - a) * t) for a, b in zip(SCREEN_TOP, SCREEN_BOTTOM))
        for x in range(int(3 * s), int(29 * s)):
            px[y][x] = colour
    step = max(2, int(4 * s))           # a fine, exact pixel grid
    for y in range(top, bottom):
        for x in range(int(3 * s), int(29 * s)):
            if (x - int(3 * s)) % step == 0 and (y - top) % step == 0:
                px[y][x] = GRID
    cx, cy, r = 16 * s - 0.5, 14 * s - 0.5, 7.5 * s   # a sharp four-pointed sparkle
    for y in range(top, bottom):
        for x in range(int(3 * s), int(29 * s)):
            dx, dy = abs(x - cx), abs(y - cy)
            if dx * dy <= r * 0.55 and dx + dy <= r:
                px[y][x] = SPARK
    rect(13, 25, 19, 28, STAND)         # neck and foot
    rect(8, 28, 24, 30, STAND)
    return px


def image_entry(size):
    px = draw(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 24, 0, 0, 0, 0, 0, 0)
    row_bytes = (size * 3 + 3) & ~3
    xor = bytearray()
    for y in reversed(range(size)):     # bottom-up rows
        row = bytearray()
        for x in range(size):
            b = px[y][x] or (0, 0, 0)
            row += bytes((b[2], b[1], b[0]))
        xor += row + bytes(row_bytes - len(row))
    mask_row = ((size + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(size)):
        bits = bytearray(mask_row)
        for x in range(size):
            if px[y][x] is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(xor) + bytes(mask)


def main(path):
    images = [image_entry(32), image_entry(16)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((32, 16), images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 24, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1])
