#!/usr/bin/env python3
"""Makes the archive test inputs with Python's own zip, tar and gzip writers.

plain.zip, pair.tar.gz and short.gz are also the seeds of archive_fuzzer."""
import gzip
import io
import os
import struct
import sys
import tarfile
import zipfile

out = sys.argv[1]
os.makedirs(out, exist_ok=True)


def write(name, data):
    with open(os.path.join(out, name), "wb") as f:
        f.write(data)


BINARY = bytes((i * 7 + 3) & 0xFF for i in range(3000))

# zip: a file, a folder entry, a file in the folder, a global comment
buf = io.BytesIO()
with zipfile.ZipFile(buf, "w", zipfile.ZIP_DEFLATED) as z:
    z.writestr("a.txt", b"hello zip")
    z.writestr(zipfile.ZipInfo("dir/"), b"")
    z.writestr("dir/b.bin", BINARY)
    z.comment = b"theme comment"
zipdata = buf.getvalue()
write("plain.zip", zipdata)


def patch_sizes(data, new_size):
    """Sets the uncompressed size of the first entry in both headers."""
    data = bytearray(data)
    struct.pack_into("<I", data, 22, new_size)            # local header
    cd = data.find(b"PK\x01\x02")
    struct.pack_into("<I", data, cd + 24, new_size)       # central directory
    return bytes(data)


write("huge_size.zip", patch_sizes(zipdata, 0x7FFFFFF0))
write("short_size.zip", patch_sizes(zipdata, 3))


def tar_gz(members):
    raw = io.BytesIO()
    with tarfile.open(fileobj=raw, mode="w", format=tarfile.USTAR_FORMAT) as t:
        for name, data in members:
            info = tarfile.TarInfo(name)
            info.size = len(data)
            t.addfile(info, io.BytesIO(data))
    return raw.getvalue()


write("pair.tar.gz", gzip.compress(tar_gz([("one.txt", b"first file"), ("two.bin", BINARY)])))
write("longname.tar.gz", gzip.compress(tar_gz([("n" * 100, b"x" * 10)])))

# a second tar header whose size field points far past the data, checksum kept valid
raw = bytearray(tar_gz([("ok.txt", b"abc"), ("lie.txt", b"abc")]))
h = 1024
raw[h + 124:h + 136] = b"77777777777\0"
raw[h + 148:h + 156] = b"        "
raw[h + 148:h + 156] = b"%06o\0 " % sum(raw[h:h + 512])
write("lying.tar.gz", gzip.compress(bytes(raw)))

for name, members in (("pointers_cursor.zip", ["cursor.bmp"]),
                      ("pointers_both.zip", ["readme.txt", "Hand.BMP", "cursor.bmp"])):
    buf = io.BytesIO()
    with zipfile.ZipFile(buf, "w", zipfile.ZIP_DEFLATED) as z:
        for member in members:
            z.writestr(member, b"BM" + member.encode())
    write(name, buf.getvalue())

write("short.gz", gzip.compress(b"short text"))
write("text.gz", gzip.compress(b"line of text\n" * 200))
write("truncated.gz", gzip.compress(BINARY * 4)[:-40])
write("notcompressed.txt", b"neither zip nor gzip\n")
write("empty.bin", b"")
write("binary.bin", BINARY)
