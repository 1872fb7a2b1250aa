#!/usr/bin/env python3
"""Checks what typing_test wrote: the MD5-crypt hashes that the password dialog
made from the typed bytes (sent as input and typed on the X server's
keyboard) equal openssl's hashes of the same bytes with the same salts.
Usage: typing_check.py <typing_out folder>"""
import os
import subprocess
import sys


def check(path):
    with open(path, "rb") as f:
        fields = f.read().decode("ascii").split()
    if len(fields) != 2 or not fields[1].startswith("$1$"):
        print("FAIL: %s holds no password and hash: %r" % (path, fields))
        return 1
    hex_password, hash_text = fields
    password = bytes.fromhex(hex_password)
    salt = hash_text.split("$")[2]
    out = subprocess.run([b"openssl", b"passwd", b"-1", b"-salt", salt.encode(), password],
                         capture_output=True)
    expected = out.stdout.decode("ascii").strip()
    if out.returncode != 0 or expected != hash_text:
        print("FAIL: hash %s of %r, openssl gives %s" % (hash_text, password, expected))
        return 1
    print("hash of %r matches openssl" % password)
    return 0


def main(folder):
    failures = 0
    for name in ("password.txt", "keys-password.txt"):
        failures += check(os.path.join(folder, name))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
