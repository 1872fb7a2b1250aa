#!/usr/bin/env python3
"""Source pictures for the codec tests, and the files ImageMagick cannot write."""
import struct
import sys

W, H = 13, 7


def pixel(x, y, colours):
    if colours == 2:
        return (250, 250, 250) if (x + y) % 3 else (10, 20, 30)
    if colours == 4:
        return [(0, 0, 0), (255, 0, 0), (0, 128, 255), (255, 255, 255)][(x * 2 + y) % 4]
    if colours == 16:
        k = (x + 3 * y) % 16
        return (k * 16, 255 - k * 16, (k * 40) % 256)
    if colours == 256:
        k = (x * 7 + y * 13) % 200
        return (k, (k * 3) % 256, 255 - k)
    return ((x * 19) % 256, (y * 37) % 256, (x * y * 5 + 17) % 256)


def ppm(path, colours):
    with open(path, "wb") as f:
        f.write(b"P6\n%d %d\n255\n" % (W, H))
        for y in range(H):
            for x in range(W):
                f.write(bytes(pixel(x, y, colours)))


def pam_alpha(path):
    with open(path, "wb") as f:
        f.write(b"P7\nWIDTH %d\nHEIGHT %d\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n" % (W, H))
        for y in range(H):
            for x in range(W):
                a = [0, 64, 128, 255][(x + y) % 4]
                f.write(bytes(pixel(x, y, 0) + (a,)))


def rle4_bmp(path):
    pal = [(i * 16, 255 - i * 16, (i * 40) % 256) for i in range(16)]
    rows = [
        bytes([5, 0x12, 0, 4, 0x34, 0x56, 0, 0, 4, 0x78]),  # run, absolute, run
        bytes([13, 0xAB]),
        bytes([0, 2, 3, 1, 4, 0xCD]),  # delta right 3 and up 1, then a run
        bytes([0, 13, 0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0, 0]),
    ]
    data = b"".join(r + b"\0\0" for r in rows[:2]) + rows[2] + b"\0\0" + rows[3] + b"\0\0" + b"\0\1"
    info = struct.pack("<IiiHHIIiiII", 40, W, 6, 1, 4, 2, len(data), 3780, 3780, 16, 0)
    palb = b"".join(bytes([b, g, r, 0]) for r, g, b in pal)
    off = 14 + len(info) + len(palb)
    head = b"BM" + struct.pack("<IHHI", off + len(data), 0, 0, off)
    open(path, "wb").write(head + info + palb + data)


def mono_icon(path):
    w, h = 16, 16
    xor_rows = [bytes([0xF0 if y % 2 else 0x0F, 0x55]) + b"\0\0" for y in range(h)]
    and_rows = [bytes([0xFF if y < 4 else 0x00, 0x0F]) + b"\0\0" for y in range(h)]
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 1, 0, 0, 0, 0, 0, 0)
    dib = info + bytes([0, 0, 0, 0, 255, 255, 255, 0]) + b"".join(xor_rows) + b"".join(and_rows)
    entry = struct.pack("<BBBBHHII", w, h, 2, 0, 1, 1, len(dib), 6 + 16)
    open(path, "wb").write(struct.pack("<HHH", 0, 1, 1) + entry + dib)


out = sys.argv[1]
for n in (2, 4, 16, 256, 0):
    ppm("%s/src%d.ppm" % (out, n), n)
pam_alpha(out + "/srcalpha.pam")
rle4_bmp(out + "/rle4.bmp")
mono_icon(out + "/mono.ico")
