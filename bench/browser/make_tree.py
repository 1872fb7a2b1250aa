#!/usr/bin/env python3
"""Writes the benches' source tree into the given folder: 50 folders of 100
files, 64 MiB in all, each half random and half text-like bytes."""
import os
import random
import sys

root = sys.argv[1]
random.seed(1)
total = 64 << 20
n = 5000
each = total // n
words = [b"title", b"kernel", b"initrd", b"root", b"(hd0,0)", b"/boot", b"map", b"chainloader"]
for i in range(n):
    d = os.path.join(root, "dir%02d" % (i // 100))
    os.makedirs(d, exist_ok=True)
    half = each // 2
    text = b" ".join(random.choice(words) for _ in range(half // 6))[:half]
    with open(os.path.join(d, "file%04d.bin" % i), "wb") as f:
        f.write(os.urandom(each - half) + text.ljust(half, b"\n"))
