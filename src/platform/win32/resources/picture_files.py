"""The file formats of the program's pictures: 24-bit BMP files, and ICO files whose images
have 256 colours or 32 bits with alpha. Pixels come as rows of (r, g, b, a) tuples, top row
first."""
import struct


def bmp24(rows):
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in (p[:3] for p in row):
            line += bytes((b, g, r))
        pixels += line + b"\0" * (stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


def and_mask(rows):
    width = len(rows[0])
    stride = ((width + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, p in enumerate(row):
            if p[3] < 128:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return mask


def icon_image_32(rows):
    size = len(rows)
    pixels = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    mask = and_mask(rows)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask),
                       0, 0, 0, 0)
    return info + pixels + mask


def palette_for(rows):
    """Up to 255 colours of the opaque pixels (index 0 stays black for transparent ones)."""
    opaque = [p[:3] for row in rows for p in row if p[3] >= 128]
    shift = 0
    while True:
        reduced = sorted({tuple((c >> shift) << shift for c in p) for p in opaque})
        if len(reduced) <= 255:
            return [(0, 0, 0)] + reduced, shift
        shift += 1


def icon_image_8(rows):
    size = len(rows)
    palette, shift = palette_for(rows)
    index = {c: i for i, c in enumerate(palette)}
    stride = (size + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for p in row:
            if p[3] < 128:
                line.append(0)
            else:
                line.append(index[tuple((c >> shift) << shift for c in p[:3])])
        pixels += line + b"\0" * (stride - len(line))
    colours = bytearray()
    for r, g, b in palette + [(0, 0, 0)] * (256 - len(palette)):
        colours += bytes((b, g, r, 0))
    mask = and_mask(rows)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 8, 0, len(pixels) + len(mask),
                       0, 0, 256, 0)
    return info + colours + pixels + mask


def ico(images):
    """images: list of (size, bit count, image bytes)."""
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries, data = bytearray(), bytearray()
    for size, bits, blob in images:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, bits, len(blob),
                               offset + len(data))
        data += blob
    return header + entries + data
