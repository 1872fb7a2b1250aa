"""A small PNG writer (zlib) for the skin's pictures and test files."""
import struct
import zlib


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png(width, height, rows, colour_type=6, depth=8, extra=()):
    """rows: height byte strings of packed samples (no filter byte);
    extra: (kind, data) chunks written before the image data."""
    head = struct.pack(">IIBBBBB", width, height, depth, colour_type, 0, 0, 0)
    raw = b"".join(b"\0" + bytes(r) for r in rows)
    out = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", head)
    for kind, data in extra:
        out += chunk(kind, data)
    return out + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def rgba(width, height, pixel):
    """An 8-bit RGBA PNG of pixel(x, y) -> (r, g, b, a)."""
    rows = [b"".join(bytes(pixel(x, y)) for x in range(width)) for y in range(height)]
    return png(width, height, rows)
