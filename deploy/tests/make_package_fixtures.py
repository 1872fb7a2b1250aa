#!/usr/bin/env python3
"""Menu package test inputs made with Python's zipfile: valid packages,
packages that lack a member or hold it in a subfolder, a non-zip, and a zip
whose member data are damaged but whose directory is whole."""
import os
import struct
import sys
import zipfile
import zlib


def png(width, height, colour):
    """A plain RGB PNG of one colour."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    row = b"\0" + bytes(colour) * width
    raw = row * height
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def package(path, members, comment=b""):
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        for name, data in members:
            z.writestr(name, data)
        z.comment = comment


def main(out):
    os.makedirs(out, exist_ok=True)
    menu = b"\x1f\x8b" + b"menu image stand-in" * 50
    red = png(40, 20, (255, 0, 0))
    package(os.path.join(out, "Plain.zip"), [("Plain.gz", menu), ("Plain.png", red)], b"A plain menu")
    package(os.path.join(out, "My.Menu.zip"), [("My.gz", menu), ("My.png", png(20, 40, (0, 0, 255)))])
    package(os.path.join(out, "MixedCase.zip"), [("mixedcase.GZ", menu), ("MIXEDCASE.png", red)])
    package(os.path.join(out, "NoPicture.zip"), [("NoPicture.gz", menu), ("Other.png", red)])
    package(os.path.join(out, "Nested.zip"), [("Nested.gz", menu), ("sub/Nested.png", red)])
    package(os.path.join(out, "Broken.zip"), [("Broken.gz", menu), ("Broken.png", red)])
    # Damage the member data, keep the directory.
    with open(os.path.join(out, "Broken.zip"), "r+b") as f:
        f.seek(40)
        f.write(b"\xff" * 60)
    with open(os.path.join(out, "NotAZip.zip"), "wb") as f:
        f.write(b"plain text, not an archive\n" * 10)
    # A boot-module zip whose entry names a folder above.
    package(os.path.join(out, "Escape.zip"), [("ok.gz", menu), ("../escape.gz", menu)])
    # A picture that is not a PNG: the package is valid, its thumbnail is not.
    package(os.path.join(out, "BadPicture.zip"), [("BadPicture.gz", menu), ("BadPicture.png", b"not a png")])
    # Fifty packages for loading tests, and two more that join later.
    many = os.path.join(out, "many")
    os.makedirs(many, exist_ok=True)
    for i in range(52):
        folder = many if i < 50 else out
        title = "pack%02d" % i
        package(os.path.join(folder, title + ".zip"),
                [(title + ".gz", menu * 20), (title + ".png", png(96, 48, (i * 5, 100, 200)))])
    # The wizard's menu folder: two packages; Beta holds a longer name that
    # begins like its menu image before the image itself.
    wizard = os.path.join(out, "wizard")
    os.makedirs(wizard, exist_ok=True)
    package(os.path.join(wizard, "Alpha.zip"),
            [("Alpha.gz", b"\x1f\x8b alpha menu"), ("Alpha.png", png(64, 48, (0, 160, 0)))], b"The alpha menu")
    package(os.path.join(wizard, "Beta.zip"),
            [("Beta.gz.old", b"old beta"), ("BETA.GZ", b"\x1f\x8b beta menu"), ("Beta.png", png(48, 64, (0, 0, 160)))],
            b"The beta menu")


if __name__ == "__main__":
    main(sys.argv[1])
