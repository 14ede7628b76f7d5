#!/usr/bin/env python3
"""Packs the window's pictures into the Windows formats that res/pantrel.rc embeds.

ImageMagick's convert reads the PNGs (rendered from the SVG sources) and quantises the 256-colour
icon images; this script only lays the pixels out byte for byte, so the files carry exactly the
depths, palettes and masks the window expects:

  strip  SOURCE.png OUT.bmp   4-bit BMP, 16-colour palette, magenta (255,0,255) where transparent
  icon   OUT.ico SIZE:BITS... icon file with one uncompressed DIB and AND mask per image, in the
                              order given (SIZE picks res/icons/pantrel-SIZE.png, BITS is 8 or 32)
"""

import struct
import subprocess
import sys
from pathlib import Path

MAGENTA = (255, 0, 255)
OPAQUE = 128  # alpha from which a pixel counts as drawn in pictures with a one-bit mask


def read_rgba(path):
    """The picture's width, height and rows of (r, g, b, a) pixels, top row first."""
    size = subprocess.run(["identify", "-format", "%w %h", str(path)],
                          check=True, capture_output=True, text=True).stdout.split()
    width, height = int(size[0]), int(size[1])
    raw = subprocess.run(["convert", str(path), "-depth", "8", "rgba:-"],
                         check=True, capture_output=True).stdout
    if len(raw) != width * height * 4:
        sys.exit(f"{path}: convert gave {len(raw)} bytes for {width} x {height} pixels")
    pixels = [tuple(raw[i:i + 4]) for i in range(0, len(raw), 4)]
    return width, height, [pixels[y * width:(y + 1) * width] for y in range(height)]


def read_quantised_rgb(path, colours):
    """The picture's colours, without alpha, reduced to at most `colours` by ImageMagick."""
    raw = subprocess.run(["convert", str(path), "-alpha", "off", "+dither", "-colors", str(colours),
                          "-depth", "8", "rgb:-"], check=True, capture_output=True).stdout
    return [tuple(raw[i:i + 3]) for i in range(0, len(raw), 3)]


def merge_closest(counts, limit):
    """Reduces a colour histogram to at most `limit` colours, repeatedly merging the two closest
    ones into their weighted mean; returns the mapping of every original colour."""
    clusters = [([c], n, c) for c, n in sorted(counts.items())]
    while len(clusters) > limit:
        best = None
        for i in range(len(clusters)):
            for j in range(i + 1, len(clusters)):
                d = sum((a - b) ** 2 for a, b in zip(clusters[i][2], clusters[j][2]))
                if best is None or d < best[0]:
                    best = (d, i, j)
        _, i, j = best
        (mi, ni, ci), (mj, nj, cj) = clusters[i], clusters[j]
        mean = tuple(round((a * ni + b * nj) / (ni + nj)) for a, b in zip(ci, cj))
        clusters[i] = (mi + mj, ni + nj, mean)
        del clusters[j]
    return {member: colour for members, _, colour in clusters for member in members}


def row_bytes(bits, width):
    return (bits * width + 31) // 32 * 4


def pack_indices(indices, bits):
    """One row of palette indices as a DIB row of `bits` per pixel, padded to 32 bits."""
    out = bytearray()
    if bits == 8:
        out += bytes(indices)
    elif bits == 4:
        padded = list(indices) + [0] * (len(indices) % 2)
        out += bytes((padded[i] << 4) | padded[i + 1] for i in range(0, len(padded), 2))
    return bytes(out.ljust(row_bytes(bits, len(indices)), b"\0"))


def pack_mask(transparent):
    """One row of the AND mask: bit set where the screen shows through."""
    out = bytearray(row_bytes(1, len(transparent)))
    for x, clear in enumerate(transparent):
        if clear:
            out[x // 8] |= 0x80 >> (x % 8)
    return bytes(out)


def palette_bytes(palette, entries):
    padded = list(palette) + [(0, 0, 0)] * (entries - len(palette))
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in padded)


def info_header(width, height, bits, image_size, colours):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 0, 0, colours, 0)


def strip(source, target):
    width, height, rows = read_rgba(source)
    drawn = {}
    for row in rows:
        for r, g, b, a in row:
            if a >= OPAQUE:
                drawn[(r, g, b)] = drawn.get((r, g, b), 0) + 1
    mapping = merge_closest(drawn, 15)
    # A drawn pixel of pure magenta would vanish; move it by one step of green.
    mapping = {k: (v if v != MAGENTA else (255, 1, 255)) for k, v in mapping.items()}
    palette = [MAGENTA] + sorted(set(mapping.values()))
    index = {c: i for i, c in enumerate(palette)}
    bits = b"".join(
        pack_indices([index[mapping[(r, g, b)]] if a >= OPAQUE else 0 for r, g, b, a in row], 4)
        for row in reversed(rows))
    header = info_header(width, height, 4, len(bits), 16)
    offset = 14 + len(header) + 16 * 4
    body = header + palette_bytes(palette, 16) + bits
    Path(target).write_bytes(struct.pack("<2sIHHI", b"BM", 14 + len(body), 0, 0, offset) + body)


def icon_image(source, bits):
    """One icon image: BITMAPINFOHEADER (height doubled for the mask), palette, XOR bits, mask."""
    width, height, rows = read_rgba(source)
    clear_rows = [[a < OPAQUE for *_, a in row] for row in rows]
    mask = b"".join(pack_mask(clear) for clear in reversed(clear_rows))
    if bits == 32:
        xor = b"".join(b"".join(struct.pack("<BBBB", b, g, r, a) for r, g, b, a in row)
                       for row in reversed(rows))
        palette = b""
        colours = 0
    else:
        quantised = read_quantised_rgb(source, 255)
        # Transparent pixels must be black, so that the mask lets the screen through unchanged.
        colours_used = sorted({quantised[y * width + x] for y in range(height)
                               for x in range(width) if not clear_rows[y][x]} | {(0, 0, 0)})
        index = {c: i for i, c in enumerate(colours_used)}
        xor = b"".join(
            pack_indices([0 if clear_rows[y][x] else index[quantised[y * width + x]]
                          for x in range(width)], 8)
            for y in reversed(range(height)))
        palette = palette_bytes(colours_used, 256)
        colours = 256
    header = info_header(width, height * 2, bits, len(xor) + len(mask), colours)
    return width, height, header + palette + xor + mask


def icon(target, specs):
    images = []
    for spec in specs:
        size, bits = (int(part) for part in spec.split(":"))
        images.append((bits, icon_image(Path(__file__).with_name(f"pantrel-{size}.png"), bits)))
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    data = b""
    for bits, (width, height, image) in images:
        directory += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, bits,
                                 len(image), offset + len(data))
        data += image
    Path(target).write_bytes(directory + data)


if __name__ == "__main__":
    if len(sys.argv) == 4 and sys.argv[1] == "strip":
        strip(sys.argv[2], sys.argv[3])
    elif len(sys.argv) >= 4 and sys.argv[1] == "icon":
        icon(sys.argv[2], sys.argv[3:])
    else:
        sys.exit(__doc__)
