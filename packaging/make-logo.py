#!/usr/bin/env python3
"""Draws Kairo's logo (a stylised mouse: rounded body, wheel, split buttons,
on a dark disc with an orange ring) and writes it as a multi-size Windows
icon, modules/img/logo.ico. Run it from the project root after changing it."""
import math
import struct
import sys


def lerp(a, b, t):
    return a + (b - a) * t


def pixel(size, x, y):
    """RGBA of one pixel, supersampled 4x4 for smooth edges."""
    acc = [0.0, 0.0, 0.0, 0.0]
    n = 4
    for sy in range(n):
        for sx in range(n):
            u = (x + (sx + 0.5) / n) / size * 2 - 1
            v = (y + (sy + 0.5) / n) / size * 2 - 1
            r = math.hypot(u, v)
            col = None
            if r <= 0.98:
                col = (38, 39, 43)
                if r >= 0.84:
                    col = (240, 120, 30)
                # mouse body: an ellipse
                bx, by = u / 0.42, (v - 0.02) / 0.62
                if bx * bx + by * by <= 1.0:
                    t = (v + 0.6) / 1.2
                    col = (int(lerp(235, 150, t)),) * 3
                    # split between the buttons and the button line
                    if abs(u) < 0.025 and v < -0.12:
                        col = (60, 60, 66)
                    if abs(v + 0.12) < 0.022:
                        col = (60, 60, 66)
                    # wheel
                    if abs(u) < 0.06 and -0.45 < v < -0.24:
                        col = (240, 120, 30)
            if col is not None:
                acc[0] += col[0]
                acc[1] += col[1]
                acc[2] += col[2]
                acc[3] += 255
    k = n * n
    a = acc[3] / k
    if a == 0:
        return (0, 0, 0, 0)
    return (int(acc[0] / (acc[3] / 255)), int(acc[1] / (acc[3] / 255)),
            int(acc[2] / (acc[3] / 255)), int(a))


def bmp_entry(size):
    """A 32-bit BGRA DIB with its AND mask, as icons store it (bottom-up)."""
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    mask_rows = []
    mask_stride = ((size + 31) // 32) * 4
    for y in reversed(range(size)):
        row = bytearray()
        mask = bytearray(mask_stride)
        for x in range(size):
            r, g, b, a = pixel(size, x, y)
            row += bytes((b, g, r, a))
            if a == 0:
                mask[x // 8] |= 0x80 >> (x % 8)
        rows.append(bytes(row))
        mask_rows.append(bytes(mask))
    return header + b''.join(rows) + b''.join(mask_rows)


def main(path):
    # Largest first: readers that take only one image of the file (Qt Quick's
    # Image does) then get the sharpest; icon loaders read them all anyway.
    sizes = [128, 64, 48, 32, 16]
    images = [bmp_entry(s) for s in sizes]
    out = struct.pack('<HHH', 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, img in zip(sizes, images):
        out += struct.pack('<BBBBHHII', s % 256, s % 256, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    out += b''.join(images)
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'modules/img/logo.ico')
