#!/usr/bin/env python3
"""Checks what typing_test wrote: the MD5-crypt hash that the password dialog
made from the typed bytes equals openssl's hash of the same bytes with the
same salt. Usage: typing_check.py <typing_out folder>"""
import os
import subprocess
import sys


def main(folder):
    with open(os.path.join(folder, "password.txt"), "rb") as f:
        hex_password, hash_text = f.read().decode("ascii").split()
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


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
