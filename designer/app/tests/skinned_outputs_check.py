#!/usr/bin/env python3
"""Compares what sample_project_test left in the program folder when the studio
ran unskinned with what it left when it ran skinned (names with "Skinned").
The saved projects must be equal byte for byte once the folder names are
swapped; the menu packages must hold the same members, the picture and the
image's files byte for byte, and the same texts but for the time they were made
and the password hashes' random salts.
Usage: skinned_outputs_check.py <program folder>"""
import gzip
import os
import re
import struct
import sys
import zipfile

failures = []


def check(cond, text):
    if not cond:
        failures.append(text)
    return cond


def read(path):
    with open(path, "rb") as f:
        return f.read()


def romfs_files(image):
    """{name: data} of the image's root folder."""
    if image[:8] != b"-rom1fs-":
        return None
    end = image.index(b"\0", 16)
    offset = (end + 1 + 15) & ~15
    files, seen = {}, set()
    while offset and offset not in seen and offset + 16 <= len(image):
        seen.add(offset)
        nxt, _, size, _ = struct.unpack(">IIII", image[offset:offset + 16])
        name_end = image.index(b"\0", offset + 16)
        name = image[offset + 16:name_end].decode("latin-1")
        data_at = (name_end + 1 + 15) & ~15
        if nxt & 7 == 2:
            files[name] = image[data_at:data_at + size]
        offset = nxt & ~15
    return files


def without_time(text):
    """The generated texts name the time they were made on one comment line,
    and each password hash takes a random salt."""
    lines = (l for l in text.split(b"\n") if not l.lstrip(b"; ").startswith(b"at "))
    return re.sub(rb"\$1\$[^$\s]*\$[./0-9A-Za-z]{22}", b"$1$(salted)", b"\n".join(lines))


def compare_projects(plain, skinned, swaps):
    a, b = read(plain), read(skinned)
    for old, new in swaps:
        a = a.replace(old.encode(), new.encode())
    check(a == b, "%s and %s differ beyond the folder names" % (plain, skinned))


def compare_packages(folder, plain_name, skinned_name, swaps):
    plain = zipfile.ZipFile(os.path.join(folder, plain_name + ".zip"))
    skinned = zipfile.ZipFile(os.path.join(folder, skinned_name + ".zip"))
    names = sorted(n.replace(plain_name, skinned_name) for n in plain.namelist())
    if not check(names == sorted(skinned.namelist()),
                 "%s members %s, %s members %s" % (plain_name, plain.namelist(), skinned_name, skinned.namelist())):
        return
    for name in plain.namelist():
        a, b = plain.read(name), skinned.read(name.replace(plain_name, skinned_name))
        kind = os.path.splitext(name)[1]
        if kind == ".gz":
            fa, fb = romfs_files(gzip.decompress(a)), romfs_files(gzip.decompress(b))
            if not check(fa is not None and fb is not None, name + ": no romfs image inside"):
                continue
            check(sorted(fa) == sorted(fb), "%s: files %s and %s" % (name, sorted(fa), sorted(fb)))
            for f in set(fa) & set(fb):
                check(len(fa[f]) == len(fb[f]), "%s/%s: %d and %d bytes" % (name, f, len(fa[f]), len(fb[f])))
                same = fa[f] == fb[f] or (f.endswith(".ini") and without_time(fa[f]) == without_time(fb[f]))
                check(same, "%s/%s differs" % (name, f))
        elif kind == ".txt":
            for old, new in swaps:
                a = a.replace(old.encode(), new.encode())
            check(without_time(a) == without_time(b), name + " differs beyond the folder names")
        else:
            check(a == b, name + " differs")


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    bin_dir = sys.argv[1]
    projects = os.path.join(bin_dir, "Zavo Projects")
    swaps = [("\\SampleTest\\", "\\SampleTestSkinned\\"), ("\\SampleMoved\\", "\\SampleMovedSkinned\\")]
    compare_projects(os.path.join(projects, "SampleMoved", "Sample.kel"),
                     os.path.join(projects, "SampleMovedSkinned", "Sample.kel"), swaps)
    compare_projects(os.path.join(projects, "SampleAbove.kel"), os.path.join(projects, "SampleAboveSkinned.kel"),
                     [(">SampleTest\\", ">SampleTestSkinned\\")])
    menus = os.path.join(bin_dir, "Kel Menus")
    compare_packages(menus, "SampleTest", "SampleTestSkinned", swaps)
    compare_packages(menus, "SampleMoved", "SampleMovedSkinned", swaps)
    for f in failures:
        print("FAIL:", f)
    print("skinned and unskinned outputs %s" % ("differ" if failures else "agree"))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
