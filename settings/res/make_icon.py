#!/usr/bin/env python3
"""Draws HorvaneSet's program icon (a clock face with a blue rim) and writes
HorvaneSet.ico with three images: 32x32 and 16x16 with 256 colours, 64x64 with 32-bit colour.
Run from this folder: python3 make_icon.py"""
import math
import struct

RIM, FACE, HAND, CLEAR = (0x1F, 0x5F, 0xB4), (0xF4, 0xF4, 0xF0), (0x20, 0x20, 0x28), None
PALETTE = [CLEAR, RIM, FACE, HAND]  # index 0 is transparent (masked)


def pixel(x, y, size):
    """The colour at pixel centre (x, y) of a size x size image, top-down."""
    c = size / 2
    dx, dy = (x + 0.5 - c) / c, (y + 0.5 - c) / c
    r = math.hypot(dx, dy)
    if r > 0.97:
        return CLEAR
    if r > 0.78:
        return RIM
    # Hands at ten past ten: hour towards 10 o'clock, minute towards 2 o'clock.
    for angle, length in ((math.radians(-60), 0.45), (math.radians(60), 0.68)):
        hx, hy = math.sin(angle), -math.cos(angle)
        along = dx * hx + dy * hy
        across = abs(dx * hy - dy * hx)
        if -0.05 <= along <= length and across <= max(0.07, 1.5 / size):
            return HAND
    return FACE


def mask_rows(size):
    """The 1-bit AND mask, bottom-up, rows padded to 32 bits: 1 = transparent."""
    stride = ((size + 31) // 32) * 4
    out = b""
    for y in reversed(range(size)):
        row = bytearray(stride)
        for x in range(size):
            if pixel(x, y, size) is CLEAR:
                row[x // 8] |= 0x80 >> (x % 8)
        out += bytes(row)
    return out


def image_8bit(size):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 8, 0, 0, 0, 0, 256, 0)
    palette = b""
    for i in range(256):
        rgb = PALETTE[i] if i < len(PALETTE) and PALETTE[i] else (0, 0, 0)
        palette += bytes((rgb[2], rgb[1], rgb[0], 0))
    stride = (size + 3) // 4 * 4
    pixels = b""
    for y in reversed(range(size)):
        row = bytearray(stride)
        for x in range(size):
            row[x] = PALETTE.index(pixel(x, y, size))
        pixels += bytes(row)
    return header + palette + pixels + mask_rows(size)


def image_32bit(size):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b""
    for y in reversed(range(size)):
        for x in range(size):
            rgb = pixel(x, y, size)
            pixels += bytes((0, 0, 0, 0)) if rgb is CLEAR else bytes((rgb[2], rgb[1], rgb[0], 255))
    return header + pixels + mask_rows(size)


def main():
    images = [(32, 0, 8, image_8bit(32)), (16, 0, 8, image_8bit(16)), (64, 0, 32, image_32bit(64))]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    data = b""
    for size, colours, bits, blob in images:
        directory += struct.pack("<BBBBHHII", size, size, colours, 0, 1, bits, len(blob), offset + len(data))
        data += blob
    with open("HorvaneSet.ico", "wb") as f:
        f.write(directory + data)


if __name__ == "__main__":
    main()
