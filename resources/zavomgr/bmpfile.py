"""The BMP and ICO writers of the stand-in picture scripts."""
import struct


def bmp(width, height, pixel, bpp=24):
    """A BMP file of pixel(x, y) -> (r, g, b), y counted from the top.
    bpp 24, 32 or 8 (palette of the colours in order of first use). At 32 bits
    pixel may give (r, g, b, a); three values are opaque."""
    colours, index = [], {}
    rows = []
    for y in reversed(range(height)):          # bottom-up
        row = bytearray()
        for x in range(width):
            value = pixel(x, y)
            r, g, b = value[:3]
            if bpp == 8:
                if (r, g, b) not in index:
                    index[(r, g, b)] = len(colours)
                    colours.append((r, g, b))
                row.append(index[(r, g, b)])
            elif bpp == 32:
                row += bytes((b, g, r, value[3] if len(value) > 3 else 255))
            else:
                row += bytes((b, g, r))
        row += b"\0" * (-len(row) % 4)
        rows.append(bytes(row))
    palette = b""
    if bpp == 8:
        palette = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in colours)
        palette += b"\0" * (4 * 256 - len(palette))
    data = b"".join(rows)
    offset = 14 + 40 + len(palette)
    head = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bpp, 0, len(data), 2835, 2835,
                       256 if bpp == 8 else 0, 0)
    return head + info + palette + data


def ico(pixel, sizes=(32, 16)):
    """An ICO file with one 32-bit image a size; pixel(size, x, y) -> (r, g, b, a),
    y counted from the top. The AND masks are empty: the alpha decides."""
    blobs = []
    for size in sizes:
        rows = []
        for y in reversed(range(size)):        # bottom-up
            row = bytearray()
            for x in range(size):
                r, g, b, a = pixel(size, x, y)
                row += bytes((b, g, r, a))
            rows.append(bytes(row))
        mask = b"\0" * (((size + 31) // 32) * 4 * size)
        head = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
        blobs.append(head + b"".join(rows) + mask)
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for size, blob in zip(sizes, blobs):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


def png(width, height, pixel):
    """A PNG file of pixel(x, y) -> (r, g, b) or (r, g, b, a), y counted from
    the top; RGBA when the first pixel has four values, else RGB."""
    import zlib

    alpha = len(pixel(0, 0)) > 3
    raw = bytearray()
    for y in range(height):
        raw.append(0)                          # no filter
        for x in range(width):
            value = pixel(x, y)
            raw += bytes(value[:4] if alpha else value[:3])

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    head = struct.pack(">IIBBBBB", width, height, 8, 6 if alpha else 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", head) + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + chunk(b"IEND", b""))
