#!/usr/bin/env python3
"""Draws the toolbar strips (Toolbar.bmp, resource 148, and Toolbar32.bmp,
resource 150) and the program icon (Rolecue.ico, resource 107) from the pixel
maps below.

Run it from anywhere after changing a map; it rewrites both files beside
itself. Standard library only: the files are written byte by byte.

Toolbar: 20 images of 16 x 16 side by side, 24 bits per pixel; the light grey
"." (192, 192, 192) is the colour the image list treats as transparent. The
same images at 32 x 32 serve screens of higher DPI: each map doubled with
Scale2x, which rounds diagonal edges instead of making steps of 2 pixels,
and adds no colour, so the grey stays exact.
"""
import os
import struct

PALETTE = {
    ".": (192, 192, 192),  # transparent grey of the toolbar
    "k": (0, 0, 0),
    "w": (255, 255, 255),
    "g": (128, 128, 128),
    "l": (224, 224, 224),
    "y": (248, 208, 72),   # folder
    "o": (200, 144, 32),   # folder, shaded
    "b": (32, 64, 200),    # arrows, floppy
    "B": (120, 160, 240),
    "r": (208, 40, 40),
    "G": (24, 144, 48),
    "s": (244, 200, 160),  # face
    "n": (112, 72, 32),    # hair
    "c": (160, 224, 248),  # lens
    "p": (248, 168, 192),  # balloon accent
}

NEW = [
    "................",
    "..kkkkkkkk......",
    "..kwwwwwwkk.....",
    "..kwwwwwwkwk....",
    "..kwwwwwwkwwk...",
    "..kwwwwwwkkkkk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kkkkkkkkkkkk..",
    "................",
]

OPEN = [
    "................",
    "................",
    "..........kkk...",
    ".........k...k.k",
    "..............kk",
    ".kkkk........kkk",
    "kyyyyk..........",
    "kyyyyykkkkkkk...",
    "kyyyyyyyyyyyk...",
    "kyyykkkkkkkkkkkk",
    "kyykoooooooooook",
    "kykoooooooooook.",
    "kykooooooooook..",
    "kkoooooooooook..",
    "kkkkkkkkkkkkk...",
    "................",
]

SAVE = [
    "................",
    ".kkkkkkkkkkkkkk.",
    ".kbkwwwwwwwwkbk.",
    ".kbkwwwwwwwwkbk.",
    ".kbkwwwwwwwwkbk.",
    ".kbkwwwwwwwwkbk.",
    ".kbbkkkkkkkkbbk.",
    ".kbbbbbbbbbbbbk.",
    ".kbbkkkkkkkkbbk.",
    ".kbbkggkllllkbk.",
    ".kbbkggkllllkbk.",
    ".kbbkggkllllkbk.",
    ".kbbkggkllllkbk.",
    "..kkkkkkkkkkkkk.",
    "................",
    "................",
]

# Scenario settings: a script page with lines and a pencil.
SETTINGS = [
    "................",
    ".kkkkkkkkkk.....",
    ".kwwwwwwwwk.....",
    ".kwkkkkkkwk.....",
    ".kwwwwwwwwk.....",
    ".kwkkkkkwwk..kk.",
    ".kwwwwwwwwk.krrk",
    ".kwkkkkkkwkkrrk.",
    ".kwwwwwwwwkyrk..",
    ".kwkkkkwwkyyk...",
    ".kwwwwwwkyyk....",
    ".kwkkkkkkkk.....",
    ".kwwwwwwkkk.....",
    ".kwwwwwwwwk.....",
    ".kkkkkkkkkk.....",
    "................",
]

UP = [
    "................",
    "................",
    ".......kk.......",
    "......kbbk......",
    ".....kbbbbk.....",
    "....kbbbbbbk....",
    "...kbbbbbbbbk...",
    "..kkkkbbbbkkkk..",
    ".....kbbbbk.....",
    ".....kbbbbk.....",
    ".....kbbbbk.....",
    ".....kbbbbk.....",
    ".....kbbbbk.....",
    ".....kkkkkk.....",
    "................",
    "................",
]

DOWN = list(reversed(UP))

# Monitoring: an open eye.
MONITOR = [
    "................",
    "................",
    "................",
    "................",
    ".....kkkkkk.....",
    "...kkwwwwwwkk...",
    "..kwwwwkkwwwwk..",
    ".kwwwwkGGkwwwwk.",
    "kwwwwkGkkGkwwwwk",
    ".kwwwwkGGkwwwwk.",
    "..kwwwwkkwwwwk..",
    "...kkwwwwwwkk...",
    ".....kkkkkk.....",
    "................",
    "................",
    "................",
]

# Cast edit: a person.
CAST = [
    "................",
    ".....nnnnnn.....",
    "....nnnnnnnn....",
    "....nssssssn....",
    "....sskssks.....",
    "....ssssssss....",
    ".....ssrrss.....",
    "......ssss......",
    "....rrrssrrr....",
    "...rrrrrrrrrr...",
    "..rrrrrrrrrrrr..",
    "..rrrrrrrrrrrr..",
    "..rrrrrrrrrrrr..",
    "..kkkkkkkkkkkk..",
    "................",
    "................",
]

FIND = [
    "................",
    "....kkkk........",
    "...kccwck.......",
    "..kcwcccck......",
    "..kcccccck......",
    "..kcccccck......",
    "...kcccck.......",
    "....kkkkgk......",
    "........kgk.....",
    ".........kgk....",
    "..........kgk...",
    "...........kk...",
    "................",
    "................",
    "................",
    "................",
]


def with_arrow(base, arrow):
    """Copies `base` and draws a small arrow (list of rows) in its lower right."""
    rows = [list(r) for r in base]
    top = 16 - len(arrow)
    for y, line in enumerate(arrow):
        for x, ch in enumerate(line):
            if ch != ".":
                rows[top + y][16 - len(line) + x] = ch
    return ["".join(r) for r in rows]


SMALL_UP = [
    "...k...",
    "..kbk..",
    ".kbbbk.",
    "kbbbbbk",
    "..kbk..",
    "..kbk..",
    "..kkk..",
]
SMALL_DOWN = list(reversed(SMALL_UP))
FIND_UP = with_arrow(FIND, SMALL_UP)
FIND_DOWN = with_arrow(FIND, SMALL_DOWN)

# Positions no button uses.
NEUTRAL = [
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    ".......gg.......",
    "......gllg......",
    "......gllg......",
    ".......gg.......",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
]

STRIP = [NEUTRAL] * 20
for position, image in ((0, NEW), (1, OPEN), (2, SAVE), (4, SETTINGS), (10, UP),
                        (11, DOWN), (12, MONITOR), (16, CAST), (17, FIND),
                        (18, FIND_UP), (19, FIND_DOWN)):
    STRIP[position] = image

# Program icon: a speech balloon holding two lines of text. "." is transparent.
ICON16 = [
    "................",
    "..kkkkkkkkkkkk..",
    ".kwwwwwwwwwwwwk.",
    "kwwwwwwwwwwwwwwk",
    "kwwkkkkkkkkkwwwk",
    "kwwwwwwwwwwwwwwk",
    "kwwkkkkkkkwwwwwk",
    "kwwwwwwwwwwwwwwk",
    "kwwkkkkkkkkkkwwk",
    ".kwwwwwwwwwwwwk.",
    "..kkkwwkkkkkkk..",
    "....kwwk........",
    "....kwk.........",
    "....kk..........",
    "................",
    "................",
]


def scale2x(image):
    """The map doubled in both directions by the Scale2x rule."""
    height, width = len(image), len(image[0])

    def at(x, y):
        if 0 <= x < width and 0 <= y < height:
            return image[y][x]
        return None

    rows = []
    for y in range(height):
        top, bottom = [], []
        for x in range(width):
            p = image[y][x]
            a = at(x, y - 1) or p  # above
            b = at(x + 1, y) or p  # right
            c = at(x - 1, y) or p  # left
            d = at(x, y + 1) or p  # below
            top += [a if c == a and c != d and a != b else p,
                    b if a == b and a != c and b != d else p]
            bottom += [c if d == c and d != b and c != a else p,
                       d if b == d and b != a and d != c else p]
        rows += ["".join(top), "".join(bottom)]
    return rows


def check(image, name):
    assert len(image) == 16 and all(len(r) == 16 for r in image), name
    assert all(ch in PALETTE for r in image for ch in r), name


def bmp_24(width, height, pixel):
    """A bottom-up 24-bit BMP; pixel(x, y) gives (r, g, b) with y from the top."""
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (stride - len(row))
        data += row
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data),
                         2835, 2835, 0, 0)
    return b"BM" + struct.pack("<IHHI", 14 + len(header) + len(data), 0, 0,
                               14 + len(header)) + header + data


def icon_image(size, pixel):
    """One 32-bit icon image (BITMAPINFOHEADER, BGRA rows, AND mask); pixel
    gives (r, g, b, a)."""
    xor = bytearray()
    mask = bytearray()
    mask_stride = ((size + 31) // 32) * 4
    for y in range(size - 1, -1, -1):
        row_mask = bytearray(mask_stride)
        for x in range(size):
            r, g, b, a = pixel(x, y)
            xor += bytes((b, g, r, a))
            if a == 0:
                row_mask[x // 8] |= 0x80 >> (x % 8)
        mask += row_mask
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + mask


def icon_pixel_16(x, y):
    ch = ICON16[y][x]
    if ch == ".":
        return (0, 0, 0, 0)
    return PALETTE[ch] + (255,)


def icon_pixel_32(x, y):
    # The 16 x 16 drawing doubled, with a pink accent line in the balloon.
    ch = ICON16[y // 2][x // 2]
    if ch == ".":
        return (0, 0, 0, 0)
    if ch == "k" and 4 <= y // 2 <= 8 and 3 <= x // 2 <= 12:
        return PALETTE["b"] + (255,) if y // 2 != 6 else PALETTE["r"] + (255,)
    return PALETTE[ch] + (255,)


def ico(images):
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    return bytes(out)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for i, image in enumerate(STRIP):
        check(image, "toolbar image %d" % i)
    check(ICON16, "icon")
    strip = bmp_24(16 * 20, 16, lambda x, y: PALETTE[STRIP[x // 16][y][x % 16]])
    with open(os.path.join(here, "Toolbar.bmp"), "wb") as f:
        f.write(strip)
    large = [scale2x(image) for image in STRIP]
    strip = bmp_24(32 * 20, 32, lambda x, y: PALETTE[large[x // 32][y][x % 32]])
    with open(os.path.join(here, "Toolbar32.bmp"), "wb") as f:
        f.write(strip)
    icon = ico([(16, icon_image(16, icon_pixel_16)), (32, icon_image(32, icon_pixel_32))])
    with open(os.path.join(here, "Rolecue.ico"), "wb") as f:
        f.write(icon)


if __name__ == "__main__":
    main()
