#!/usr/bin/env python3
"""Reads an image the deploy wizard built under Wine with readers not ours
(osirrox, iso-info, 7z) and checks it against what the wizard was given.
Usage: depwizard_check.py IMAGE EXPECTED_ZAVO_INI PACKAGE_FOLDER SOURCE_FOLDER"""
import os
import shutil
import subprocess
import sys
import tempfile
import time
import zipfile

MODULES = ["bcdw.gz", "grub4dos.gz", "isoemu.gz", "memdisk.gz", "passwd.gz", "splash.gz"]


def run(*cmd):
    return subprocess.run(cmd, capture_output=True, check=True).stdout


def read(path):
    with open(path, "rb") as f:
        return f.read()


def boot_problems(image, tmp, ini):
    """Boots the image in qemu: the CD stand-in prints zavo.ini's first and menu= lines."""
    if not shutil.which("qemu-system-i386"):
        return []
    serial = os.path.join(tmp, "serial.txt")
    qemu = subprocess.Popen(["qemu-system-i386", "-m", "32", "-boot", "d", "-display", "none", "-no-reboot",
                             "-cdrom", image, "-serial", "file:" + serial])
    lines = ini.split(b"\r\n")
    menu = next(l for l in lines if l.startswith(b"menu="))
    want = lines[0] + b"\r\n" + menu + b"\r\n"
    out = b""
    try:
        for _ in range(80):
            time.sleep(0.25)
            out = read(serial) if os.path.exists(serial) else b""
            if want in out or b"NOT FOUND" in out:
                break
    finally:
        qemu.kill()
        qemu.wait()
    return [] if want in out else ["the boot stand-in printed %r" % out]


def names_from_code_page(tree, code_page):
    """Rock Ridge holds the names in the wizard's code page: read them in it."""
    for root, dirs, files in os.walk(tree, topdown=False):
        for name in dirs + files:
            wanted = os.fsencode(name).decode(code_page)
            if wanted != name:
                os.rename(os.path.join(root, name), os.path.join(root, wanted))


def main(image, expected_ini, packages, source):
    problems = []
    with tempfile.TemporaryDirectory() as tmp:
        rr = os.path.join(tmp, "rr")
        run("osirrox", "-indev", image, "-extract", "/", rr)
        names_from_code_page(rr, "cp1252")
        boot = os.path.join(rr, "kelboot")
        if read(os.path.join(boot, "zavo.ini")) != read(expected_ini):
            problems.append("/kelboot/zavo.ini is not the page's text")
        if b"(cd)/kelboot/zavo.ini" not in read(os.path.join(boot, "zavo.sys")):
            problems.append("zavo.sys has no preset menu (cd)/kelboot/zavo.ini")
        # Rock Ridge names are case-sensitive: menu= must name the file byte for byte
        ini = read(expected_ini).split(b"\r\n")
        menu = next(l for l in ini if l.startswith(b"menu="))[5:].decode("cp1252")
        if not os.path.isfile(os.path.join(boot, menu)):
            problems.append("menu=%s names no file in /kelboot (%s)" % (menu, sorted(os.listdir(boot))))
        for name in ("Alpha", "Beta"):
            with zipfile.ZipFile(os.path.join(packages, name + ".zip")) as z:
                member = next(i for i in z.namelist() if i.lower() == name.lower() + ".gz")
                on_medium = os.path.join(boot, name.lower() + ".gz")
                if not os.path.isfile(on_medium) or read(on_medium) != z.read(member):
                    problems.append("%s is not its zip member %s" % (on_medium, member))
        for module in MODULES:
            if not os.path.isfile(os.path.join(boot, module)):
                problems.append("boot module %s missing" % module)
        for root, _, files in os.walk(source):
            for f in files:
                rel = os.path.relpath(os.path.join(root, f), source)
                parts = rel.split(os.sep)
                if parts[0].lower() == "kelboot":
                    parts[0] = "kelboot"
                if read(os.path.join(rr, *parts)) != read(os.path.join(root, f)):
                    problems.append("source file %s differs" % rel)
        if os.path.exists(os.path.join(rr, "Kelboot")):
            problems.append("a second boot folder 'Kelboot'")
        info = run("iso-info", "-i", image, "-f").decode("utf-8", "replace")
        if "/kelboot/zavo.ini" not in info.lower():
            problems.append("iso-info lists no /kelboot/zavo.ini")
        jol = os.path.join(tmp, "joliet")
        run("7z", "x", "-y", "-o" + jol, image)
        if not os.path.isfile(os.path.join(jol, "[BOOT]", "Boot-NoEmul.img")):
            problems.append("7z finds no boot image")
        elif read(os.path.join(jol, "[BOOT]", "Boot-NoEmul.img"))[:2048] == b"\0" * 2048:
            problems.append("the boot image is empty")
        if read(os.path.join(jol, "kelboot", "zavo.ini")) != read(expected_ini):
            problems.append("Joliet zavo.ini differs")
        if not os.path.isfile(os.path.join(jol, "caf\u00e9.txt")):
            problems.append("Joliet has no caf\u00e9.txt")
        problems += boot_problems(image, tmp, read(expected_ini))
    for p in problems:
        print(p)
    print("%d problems" % len(problems))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:5]))
