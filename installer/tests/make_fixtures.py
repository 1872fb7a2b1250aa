#!/usr/bin/env python3
"""Installer test inputs that no other tool here makes: an MBR disk image
whose active partition ends at cylinder 1023, and zips made by zipfile."""
import io
import os
import struct
import sys
import zipfile


def chs(c, h, s):
    return bytes([h, (s & 0x3F) | ((c >> 2) & 0xC0), c & 0xFF])


def mbr(path):
    sector = bytearray(512)
    sector[0:3] = b"\xFA\x33\xC0"  # cli; xor ax, ax
    # active FAT16 partition from (0,1,1) to (1023,15,63), a second one unused
    entry = bytes([0x80]) + chs(0, 1, 1) + bytes([0x06]) + chs(1023, 15, 63)
    entry += struct.pack("<II", 63, 1023 * 16 * 63)
    sector[446:462] = entry
    sector[510:512] = b"\x55\xAA"
    with open(path, "wb") as f:
        f.write(bytes(sector) + bytes(512 * 7))


def zips(out):
    def save(name, entries, comment=b""):
        with zipfile.ZipFile(os.path.join(out, name), "w") as z:
            for info, data in entries:
                z.writestr(info, data)
            z.comment = comment

    def info(name, when=(2006, 4, 7, 12, 34, 56), method=zipfile.ZIP_DEFLATED):
        i = zipfile.ZipInfo(name, when)
        i.compress_type = method
        return i

    save("python.zip", [(info("Black/"), b""), (info("Black/theme.ini"), b"[Theme]\r\nName=Black\r\n"),
                        (info("Black/img/a.bmp", method=zipfile.ZIP_STORED), b"BM" + bytes(100)),
                        (info("readme.txt", (1999, 12, 31, 23, 59, 58)), b"x" * 5000)])
    save("folders.zip", [(info("Black/"), b""), (info("Black/img/"), b"")])
    save("empty.zip", [])
    save("hostile.zip", [(info("ok.txt"), b"ok"), (info("../evil.txt"), b"evil")])
    save("drive.zip", [(info("C:/evil.txt"), b"evil")])
    save("rooted.zip", [(info("/evil.txt"), b"evil")])
    save("backslash.zip", [(info("\\evil.txt"), b"evil")])
    save("inner.zip", [(info("a/../../evil.txt"), b"evil")])
    # a stored entry whose data no longer matches its CRC
    buf = io.BytesIO()
    with zipfile.ZipFile(buf, "w") as z:
        z.writestr(info("bad.txt", method=zipfile.ZIP_STORED), b"0123456789")
    data = bytearray(buf.getvalue())
    at = data.find(b"0123456789")
    data[at] ^= 0xFF
    with open(os.path.join(out, "crc.zip"), "wb") as f:
        f.write(bytes(data))


if sys.argv[1] == "mbr":
    mbr(sys.argv[2])
else:
    zips(sys.argv[2])
