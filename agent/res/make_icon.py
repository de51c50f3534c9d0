#!/usr/bin/env python3
"""Draws the agent's icon, a clock face at ten past ten, into Horvane.ico: 32x32 and 16x16
with a 256-colour palette and 64x64 with 32-bit colour and alpha. Standard library only."""
import math
import struct
import sys

FACE = (255, 255, 255)
RIM = (32, 64, 128)
HANDS = (24, 24, 24)
SECOND_HAND = (200, 32, 32)
SAMPLES = 4  # per axis, for anti-aliased edges


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def shade(x, y):
    """Colour and coverage (0..1) of a point in the unit square, centre (0.5, 0.5)."""
    r = math.hypot(x - 0.5, y - 0.5)
    if r > 0.48:
        return None
    if r > 0.40:
        return RIM
    hands = [  # (angle in degrees clockwise from twelve, length, half width, colour)
        (300, 0.24, 0.035, HANDS),  # hour hand at ten
        (60, 0.34, 0.025, HANDS),  # minute hand at two
        (180, 0.34, 0.012, SECOND_HAND),
    ]
    for angle, length, width, colour in hands:
        a = math.radians(angle)
        if segment_distance(x, y, 0.5, 0.5, 0.5 + length * math.sin(a), 0.5 - length * math.cos(a)) < width:
            return colour
    for hour in range(12):  # hour marks
        a = math.radians(hour * 30)
        inner = 0.31 if hour % 3 else 0.28
        if segment_distance(x, y, 0.5 + inner * math.sin(a), 0.5 - inner * math.cos(a),
                            0.5 + 0.37 * math.sin(a), 0.5 - 0.37 * math.cos(a)) < 0.018:
            return HANDS
    return FACE


def render(size):
    """Rows top to bottom of (r, g, b, alpha) pixels."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            hits = []
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = shade((px + (sx + 0.5) / SAMPLES) / size, (py + (sy + 0.5) / SAMPLES) / size)
                    if c:
                        hits.append(c)
            if not hits:
                row.append((0, 0, 0, 0))
                continue
            mean = tuple(sum(c[i] for c in hits) // len(hits) for i in range(3))
            row.append(mean + (255 * len(hits) // (SAMPLES * SAMPLES),))
        rows.append(row)
    return rows


def and_mask(rows, size):
    stride = ((size + 31) // 32) * 4
    out = b""
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, (_, _, _, alpha) in enumerate(row):
            if alpha < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        out += bytes(bits)
    return out


def header(size, bits, colours, image_bytes):
    return struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, image_bytes, 0, 0, colours, 0)


def paletted_image(size):
    rows = render(size)
    palette = []
    index = {}
    pixels = []
    for row in rows:
        line = []
        for r, g, b, alpha in row:
            # A 256-colour image has no alpha: the mask decides, colours are quantised.
            key = (0, 0, 0) if alpha < 128 else (r & 0xF0, g & 0xF0, b & 0xF0)
            if key not in index:
                index[key] = len(palette)
                palette.append(key)
            line.append(index[key])
        pixels.append(line)
    if len(palette) > 256:
        sys.exit("too many colours for a 256-colour image")
    palette += [(0, 0, 0)] * (256 - len(palette))
    stride = (size + 3) // 4 * 4
    xor = b"".join(bytes(line) + bytes(stride - size) for line in reversed(pixels))
    mask = and_mask(rows, size)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return header(size, 8, 256, len(xor) + len(mask)) + table + xor + mask


def true_colour_image(size):
    rows = render(size)
    xor = b"".join(struct.pack("<BBBB", b, g, r, a) for row in reversed(rows) for r, g, b, a in row)
    mask = and_mask(rows, size)
    return header(size, 32, 0, len(xor) + len(mask)) + xor + mask


def main(path):
    images = [(32, 8, paletted_image(32)), (16, 8, paletted_image(16)), (64, 32, true_colour_image(64))]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, bits, data in images:
        colours = 0  # 0 means 256 or more colours
        out += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, 1, bits, len(data), offset)
        offset += len(data)
    out += b"".join(data for _, _, data in images)
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "Horvane.ico")
