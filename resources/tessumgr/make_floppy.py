#!/usr/bin/env python3
"""Makes a stand-in floppy image as gzip: the boot sector from floppy.asm,
two FATs, a root folder with a label and one file, all deterministic.

make_floppy.py BOOT.BIN OUT.gz FILE_BYTES [GZ_SIZE]
With GZ_SIZE the gzip file is padded to exactly that size by its comment."""
import struct
import sys
import zlib

boot_path, out_path, file_bytes = sys.argv[1], sys.argv[2], int(sys.argv[3])
gz_size = int(sys.argv[4]) if len(sys.argv) > 4 else None

SECTOR, SECTORS, FAT_SECTORS, ROOT_ENTRIES = 512, 2880, 9, 224
boot = open(boot_path, "rb").read()
assert len(boot) == SECTOR and boot[510:512] == b"\x55\xAA"

# deterministic bytes that do not compress
data = bytearray()
seed = 0x2006
while len(data) < file_bytes:
    seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
    data += struct.pack("<I", seed ^ (seed >> 11))
data = bytes(data[:file_bytes])

clusters = (len(data) + SECTOR - 1) // SECTOR
fat = bytearray(FAT_SECTORS * SECTOR)
entries = [0xFF0, 0xFFF] + [n + 1 for n in range(2, clusters + 1)] + [0xFFF]
for i, v in enumerate(entries):
    at = i * 3 // 2
    if i & 1:
        fat[at] = (fat[at] & 0x0F) | ((v << 4) & 0xF0)
        fat[at + 1] = (v >> 4) & 0xFF
    else:
        fat[at] = v & 0xFF
        fat[at + 1] = (fat[at + 1] & 0xF0) | ((v >> 8) & 0x0F)

root = bytearray(ROOT_ENTRIES * 32)
stamp = struct.pack("<HH", (12 << 11) | (0 << 5), ((2006 - 1980) << 9) | (4 << 5) | 7)
root[0:32] = b"TESSU FLOPY" + bytes([0x08]) + bytes(10) + stamp + bytes(6)
root[32:64] = b"PAYLOAD BIN" + bytes([0x20]) + bytes(10) + stamp + struct.pack("<HI", 2, len(data))

image = bytearray(boot + fat + fat + root)
image += data + bytes(clusters * SECTOR - len(data))
image += bytes(SECTORS * SECTOR - len(image))
assert len(image) == SECTORS * SECTOR

c = zlib.compressobj(9, zlib.DEFLATED, -15, 9)
body = c.compress(bytes(image)) + c.flush()
trailer = struct.pack("<II", zlib.crc32(image) & 0xFFFFFFFF, len(image))
head = b"\x1F\x8B\x08\x00" + bytes(4) + b"\x02\xFF"
if gz_size is not None:
    pad = gz_size - len(head) - len(body) - len(trailer) - 1
    assert pad >= 0, "payload compresses to more than the size"
    head = b"\x1F\x8B\x08\x10" + bytes(4) + b"\x02\xFF" + b"T" * pad + b"\x00"
out = head + body + trailer
assert gz_size is None or len(out) == gz_size
open(out_path, "wb").write(out)
