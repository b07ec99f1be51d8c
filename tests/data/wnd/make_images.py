#!/usr/bin/env python3
"""Writes the images that the window framework suites compile into their
test resources: strip.bmp (four 16 x 15 toolbar images, 24-bit, magenta
background as the mask colour) and test.ico (one 16 x 16, 32-bit icon)."""
import struct
from pathlib import Path

HERE = Path(__file__).resolve().parent
COLOURS = [(200, 30, 30), (30, 160, 30), (30, 30, 200), (200, 160, 30)]
MAGENTA = (255, 0, 255)


def strip_bmp():
    width, height = 16 * len(COLOURS), 15
    row_size = (width * 3 + 3) // 4 * 4
    pixels = bytearray()
    for y in range(height):  # bottom-up rows
        row = bytearray()
        for x in range(width):
            inner = 3 <= x % 16 <= 12 and 3 <= y <= 11
            r, g, b = COLOURS[x // 16] if inner else MAGENTA
            row += bytes((b, g, r))
        row += b"\0" * (row_size - len(row))
        pixels += row
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0,
                         len(pixels), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(pixels),
                              0, 0, 14 + len(header))
    return file_header + header + pixels


def test_ico():
    size = 16
    xor = bytearray()
    for y in range(size):
        for x in range(size):
            xor += bytes((40, 120, 220, 255)) if 2 <= x <= 13 else bytes(4)
    and_mask = b"\0" * (4 * size)  # 16 bits a row, padded to 32
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         len(xor) + len(and_mask), 0, 0, 0, 0)
    image = header + xor + and_mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), 22)
    return directory + entry + image


(HERE / "strip.bmp").write_bytes(strip_bmp())
(HERE / "test.ico").write_bytes(test_ico())
