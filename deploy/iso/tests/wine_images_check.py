#!/usr/bin/env python3
"""Reads back the images that iso_build_test made under Wine: osirrox (Rock
Ridge) and 7z (Joliet, boot image) must show what the test expected (Rock Ridge names read
in code page 1252, as the Windows build writes them), and
iso-info must list the image's boot folder.
Usage: wine_images_check.py FOLDER (one subfolder per test: image.iso,
expected/, boot.img, and a file "joliet" when the Joliet names are checked)"""
import filecmp
import os
import subprocess
import sys
import tempfile


def run(*cmd):
    return subprocess.run(cmd, capture_output=True, check=True, env=dict(os.environ, LC_ALL="C.UTF-8")).stdout


def differences(a, b, rel=""):
    """Names and contents that differ between two trees."""
    cmp = filecmp.dircmp(a, b)
    out = [os.path.join(rel, n) for n in cmp.left_only + cmp.right_only + cmp.funny_files]
    _, mismatch, errors = filecmp.cmpfiles(a, b, cmp.common_files, shallow=False)
    out += [os.path.join(rel, n) for n in mismatch + errors]
    for d in cmp.common_dirs:
        out += differences(os.path.join(a, d), os.path.join(b, d), os.path.join(rel, d))
    return out


def names_from_code_page(tree, code_page):
    """Rock Ridge holds the names in the builder's code page: read them in it."""
    for root, dirs, files in os.walk(tree, topdown=False):
        for name in dirs + files:
            wanted = os.fsencode(name).decode(code_page)
            if wanted != name:
                os.rename(os.path.join(root, name), os.path.join(root, wanted))


def check(case):
    image, expected = os.path.join(case, "image.iso"), os.path.join(case, "expected")
    problems = []
    with tempfile.TemporaryDirectory() as tmp:
        rr = os.path.join(tmp, "rr")
        run("osirrox", "-indev", image, "-extract", "/", rr)
        names_from_code_page(rr, "cp1252")
        problems += ["Rock Ridge: " + d for d in differences(expected, rr)]
        if os.path.exists(os.path.join(case, "joliet")):
            jol = os.path.join(tmp, "joliet")
            run("7z", "x", "-y", "-o" + jol, image)
            boot = os.path.join(jol, "[BOOT]", "Boot-NoEmul.img")
            if not filecmp.cmp(boot, os.path.join(case, "boot.img"), shallow=False):
                problems.append("the boot image differs")
            os.remove(boot)
            os.rmdir(os.path.dirname(boot))
            problems += ["Joliet: " + d for d in differences(expected, jol)]
        info = run("iso-info", "-i", image, "-f").decode("utf-8", "replace").lower()
        if "/kelboot/zavo.ini" not in info:
            problems.append("iso-info lists no /kelboot/zavo.ini")
    return problems


def main(folder):
    cases = sorted(os.path.join(folder, c) for c in os.listdir(folder)) if os.path.isdir(folder) else []
    if not cases:
        print("no images in", folder)
        return 1
    failed = 0
    for case in cases:
        problems = check(case)
        print("%s: %s" % (os.path.basename(case), "; ".join(problems) if problems else "ok"))
        failed += bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
