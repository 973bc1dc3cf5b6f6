#!/usr/bin/env python3
"""Describes a bitmap that the picture probe wrote (32 bits a pixel, premultiplied alpha) in
one line, for the end-to-end suite to compare:

    SIDExSIDE drawn=X,Y,WxH centre=R,G,B,A premultiplied=yes|no

drawn: the box of the pixels that are not fully transparent; centre: the pixel at the
square's centre, as stored; premultiplied: no colour is above its pixel's alpha.
With --png OUT it also writes the bitmap as a PNG of straight alpha, to look at.

Usage: drawn_picture.py BMP [--png OUT]
"""
import struct
import subprocess
import sys

data = open(sys.argv[1], "rb").read()
offset = struct.unpack_from("<I", data, 10)[0]
width, height = struct.unpack_from("<ii", data, 18)
top_down = height < 0
height = abs(height)
pixels = data[offset:offset + width * height * 4]


def at(x, y):
    row = y if top_down else height - 1 - y
    b, g, r, a = pixels[(row * width + x) * 4:(row * width + x) * 4 + 4]
    return r, g, b, a


seen = [(x, y) for y in range(height) for x in range(width) if at(x, y)[3]]
if seen:
    xs, ys = [x for x, _ in seen], [y for _, y in seen]
    drawn = f"{min(xs)},{min(ys)},{max(xs) - min(xs) + 1}x{max(ys) - min(ys) + 1}"
else:
    drawn = "none"
premultiplied = all(max(at(x, y)[:3]) <= at(x, y)[3] for y in range(height) for x in range(width))
print(f"{width}x{height} drawn={drawn} centre={','.join(map(str, at(width // 2, height // 2)))} "
      f"premultiplied={'yes' if premultiplied else 'no'}")

if len(sys.argv) > 3 and sys.argv[2] == "--png":
    straight = bytearray()
    for y in range(height):
        for x in range(width):
            r, g, b, a = at(x, y)
            straight += bytes([min(255, c * 255 // a) if a else 0 for c in (r, g, b)] + [a])
    subprocess.run(["convert", "-size", f"{width}x{height}", "-depth", "8", "rgba:-",
                    sys.argv[3]], input=bytes(straight), check=True)
