#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Reads what a screenshot shows, for the whole-program tests.

pixels.py colours FILE            how many distinct colours the picture holds
pixels.py fill FILE Y X0 X1       how many pixels of row Y from X0 to X1 differ
                                  from the colour at X1 (a progress bar's fill
                                  against its empty groove)
pixels.py differ FILE OTHER        the share of pixels, in per cent, that differ
                                  between two pictures of one size
pixels.py contrast FILE X Y W H   the WCAG contrast of the text in that box
                                  with its background (the two colours most
                                  apart in luminance, each common enough)
Pictures are PPM (P6), as grim and the X grabber write them.
"""
import sys


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    if fields[0] != b"P6" or int(fields[3]) != 255:
        raise SystemExit("not an 8-bit P6 picture: " + path)
    w, h = int(fields[1]), int(fields[2])
    pixels = data[pos + 1:pos + 1 + w * h * 3]
    return w, h, pixels


def pixel(img, x, y):
    w, _, p = img
    i = (y * w + x) * 3
    return p[i], p[i + 1], p[i + 2]


def luminance(rgb):
    def lin(c):
        c /= 255.0
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (lin(c) for c in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    la, lb = sorted((luminance(a), luminance(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


def main(argv):
    what, path = argv[1], argv[2]
    img = read_ppm(path)
    w, h, _ = img
    if what == "differ":
        ow, oh, other = read_ppm(argv[3])
        if (ow, oh) != (w, h):
            raise SystemExit("pictures of %dx%d and %dx%d" % (w, h, ow, oh))
        _, _, p = img
        print("%.2f" % (100.0 * sum(1 for i in range(0, len(p), 3) if p[i:i + 3] != other[i:i + 3]) / (w * h)))
    elif what == "colours":
        print(len({pixel(img, x, y) for y in range(h) for x in range(w)}))
    elif what == "contrast":
        x0, y0, bw, bh = (int(v) for v in argv[3:7])
        counts = {}
        for y in range(y0, min(h, y0 + bh)):
            for x in range(x0, min(w, x0 + bw)):
                c = pixel(img, x, y)
                counts[c] = counts.get(c, 0) + 1
        background = max(counts, key=counts.get)
        # Text: the colour furthest from the background among those that
        # make up at least 0.2 % of the box (each shade of the anti-aliased
        # edges is rarer).
        total = sum(counts.values())
        common = [c for c, n in counts.items() if n * 500 >= total and c != background]
        if not common:
            print("1.00")
            return
        text = max(common, key=lambda c: contrast(c, background))
        print("%.2f" % contrast(text, background))
    elif what == "fill":
        y, x0, x1 = int(argv[3]), int(argv[4]), int(argv[5])
        empty = pixel(img, x1, y)
        print(sum(1 for x in range(x0, x1) if pixel(img, x, y) != empty))
    else:
        raise SystemExit(__doc__)


if __name__ == "__main__":
    main(sys.argv)
