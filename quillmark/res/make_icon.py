#!/usr/bin/env python3
"""Draws Quillmark's icon (a wire-frame block under a quill pen on a navy tile) and
writes it as QUILMARK.ico: two images, 32x32 and 16x16, each of 16 colours (4 bits
per pixel) in the standard VGA palette. Run it again after changing the drawing:
    python3 make_icon.py [OUTPUT.ico]
"""
import struct
import sys

# The 16 colours of the standard VGA palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, GREY, SILVER, YELLOW, WHITE, CYAN, RED = 0, 4, 8, 7, 11, 15, 14, 9
TRANSPARENT = None


def line(img, x0, y0, x1, y1, colour):
    """Bresenham's line from (x0, y0) to (x1, y1), both ends included."""
    dx, dy = abs(x1 - x0), -abs(y1 - y0)
    sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
    err = dx + dy
    while True:
        img[y0][x0] = colour
        if (x0, y0) == (x1, y1):
            return
        e2 = 2 * err
        if e2 >= dy:
            err += dy
            x0 += sx
        if e2 <= dx:
            err += dx
            y0 += sy


def tile(size):
    """A navy tile with a one-pixel black frame and cut corners (transparent)."""
    img = [[NAVY] * size for _ in range(size)]
    last = size - 1
    for i in range(size):
        img[0][i] = img[last][i] = img[i][0] = img[i][last] = BLACK
    for x, y in ((0, 0), (last, 0), (0, last), (last, last)):
        img[y][x] = TRANSPARENT
    return img


def cube(img, x, y, s, d, front, back):
    """A wire-frame cube: front face at (x, y) of side s, receding by d up and right."""
    for (ax, ay, bx, by) in ((x + d, y - d, x + s + d, y - d), (x + s + d, y - d, x + s + d, y + s - d)):
        line(img, ax, ay, bx, by, back)
    for (ax, ay) in ((x, y), (x + s, y), (x + s, y + s)):
        line(img, ax, ay, ax + d, ay - d, back)
    line(img, x, y, x + s, y, front)
    line(img, x + s, y, x + s, y + s, front)
    line(img, x + s, y + s, x, y + s, front)
    line(img, x, y + s, x, y, front)


def icon32():
    img = tile(32)
    cube(img, 4, 13, 14, 6, WHITE, CYAN)
    # The quill: a yellow shaft with a silver vane, nib at the cube's corner.
    line(img, 18, 27, 28, 4, YELLOW)
    line(img, 19, 27, 29, 4, YELLOW)
    for i in range(6):
        line(img, 22 + i // 2, 12 - 2 * i // 2, 26 + i // 2, 13 - 2 * i // 2, SILVER)
    img[28][17] = RED
    img[29][17] = RED
    return img


def icon16():
    img = tile(16)
    cube(img, 2, 7, 7, 3, WHITE, CYAN)
    line(img, 10, 13, 14, 2, YELLOW)
    line(img, 12, 6, 13, 7, SILVER)
    img[14][9] = RED
    return img


def dib(img):
    """The image as an icon resource: header, palette, colour bits, mask bits."""
    size = len(img)
    colour_row = ((size * 4 + 31) // 32) * 4
    mask_row = ((size + 31) // 32) * 4
    colours, mask = b"", b""
    for row in reversed(img):  # bottom-up
        packed = bytearray(colour_row)
        bits = bytearray(mask_row)
        for x, c in enumerate(row):
            value = 0 if c is None else c
            packed[x // 2] |= value << (4 if x % 2 == 0 else 0)
            if c is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        colours += bytes(packed)
        mask += bytes(bits)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0,
                         len(colours) + len(mask), 0, 0, 0, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    return header + palette + colours + mask


def write_ico(path, images):
    blobs = [dib(img) for img in images]
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for img, blob in zip(images, blobs):
        size = len(img)
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(blob), offset)
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(out + b"".join(blobs))


if __name__ == "__main__":
    write_ico(sys.argv[1] if len(sys.argv) > 1 else "QUILMARK.ico", [icon32(), icon16()])
