#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# Draws the program's icons and writes them as XPM images, a text format the
# window toolkit reads directly. Run it from this folder after a change:
#   python3 make_icons.py
#
# lullwick-*.xpm: the program icon, a setup box with a progress bar under it.
# install-*.xpm:  the progress window's own icon, a disk with an arrow into it
#                 (16 colours at most).


# The program icon on a 32 x 32 grid: x0, y0, x1, y1, colour.
PROGRAM_SHAPES = [
    (4, 2, 28, 22, "outline"),   # the box
    (5, 3, 27, 21, "box"),
    (5, 3, 27, 8, "lid"),        # its lid
    (14, 3, 18, 21, "tape"),     # the tape over it
    (2, 24, 30, 31, "outline"),  # the progress bar
    (3, 25, 29, 30, "track"),
    (3, 25, 20, 30, "bar"),
]


def canvas(n):
    """An empty n x n image and a function that fills a rectangle given on a 32 x 32 grid."""
    s = n / 32.0
    img = [["none"] * n for _ in range(n)]

    def rect(x0, y0, x1, y1, colour):
        for y in range(int(y0 * s), max(int(y0 * s) + 1, int(y1 * s))):
            for x in range(int(x0 * s), max(int(x0 * s) + 1, int(x1 * s))):
                if 0 <= x < n and 0 <= y < n:
                    img[y][x] = colour

    return img, rect


def program_icon(n):
    img, rect = canvas(n)
    for shape in PROGRAM_SHAPES:
        rect(*shape)
    return img


def install_icon(n):
    img, rect = canvas(n)
    rect(3, 12, 29, 31, "outline")     # the disk
    rect(4, 13, 28, 30, "disk")
    rect(9, 13, 23, 19, "shutter")
    rect(8, 23, 24, 30, "label")
    rect(13, 1, 19, 10, "arrow")       # the arrow's shaft
    for i in range(6):                 # and its head
        rect(10 + i, 9 + i, 22 - i, 10 + i, "arrow")
    return img


PROGRAM = {"none": "None", "outline": "#202020", "box": "#C89B5A", "lid": "#A87A3C",
           "tape": "#E8D8A8", "track": "#FFFFFF", "bar": "#000080"}
INSTALL = {"none": "None", "outline": "#000000", "disk": "#0000FF", "shutter": "#C0C0C0",
           "label": "#FFFFFF", "arrow": "#008000"}


def write_xpm(path, name, img, palette):
    keys = list(palette)
    chars = ".#abcdefghijklmnop"
    code = {k: chars[i] for i, k in enumerate(keys)}
    n = len(img)
    lines = ["/* XPM */", f"static const char *{name}[] = {{",
             f'"{n} {n} {len(keys)} 1",']
    for k in keys:
        lines.append(f'"{code[k]} c {palette[k]}",')
    rows = ['"' + "".join(code[p] for p in row) + '"' for row in img]
    lines.append(",\n".join(rows))
    lines.append("};")
    with open(path, "w") as f:
        f.write("\n".join(lines) + "\n")


def write_png(path, img, palette):
    """A plain RGBA PNG of the image, for the desktop's icon theme."""
    import struct
    import zlib

    def rgba(key):
        c = palette[key]
        if c == "None":
            return b"\0\0\0\0"
        return bytes(int(c[i:i + 2], 16) for i in (1, 3, 5)) + b"\xff"

    n = len(img)
    raw = b"".join(b"\0" + b"".join(rgba(p) for p in row) for row in img)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", n, n, 8, 6, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(chunk(b"IEND", b""))


def write_svg(path):
    """The program icon as vector shapes, on the same 32 x 32 grid."""
    rects = "\n".join(
        f'  <rect x="{x0}" y="{y0}" width="{x1 - x0}" height="{y1 - y0}" fill="{PROGRAM[c]}"/>'
        for x0, y0, x1, y1, c in PROGRAM_SHAPES)
    with open(path, "w") as f:
        f.write('<?xml version="1.0" encoding="UTF-8"?>\n'
                '<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">\n'
                f"{rects}\n</svg>\n")


def write_ico(path, images, palette):
    """A Windows icon group of 8-bit (256-colour) images, for a Windows build."""
    import struct

    keys = list(palette)
    colours = [(0, 0, 0) if palette[k] == "None" else
               tuple(int(palette[k][i:i + 2], 16) for i in (1, 3, 5)) for k in keys]
    colours += [(0, 0, 0)] * (256 - len(colours))
    entries, blobs = [], []
    for img in images:
        n = len(img)
        header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 8, 0, 0, 0, 0, 256, 0)
        table = b"".join(bytes((b, g, r, 0)) for r, g, b in colours)
        pixels = b"".join(bytes(keys.index(p) for p in row) for row in reversed(img))
        mask_row = (n + 31) // 32 * 4
        mask = b""
        for row in reversed(img):
            bits = 0
            for x, p in enumerate(row):
                if p == "none":
                    bits |= 1 << (mask_row * 8 - 1 - x)
            mask += bits.to_bytes(mask_row, "big")
        blobs.append(header + table + pixels + mask)
    offset = 6 + 16 * len(images)
    for img, blob in zip(images, blobs):
        n = len(img)
        entries.append(struct.pack("<BBBBHHII", n, n, 0, 0, 1, 8, len(blob), offset))
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(images)) + b"".join(entries) + b"".join(blobs))


write_ico("lullwick.ico", [program_icon(16), program_icon(32)], PROGRAM)

APP_ID = "io.github.lullwick.Lullwick"
write_svg(f"{APP_ID}.svg")
for size in (16, 32):
    write_png(f"{APP_ID}-{size}.png", program_icon(size), PROGRAM)
for size in (16, 32):
    write_xpm(f"lullwick-{size}.xpm", f"lullwick_{size}", program_icon(size), PROGRAM)
    write_xpm(f"install-{size}.xpm", f"install_{size}", install_icon(size), INSTALL)
