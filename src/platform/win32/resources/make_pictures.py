#!/usr/bin/env python3
"""Draws the banner bitmaps and the smiley icons of Pimbrel.exe (BMP and ICO files).

Usage: make_pictures.py OUTPUT_FOLDER
Writes, for each scale of the screen (100, 125, 150 and 200 %), logo-SCALE.bmp (174x40 at
100 %) and back-SCALE.bmp (1x40 at 100 %); window.ico (16x16 and the small icon's sizes at the
other scales: 20, 24 and 32) and pimbrel.ico (16, 20, 24, 32, 40, 48 and 64 pixels), every
icon size in 256 colours and in 32 bits. Everything is drawn from distance functions with 4x4
supersampling, at each size from the same design, so the output is the same on every run.
"""
import math
import os
import sys

# The file formats live beside this script; nothing of it is to be cached in the source tree.
sys.dont_write_bytecode = True
from picture_files import bmp24, icon_image_8, icon_image_32, ico  # noqa: E402
from picture_shapes import (  # noqa: E402
    d_circle, d_box, d_ring, blend, laughing_face, grinning_face)

# --- the background strip: exact colours, row by row -------------------------------------

STRIP_HEIGHT = 40
# The screen's scales, in per cent of 96 dots per inch, and the file name of each.
SCALES = (100, 125, 150, 200)


def strip_rows(height=STRIP_HEIGHT):
    """The strip's rows at a height: a top and a bottom edge of the scale's thickness (one row
    at 100 %), and between them the gradient from (90, 167, 255) to (3, 92, 255)."""
    edge = max(1, int(height / STRIP_HEIGHT + 0.5))
    first, last = (90, 167, 255), (3, 92, 255)
    inner = height - 2 * edge
    rows = [(45, 84, 255)] * edge
    for i in range(inner):
        t = i / (inner - 1)
        rows.append(tuple(int(round(a + (b - a) * t)) for a, b in zip(first, last)))
    return rows + [(0, 45, 255)] * edge


def scaled(size, scale):
    """A size in pixels at 100 % on a screen of `scale` per cent, halves rounded up, as the
    program rounds the controls' twips."""
    return (size * scale + 50) // 100


# --- the product name ---------------------------------------------------------------------
# Glyphs in pixels from their left edge and the baseline (y grows downwards, so up is negative).

STEM = 2.0  # half the stroke width


def glyph_P(x, y):
    return min(d_box(x, y, 0, -21, 4, 0),
               d_box(x, y, 0, -21, 6.5, -17),
               d_box(x, y, 0, -12, 6.5, -8),
               max(d_ring(x, y, 6.5, -14.5, 4.5, STEM), 6.5 - x))


def glyph_i(x, y):
    return min(d_box(x, y, 0, -14, 4, 0), d_circle(x, y, 2, -18.5, 2.4))


def glyph_m(x, y):
    return min(d_box(x, y, 0, -14, 4, 0),
               max(d_ring(x, y, 5.5, -9.5, 3.5, STEM), y + 9.5),
               d_box(x, y, 7, -9.5, 11, 0),
               max(d_ring(x, y, 12.5, -9.5, 3.5, STEM), y + 9.5),
               d_box(x, y, 14, -9.5, 18, 0))


def glyph_b(x, y):
    return min(d_box(x, y, 0, -21, 4, 0), d_ring(x, y, 8, -7, 5, STEM))


def glyph_r(x, y):
    return min(d_box(x, y, 0, -14, 4, 0),
               max(d_ring(x, y, 8.5, -8.5, 4.5, STEM), y + 8.5, 2 - x))


def glyph_e(x, y):
    ring = d_ring(x, y, 7, -7, 5, STEM)
    # the opening at the lower right
    angle = math.degrees(math.atan2(-(y + 7), x - 7))
    if -50 < angle < -5:
        ring = max(ring, 0.6)
    return min(ring, d_box(x, y, 2, -8.2, 12, -5.6))


def glyph_l(x, y):
    return d_box(x, y, 0, -21, 4, 0)


NAME = [(glyph_P, 13), (glyph_i, 4), (glyph_m, 18), (glyph_b, 15), (glyph_r, 11),
        (glyph_e, 14), (glyph_l, 4)]
LETTER_GAP = 2.4
TEXT_SCALE = 1.12
TEXT_GREEN = (60, 210, 40)
TEXT_GREEN_DARK = (20, 150, 20)
TEXT_OUTLINE = (0, 48, 0)
OUTLINE = 1.4


def name_width():
    return sum(w for _, w in NAME) + LETTER_GAP * (len(NAME) - 1)


def name_distance(x, y, left, baseline):
    lx, ly = (x - left) / TEXT_SCALE, (y - baseline) / TEXT_SCALE
    best, pos = 1e9, 0.0
    for glyph, width in NAME:
        if pos - 4 <= lx <= pos + width + 4:
            best = min(best, glyph(lx - pos, ly))
        pos += width + LETTER_GAP
    return best * TEXT_SCALE


# --- rendering -------------------------------------------------------------------------------

SS = 4  # subsamples per pixel edge


def render(width, height, paint):
    """paint(x, y) -> (r, g, b, a) at a point; returns rows of averaged RGBA tuples."""
    rows = []
    for py in range(height):
        row = []
        for px in range(width):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SS):
                for sx in range(SS):
                    r, g, b, a = paint(px + (sx + 0.5) / SS, py + (sy + 0.5) / SS)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            n = SS * SS
            a = acc[3] / n
            if a > 0:
                row.append(tuple(int(round(c / acc[3])) for c in acc[:3]) + (int(round(a * 255)),))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def logo_paint(scale):
    """The logo at a scale: drawn from the 100 % design (174x40), on the strip of that scale."""
    height = scaled(STRIP_HEIGHT, scale)
    strip = strip_rows(height)
    width = 174
    left_face = (7.0, 22.0, 20.5)
    right_face = (167.0, 18.0, 20.5)
    text_w = name_width() * TEXT_SCALE
    text_left = (width - text_w) / 2
    baseline = 31.0
    factor = scale / 100

    def paint(px, py):
        colour = strip[min(int(py), height - 1)]
        x, y = px / factor, py / factor
        face = laughing_face(x, y, *left_face) or grinning_face(x, y, *right_face)
        if face:
            colour = face
        if text_left - 4 <= x <= text_left + text_w + 4:
            d = name_distance(x, y, text_left, baseline)
            if d <= 0:
                # a little shading: lighter at the top of the letters
                t = max(0.0, min(1.0, (y - (baseline - 24)) / 24))
                colour = blend(TEXT_GREEN, TEXT_GREEN_DARK, t)
            elif d <= OUTLINE:
                colour = TEXT_OUTLINE
        return colour + (1.0,)

    return scaled(width, scale), height, paint


def icon_paint(size):
    c = size / 2
    r = size / 2 - 0.5
    min_stroke = 1.1 if size <= 24 else 0.0

    def paint(x, y):
        colour = laughing_face(x, y, c, c, r, min_stroke)
        return (colour + (1.0,)) if colour else (0, 0, 0, 0.0)

    return paint


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "."
    os.makedirs(out, exist_ok=True)

    # The small icon is 16 pixels at 100 %, the large one 32; 48 and 64 are for the shell.
    window_sizes = [scaled(16, scale) for scale in SCALES]
    program_sizes = sorted(set(window_sizes + [scaled(32, scale) for scale in SCALES] + [48]))
    icons = {size: render(size, size, icon_paint(size)) for size in program_sizes}

    def icon_file(sizes):
        return ico([(s, b, (icon_image_8 if b == 8 else icon_image_32)(icons[s]))
                    for s in sizes for b in (8, 32)])

    files = {"window.ico": icon_file(window_sizes), "pimbrel.ico": icon_file(program_sizes)}
    for scale in SCALES:
        width, height, paint = logo_paint(scale)
        files["logo-%d.bmp" % scale] = bmp24(render(width, height, paint))
        files["back-%d.bmp" % scale] = bmp24([[c + (255,)] for c in strip_rows(height)])
    for name, blob in files.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(blob)


if __name__ == "__main__":
    main()
