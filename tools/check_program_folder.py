#!/usr/bin/env python3
"""Checks an installed program folder: the deliverables and the files they open
are there, every DLL a program imports is in the folder or a Windows system
DLL, nothing else is there (no test program, stand-in or by-product), and the
distributable zip lists exactly the folder.
Usage: check_program_folder.py FOLDER [--zip ZIP] [--objdump TOOL]"""
import argparse
import os
import re
import subprocess
import sys
import zipfile

# always present: the studio with its library and data, and the console tools
REQUIRED = [
    "Zavomgr.exe", "zavofw.dll", "Gorvanel.dll", "lunq.exe", "sarvenid.exe",
    "language/zavomgr.lng",
    "Zavo Projects/Sample/Sample.kel", "Zavo Projects/Sample/wallpaper.png",
    "Zavo Projects/Sample/logo.png", "Zavo Projects/Sample/chunk.png",
]
REQUIRED_DIRS = ["Kel Menus", "WebPages", "Bin", "Themes", "Cmd Templates", "language"]
# deliverables that join the folder once they are built
OPTIONAL = ["Tessumgr.exe", "Pelsys.exe", "ozSkin.dll", "ThemeUI.dll"]
# what may stand in each data folder
DATA_FOLDERS = {
    "language": re.compile(r"^[^/]+\.(lng|ini)$", re.I),
    "Cmd Templates": re.compile(r"^[^/]+\.gmd$", re.I),
    "Themes": re.compile(r"^.+$"),
    "Zavo Projects/Sample": re.compile(r"^[^/]+\.(kel|png|bmp|jpg)$", re.I),
}
# DLLs of Windows itself that the programs may import
SYSTEM_DLLS = {n.lower() for n in """
kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll shlwapi.dll comctl32.dll comdlg32.dll
ole32.dll oleaut32.dll olepro32.dll msimg32.dll winmm.dll version.dll gdiplus.dll msvcrt.dll
imagehlp.dll uxtheme.dll psapi.dll imm32.dll rpcrt4.dll ws2_32.dll winspool.drv hhctrl.ocx
riched20.dll riched32.dll oledlg.dll urlmon.dll wininet.dll setupapi.dll dwmapi.dll
""".split()}

failures = []


def fail(text):
    failures.append(text)


def listing(folder):
    files, dirs = [], []
    for root, dnames, fnames in os.walk(folder):
        rel = os.path.relpath(root, folder).replace(os.sep, "/")
        for d in dnames:
            dirs.append(d if rel == "." else rel + "/" + d)
        for f in fnames:
            files.append(f if rel == "." else rel + "/" + f)
    return sorted(files), sorted(dirs)


def imports(objdump, path):
    out = subprocess.run([objdump, "-p", path], capture_output=True, text=True, errors="replace")
    if out.returncode != 0:
        fail("objdump cannot read %s: %s" % (path, out.stderr.strip()))
        return []
    return re.findall(r"DLL Name: (\S+)", out.stdout)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("folder")
    parser.add_argument("--zip")
    parser.add_argument("--objdump", default="i686-w64-mingw32-objdump")
    opts = parser.parse_args()
    folder = opts.folder
    files, dirs = listing(folder)
    lower = {f.lower() for f in files}

    for name in REQUIRED:
        if name.lower() not in lower:
            fail("missing: " + name)
    # Tessumgr's English texts go with it
    if "tessumgr.exe" in lower and "language/tessumgr.lng" not in lower:
        fail("missing: language/Tessumgr.lng beside Tessumgr.exe")
    for d in REQUIRED_DIRS:
        if d not in dirs:
            fail("missing folder: " + d)
    if not any(f.lower().startswith("cmd templates/") for f in files):
        fail("no command template in Cmd Templates")

    top_level = {n.lower() for n in REQUIRED + OPTIONAL if "/" not in n}
    for f in files:
        if "/" not in f:
            if f.lower() not in top_level:
                fail("not a deliverable: " + f)
            continue
        owner = next((d for d in sorted(DATA_FOLDERS, key=len, reverse=True) if f.startswith(d + "/")), None)
        if owner is None or not DATA_FOLDERS[owner].match(f[len(owner) + 1:]):
            fail("not program data: " + f)

    for f in files:
        if not f.lower().endswith((".exe", ".dll")):
            continue
        for dll in imports(opts.objdump, os.path.join(folder, f)):
            if dll.lower() not in SYSTEM_DLLS and dll.lower() not in lower:
                fail("%s imports %s, which is neither in the folder nor a system DLL" % (f, dll))

    if opts.zip:
        with zipfile.ZipFile(opts.zip) as z:
            names = [n for n in z.namelist() if not n.endswith("/")]
        base = os.path.basename(os.path.normpath(folder)) + "/"
        inside = sorted(n[len(base):] for n in names if n.startswith(base))
        if len(inside) != len(names):
            fail("zip entries outside %s: %s" % (base, [n for n in names if not n.startswith(base)][:5]))
        if inside != files:
            fail("zip and folder differ: only in zip %s, only in folder %s"
                 % (sorted(set(inside) - set(files))[:5], sorted(set(files) - set(inside))[:5]))

    for text in failures:
        print("program folder:", text)
    print("program folder %s: %d files, %s" % (folder, len(files), "FAILED" if failures else "ok"))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
