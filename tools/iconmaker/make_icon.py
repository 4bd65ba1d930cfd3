#!/usr/bin/env python3
"""Draws the launcher's icon (res/TavikGame.ico): a gold ring with a blue gem on a dark
rounded square, at 16, 32 and 48 pixels, 32-bit with alpha. Run it again after changing it."""
import math, struct, sys

def pixel(size, x, y):
    cx = cy = (size - 1) / 2.0
    r = size / 2.0
    dx, dy = x - cx, y - cy
    d = math.hypot(dx, dy)
    # rounded square background
    m = size * 0.18
    qx = max(abs(dx) - (r - m), 0); qy = max(abs(dy) - (r - m), 0)
    if math.hypot(qx, qy) > m:
        return (0, 0, 0, 0)
    col = (40, 30, 24, 255)  # dark blue-grey, BGRA
    if abs(d - r * 0.62) < r * 0.14:
        col = (40, 180, 235, 255)  # gold ring
    if d < r * 0.34:
        col = (230, 140, 40, 255)  # blue gem
        if dx < 0 and dy < 0 and d < r * 0.2:
            col = (255, 220, 170, 255)
    return col

def image(size):
    rows = []
    for y in range(size - 1, -1, -1):  # bottom-up
        rows.append(b"".join(struct.pack("4B", *pixel(size, x, y)) for x in range(size)))
    xor = b"".join(rows)
    mask_row = ((size + 31) // 32) * 4
    mask = b"\0" * (mask_row * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + mask

sizes = [16, 32, 48]
images = [image(s) for s in sizes]
out = struct.pack("<HHH", 0, 1, len(sizes))
offset = 6 + 16 * len(sizes)
for s, img in zip(sizes, images):
    out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(img), offset)
    offset += len(img)
out += b"".join(images)
open(sys.argv[1] if len(sys.argv) > 1 else "res/TavikGame.ico", "wb").write(out)
