"""The X screen as a picture: reads what `xwd -root` writes and saves it as PNG.

Only true-colour screens of 24 or 32 bits a pixel (what Xvfb gives with -screen WxHx24)
are read; anything else raises ValueError naming what was found.
"""
import struct
import subprocess
import time
import zlib


class Screenshot:
    """Pixels of the screen, row by row, as (red, green, blue) tuples."""

    def __init__(self, width, height, rows):
        self.width = width
        self.height = height
        self.rows = rows  # rows[y][x] = (r, g, b)

    def pixel(self, x, y):
        return self.rows[y][x]

    def crop(self, left, top, right, bottom):
        """The part from (left, top) up to but not including (right, bottom), kept on the screen."""
        left, top = max(left, 0), max(top, 0)
        right, bottom = min(right, self.width), min(bottom, self.height)
        return Screenshot(right - left, bottom - top, [row[left:right] for row in self.rows[top:bottom]])

    def save_png(self, path):
        raw = b"".join(b"\0" + bytes(c for p in row for c in p) for row in self.rows)

        def chunk(kind, data):
            return (struct.pack(">I", len(data)) + kind + data +
                    struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

        with open(path, "wb") as out:
            out.write(b"\x89PNG\r\n\x1a\n")
            out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)))
            out.write(chunk(b"IDAT", zlib.compress(raw, 6)))
            out.write(chunk(b"IEND", b""))


def _shift(mask):
    return (mask & -mask).bit_length() - 1 if mask else 0


def parse_xwd(data):
    """A Screenshot from the bytes of an XWD file (format version 7)."""
    if len(data) < 100:
        raise ValueError("XWD data of %d bytes is shorter than its header" % len(data))
    fields = struct.unpack(">25I", data[:100])
    (header_size, version, pixmap_format, _depth, width, height, _xoffset, byte_order,
     _unit, _bit_order, _pad, bits_per_pixel, bytes_per_line, visual_class,
     red_mask, green_mask, blue_mask, _bits_per_rgb, _entries, ncolors) = fields[:20]
    # The masks say where each colour lies in a pixel value of byte_order (0: LSB first).
    if version != 7 or pixmap_format != 2:
        raise ValueError("XWD version %d, format %d: expected version 7, ZPixmap (2)"
                         % (version, pixmap_format))
    if visual_class not in (4, 5) or bits_per_pixel not in (24, 32):
        raise ValueError("XWD visual class %d with %d bits a pixel: expected true colour of 24 or 32"
                         % (visual_class, bits_per_pixel))
    start = header_size + 12 * ncolors
    if len(data) < start + bytes_per_line * height:
        raise ValueError("XWD data ends before its %d rows" % height)
    step = bits_per_pixel // 8
    offsets = []
    for mask in (red_mask, green_mask, blue_mask):
        shift = _shift(mask)
        if mask >> shift != 0xFF or shift % 8:
            raise ValueError("XWD colour mask 0x%x is not one whole byte" % mask)
        offsets.append(shift // 8 if byte_order == 0 else step - 1 - shift // 8)
    rows = []
    for y in range(height):
        line = data[start + y * bytes_per_line: start + y * bytes_per_line + width * step]
        rows.append(list(zip(*(line[offset::step] for offset in offsets))))
    return Screenshot(width, height, rows)


def take(display, timeout=20):
    """A screenshot of the whole screen of `display` (":N")."""
    # xwd can fail while a window is being destroyed under it: try again.
    for attempt in range(3):
        shot = subprocess.run(["xwd", "-root", "-silent", "-display", display],
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=timeout)
        if shot.returncode == 0:
            return parse_xwd(shot.stdout)
        time.sleep(0.3)
    raise subprocess.CalledProcessError(shot.returncode, shot.args, stderr=shot.stderr)
