#!/usr/bin/env python3
"""Writes the boot-module zip: six small gzip files, five stored and
grub4dos.gz deflated, and an archive comment."""
import gzip
import sys
import zipfile

MODULES = ["memdisk", "passwd", "splash", "bcdw", "isoemu", "grub4dos"]


def module_bytes(name):
    text = "".join("%s stand-in line %d\n" % (name, i) for i in range(40))
    return gzip.compress(text.encode("ascii"), compresslevel=9, mtime=0)


def main(out):
    with zipfile.ZipFile(out, "w") as z:
        z.comment = b"Zavo boot modules (stand-ins)"
        for name in MODULES:
            info = zipfile.ZipInfo(name + ".gz", date_time=(2007, 1, 1, 0, 0, 0))
            info.compress_type = zipfile.ZIP_DEFLATED if name == "grub4dos" else zipfile.ZIP_STORED
            info.external_attr = 0o644 << 16
            z.writestr(info, module_bytes(name))


if __name__ == "__main__":
    main(sys.argv[1])
