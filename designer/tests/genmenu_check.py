#!/usr/bin/env python3
"""Reads the menu package that genmenu_test wrote, with readers that are not
the studio's: unzip/zipinfo, gzip, ImageMagick's identify and a small romfs
reader of its own. Usage: genmenu_check.py [options] Sample.zip; the options
name what the project holds (genmenu_test's sample project by default)."""
import argparse
import os
import re
import struct
import subprocess
import sys
import tempfile
import zipfile

failures = []


def check(cond, text):
    if not cond:
        failures.append(text)
    return cond


def romfs_files(image):
    """{name: data} of the root folder; checks the checksums on the way."""
    if not check(image[:8] == b"-rom1fs-", "romfs magic"):
        return {}
    full = struct.unpack(">I", image[8:12])[0]
    check(full <= len(image), "romfs size %d within the image of %d bytes" % (full, len(image)))
    words = image[:min(512, full)]
    check(sum(struct.unpack(">%dI" % (len(words) // 4), words)) & 0xFFFFFFFF == 0, "romfs volume checksum")
    end = image.index(b"\0", 16)
    check(image[16:end] == b"DemoRomfs", "volume name DemoRomfs")
    offset = (end + 1 + 15) & ~15
    files, seen = {}, set()
    while offset and offset not in seen and offset + 16 <= full:
        seen.add(offset)
        nxt, info, size, _ = struct.unpack(">IIII", image[offset:offset + 16])
        name_end = image.index(b"\0", offset + 16)
        name = image[offset + 16:name_end].decode("latin-1")
        header_end = (name_end + 1 + 15) & ~15
        head = image[offset:header_end]
        check(sum(struct.unpack(">%dI" % (len(head) // 4), head)) & 0xFFFFFFFF == 0, "header checksum of " + name)
        if nxt & 7 == 2:
            check(header_end + size <= full, name + " inside the image")
            files[name] = image[header_end:header_end + size]
        offset = nxt & ~15
    return files


def identify(data, suffix, form="%m %w %h"):
    with tempfile.NamedTemporaryFile(suffix=suffix, delete=False) as f:
        f.write(data)
    try:
        out = subprocess.run(["identify", "-format", form, f.name], capture_output=True, text=True)
        return out.stdout.strip() if out.returncode == 0 else None
    finally:
        os.unlink(f.name)


def same_area(data, picture, area):
    """Root mean square difference (0..1) of one area of a JPEG and a picture file."""
    with tempfile.NamedTemporaryFile(suffix=".jpg", delete=False) as f:
        f.write(data)
    try:
        out = subprocess.run(["compare", "-metric", "RMSE", f.name + "[%s]" % area, picture + "[%s]" % area,
                              "null:"], capture_output=True, text=True)
        match = re.search(r"\(([0-9.e-]+)\)", out.stderr)
        return float(match.group(1)) if match else None
    finally:
        os.unlink(f.name)


def sections(ini):
    """[(name, {key: value})] in file order."""
    result = []
    for line in ini.split("\r\n"):
        if line.startswith("["):
            result.append((line.strip("[]"), {}))
        elif "=" in line and result and not line.startswith(";"):
            key, value = line.split("=", 1)
            result[-1][1][key] = value
    return result


def options(argv):
    parser = argparse.ArgumentParser()
    parser.add_argument("zip")
    parser.add_argument("--name", default="Sample", help="menu name: <name>.gz, .png and .txt in the zip")
    parser.add_argument("--description", default="Two systems and a text")
    parser.add_argument("--project", default="C:\\Projects\\sample.kel", help="project path the package names")
    parser.add_argument("--items", type=int, default=3, help="number of [menuitem] blocks")
    parser.add_argument("--common", default="default=2,timeout=7,quickgo=1,centercursor=1",
                        help="the project's values in [common]")
    parser.add_argument("--progress", default="100,560", help="left,top of the progress bar")
    parser.add_argument("--wallpaper", help="the project's wallpaper picture, to be found in the package's")
    parser.add_argument("--wallpaper-area", default="800x600+0+0",
                        help="where no element covers the wallpaper (ImageMagick geometry)")
    return parser.parse_args(argv)


def main(argv):
    opts = options(argv)
    path, name = opts.zip, opts.name
    listing = subprocess.run(["zipinfo", "-1", path], capture_output=True, text=True)
    check(listing.returncode == 0, "zipinfo reads the zip")
    check(sorted(listing.stdout.splitlines()) == [name + ".gz", name + ".png", name + ".txt"],
          "members: " + listing.stdout.replace("\n", " "))
    check(subprocess.run(["unzip", "-tq", path], capture_output=True).returncode == 0, "unzip -t passes")
    with zipfile.ZipFile(path) as z:
        comment = z.comment.decode("latin-1")
        gz = z.read(name + ".gz")
        png = z.read(name + ".png")
        txt = z.read(name + ".txt").decode("latin-1")
    check(comment.startswith("\r\n" + opts.description + "\r\n\r\n// " + "=" * 59), "comment head")
    check("\r\n// Resolution: 800 x 600\r\n// Project: " + opts.project + "\r\n//\r\n" in comment,
          "comment tail: " + repr(comment[-120:]))
    check(txt.startswith(opts.description + "\r\n\r\n; "), "description text")
    check("800 x 600" in txt and opts.project in txt, "description names page and project")
    check(identify(png, ".png") == "PNG 240 180", "preview is a 240 x 180 PNG")

    unzipped = subprocess.run(["gzip", "-dc"], input=gz, capture_output=True)
    check(unzipped.returncode == 0, "gzip reads the package")
    files = romfs_files(unzipped.stdout)
    ini = files.get("kelmenu.ini", b"").decode("latin-1")
    check(ini.endswith("; end of file.\r\n"), "kelmenu.ini ends with the end line")
    check(ini.startswith(";\r\n; Zavo Graphic Menu System Configuration File.\r\n"), "kelmenu.ini header")
    found = sections(ini)
    names = [n for n, _ in found]
    check(names[:2] == ["common", "progress"], "sections start with common, progress: %s" % names)
    items = names[2:]
    check(items == ["menuitem %d" % i for i in range(1, len(items) + 1)], "menu items numbered from 1: %s" % items)
    check(len(items) == opts.items, "%d menu item blocks, %d expected" % (len(items), opts.items))
    common = dict(found).get("common", {})
    expected = {"version": "2.01", "vesamode": "0x114", "wallpaper": "(rd)/wallpaper.jpg",
                "cursorimage": "(rd)/cursor.bmp", "handimage": "(rd)/hand.bmp"}
    expected.update(item.split("=", 1) for item in opts.common.split(","))
    check(common == expected, "[common] %s" % common)
    progress = dict(found).get("progress", {})
    left, top = opts.progress.split(",")
    check(progress.get("pleft") == left and progress.get("ptop") == top, "[progress] position %s" % progress)
    check(int(progress.get("pwidth", "0")) > 0 and int(progress.get("pheight", "0")) > 0, "[progress] size")
    check(sum(1 for _, keys in found[2:] if re.match(r"\$1\$", keys.get("password", ""))) == 1,
          "one entry has an MD5-crypt password")

    named = set(re.findall(r"\(rd\)/([^\s\"]+)", ini))
    for name in sorted(named):
        data = files.get(name)
        if data is None and name in ("cursor.bmp", "hand.bmp"):
            gz_data = files.get(name[:-4] + ".gz")
            if check(gz_data is not None, name + " or its .gz in the image"):
                data = subprocess.run(["gzip", "-dc"], input=gz_data, capture_output=True).stdout
        if check(data is not None, name + " in the image"):
            check(identify(data, os.path.splitext(name)[1]) is not None, name + " decodes")
    check(identify(files.get("wallpaper.jpg", b""), ".jpg") == "JPEG 800 600", "wallpaper is an 800 x 600 JPEG")
    spread = identify(files.get("wallpaper.jpg", b""), ".jpg", "%[fx:standard_deviation]")
    check(spread is not None and float(spread) > 0.02, "wallpaper is no flat colour (spread %s)" % spread)
    if opts.wallpaper:
        rmse = same_area(files.get("wallpaper.jpg", b""), opts.wallpaper, opts.wallpaper_area)
        check(rmse is not None and rmse < 0.03, "the project's wallpaper in %s (difference %s)" % (opts.wallpaper_area, rmse))
    check("wallpaper.png" not in files, "no PNG wallpaper left in the image")

    for f in failures:
        print("FAIL:", f)
    print("%d files in the image, %d pictures named, %d failures" % (len(files), len(named), len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
