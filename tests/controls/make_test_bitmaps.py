#!/usr/bin/env python3
"""Writes the small BMP files that the control tests load as resources.

usage: make_test_bitmaps.py <output folder>
"""
import struct
import sys
from pathlib import Path


def bmp(width, height, bits, pixel, palette=None):
    """pixel(x, y) gives (r, g, b) for 24 bits or a palette index; y is top-down."""
    row = ((width * bits + 31) // 32) * 4
    data = bytearray()
    for y in reversed(range(height)):
        line = bytearray(row)
        for x in range(width):
            if bits == 24:
                r, g, b = pixel(x, y)
                line[x * 3:x * 3 + 3] = bytes((b, g, r))
            elif bits == 8:
                line[x] = pixel(x, y)
        data += line
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in (palette or []))
    offset = 14 + 40 + len(colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(data), 2835, 2835,
                       len(palette or []), 0)
    return header + info + colours + bytes(data)


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    quadrants = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 0)]
    # 8-bit skin: four quadrants of 32 x 24 pixels.
    (out / "skin8.bmp").write_bytes(
        bmp(64, 48, 8, lambda x, y: (1 if x >= 32 else 0) + (2 if y >= 24 else 0), quadrants))
    # Four 24-bit button faces of 40 x 20 pixels in distinct colours.
    faces = {"normal": (200, 0, 0), "selected": (0, 200, 0), "hover": (0, 0, 200), "disabled": (90, 90, 90)}
    for name, colour in faces.items():
        (out / f"face_{name}.bmp").write_bytes(bmp(40, 20, 24, lambda x, y, c=colour: c))


if __name__ == "__main__":
    main()
