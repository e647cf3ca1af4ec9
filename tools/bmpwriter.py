"""Byte-exact writers for the BMPs and the palette and RGBA PNGs our generators make."""

import struct
import zlib

# The 16 colours every Windows display could show; the glyphs and cursors are
# drawn in these so they look at home next to classic toolbar art.
VGA16 = [
    (0, 0, 0),        # 0  black
    (128, 0, 0),      # 1  dark red
    (0, 128, 0),      # 2  dark green
    (128, 128, 0),    # 3  olive
    (0, 0, 128),      # 4  navy
    (128, 0, 128),    # 5  purple
    (0, 128, 128),    # 6  teal
    (192, 192, 192),  # 7  light grey
    (128, 128, 128),  # 8  dark grey
    (255, 0, 0),      # 9  red
    (0, 255, 0),      # 10 lime
    (255, 255, 0),    # 11 yellow
    (0, 0, 255),      # 12 blue
    (255, 0, 255),    # 13 magenta
    (0, 255, 255),    # 14 cyan
    (255, 255, 255),  # 15 white
]

# 72 dpi, which is what most paint programs stamp into a BMP.
_PIXELS_PER_METRE = 2835


def _row_bytes(width, bpp):
    return ((width * bpp + 31) // 32) * 4


def _pack_row(row, bpp):
    if bpp == 8:
        return bytes(row)
    if bpp == 4:
        out = bytearray()
        for i in range(0, len(row), 2):
            hi = row[i]
            lo = row[i + 1] if i + 1 < len(row) else 0
            out.append((hi << 4) | lo)
        return bytes(out)
    raise ValueError("only 4 and 8 bits per pixel are written")


def _check_indices(width, height, bpp, palette, rows):
    """The full palette for the depth: readers differ on short ones, so every entry is stored."""
    if len(rows) != height or any(len(r) != width for r in rows):
        raise ValueError("pixel rows do not match the declared size")
    colours = 1 << bpp
    if len(palette) > colours:
        raise ValueError("palette is larger than the bit depth allows")
    for row in rows:
        for index in row:
            if not 0 <= index < len(palette):
                raise ValueError("pixel uses an index outside the palette")
    return list(palette) + [(0, 0, 0)] * (colours - len(palette))


def bmp_bytes(width, height, bpp, palette, rows, pixels_per_metre=_PIXELS_PER_METRE):
    """An uncompressed Windows bitmap file with a 40-byte information header.
    rows: top row first, each a sequence of palette indices."""
    full = _check_indices(width, height, bpp, palette, rows)
    stride = _row_bytes(width, bpp)
    image = bytearray()
    for row in reversed(rows):  # BMP stores the bottom row first
        packed = _pack_row(row, bpp)
        image += packed + b"\0" * (stride - len(packed))

    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in full)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bpp, 0,
                       len(image), pixels_per_metre, pixels_per_metre, 0, 0)
    offset = 14 + len(info) + len(pal)
    head = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
    return head + info + pal + bytes(image)


def write_bmp(path, width, height, bpp, palette, rows):
    with open(path, "wb") as f:
        f.write(bmp_bytes(width, height, bpp, palette, rows))


def _chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def _png(width, height, depth, colour_type, lines, before_pixels=b""):
    ihdr = struct.pack(">IIBBBBB", width, height, depth, colour_type, 0, 0, 0)
    # No filter: keeps the output independent of any heuristics.
    raw = b"".join(b"\0" + line for line in lines)
    return (b"\x89PNG\r\n\x1a\n" + _chunk(b"IHDR", ihdr) + before_pixels
            + _chunk(b"IDAT", zlib.compress(raw, 9)) + _chunk(b"IEND", b""))


def png_bytes(width, height, rgba_rows):
    """rgba_rows: top row first, each a sequence of (r, g, b, a) tuples."""
    if len(rgba_rows) != height or any(len(r) != width for r in rgba_rows):
        raise ValueError("pixel rows do not match the declared size")
    return _png(width, height, 8, 6, [bytes(c for pixel in row for c in pixel) for row in rgba_rows])


def palette_png_bytes(width, height, bpp, palette, rows, clear):
    """A palette PNG of 4 or 8 bits per pixel whose entry `clear` is see-through, so a reader
    gets the transparency with the pixels. rows: top row first, each a sequence of indices."""
    full = _check_indices(width, height, bpp, palette, rows)
    plte = b"".join(bytes(colour) for colour in full)
    trns = bytes([255] * clear + [0])
    return _png(width, height, bpp, 3, [_pack_row(row, bpp) for row in rows],
                _chunk(b"PLTE", plte) + _chunk(b"tRNS", trns))


def write_png(path, width, height, rgba_rows):
    with open(path, "wb") as f:
        f.write(png_bytes(width, height, rgba_rows))


def write_palette_png(path, width, height, bpp, palette, rows, clear):
    with open(path, "wb") as f:
        f.write(palette_png_bytes(width, height, bpp, palette, rows, clear))
