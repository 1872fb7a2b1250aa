#!/usr/bin/env python3
"""Writes small seed inputs for the browser fuzzers: romfs images, plain,
in gzip and in a zip. Run from this folder."""
import gzip, io, os, struct, zipfile

def name(n):
    b = n.encode() + b"\0"
    return b + b"\0" * (-len(b) % 16)

def romfs(volume, files):
    out = bytearray(b"-rom1fs-" + b"\0" * 8 + name(volume))
    first = len(out)
    entries = [(".", 0, b""), ("..", 0, b"")] + [(n, 2, d) for n, d in files]
    offs = []
    for i, (n, t, d) in enumerate(entries):
        offs.append(len(out))
        out += struct.pack(">IIII", t, first if t == 0 else 0, len(d), 0) + name(n) + d
        out += b"\0" * (-len(out) % 16)
    for i, o in enumerate(offs[:-1]):
        struct.pack_into(">I", out, o, struct.unpack_from(">I", out, o)[0] | offs[i + 1])
    struct.pack_into(">I", out, 8, len(out))
    return bytes(out)

img = romfs("seed", [("menu.lst", b"title a\n"), ("x" * 16, b"sixteen"), ("e", b"")])
def z(data):
    b = io.BytesIO()
    with zipfile.ZipFile(b, "w", zipfile.ZIP_DEFLATED) as f:
        f.writestr("menu.zmn", data)
    return b.getvalue()
for folder in ("browser_container_fuzzer_seeds", "browser_romfs_fuzzer_seeds"):
    os.makedirs(folder, exist_ok=True)
    # the studio's package: a zip holding the gzip image
    for fn, data in (("plain", img), ("gz", gzip.compress(img)), ("zip", z(img)),
                     ("zipgz", z(gzip.compress(img, mtime=0)))):
        with open(os.path.join(folder, fn), "wb") as f:
            f.write(data)
