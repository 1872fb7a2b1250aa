#!/usr/bin/env python3
"""Compares two menu packages (zip) member by member: the preview and the
description byte for byte, and each file inside the gzipped romfs image byte
for byte, except in kelmenu.ini the generation time and the password hashes,
whose salt is new each time.
Usage: compare_package.py <before.zip> <after.zip>; exit status 1 on a difference."""
import gzip
import re
import struct
import sys
import zipfile


def romfs_files(image):
    if image[:8] != b"-rom1fs-":
        raise ValueError("not a romfs image")
    files = {}

    def pad(n):
        return (n + 15) & ~15

    def name_end(at):
        end = image.index(b"\0", at)
        return image[at:end].decode("latin-1"), pad(end + 1)

    _, first = name_end(16)

    def walk(offset, prefix):
        while offset:
            nxt, info, size = struct.unpack(">III", image[offset:offset + 12])
            name, data = name_end(offset + 16)
            kind = nxt & 7
            if kind == 1 and name not in (".", ".."):
                walk(info, prefix + name + "/")
            elif kind == 2:
                files[prefix + name] = image[data:data + size]
            offset = nxt & ~15

    walk(first, "")
    return files


def members(path):
    out = {}
    with zipfile.ZipFile(path) as z:
        for info in z.infolist():
            data = z.read(info)
            if info.filename.endswith(".gz"):
                for name, body in romfs_files(gzip.decompress(data)).items():
                    if name == "kelmenu.ini":
                        body = re.sub(rb";\s+at : [^\r\n]*", b"; at : (time)", body)
                        body = re.sub(rb"password=\$1\$[^\r\n]*", b"password=(hash)", body)
                    out[info.filename + ":" + name] = body
            else:
                out[info.filename] = data
    return out


def main(before, after):
    a, b = members(before), members(after)
    bad = 0
    for name in sorted(set(a) | set(b)):
        if a.get(name) != b.get(name):
            print("differs: %s" % name)
            bad += 1
    print("%d members compared, %d differ" % (len(set(a) | set(b)), bad))
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
