#!/usr/bin/env python3
"""Writes a small romfs image to the given path: volume "Startup" holding one
file "hello.txt"."""
import struct
import sys


def pad(b):
    return b + b"\0" * (-len(b) % 16)


def name(s):
    return pad(s.encode() + b"\0")


data = b"hello from the image\n"
head = b"-rom1fs-" + struct.pack(">II", 0, 0) + name("Startup")
first = len(head)
dot = struct.pack(">IIII", (first + 32) | 9, first, 0, 0) + name(".")
dotdot = struct.pack(">IIII", (first + 64) | 9, first, 0, 0) + name("..")
f = struct.pack(">IIII", 2, 0, len(data), 0) + name("hello.txt") + pad(data)
img = head + dot + dotdot + f
img = img[:8] + struct.pack(">I", len(img)) + img[12:]
with open(sys.argv[1], "wb") as out:
    out.write(img)
