#!/usr/bin/env bash
# Makes the installer's test inputs with other tools: mkfs.fat floppies,
# xorriso ISOs, zips from zip and Python's zipfile, a hand-made MBR image.
set -euo pipefail
out="$1"; here="$(cd "$(dirname "$0")" && pwd)"
rm -rf "$out.tmp"; mkdir -p "$out.tmp"; cd "$out.tmp"

mkfs.fat -C -n TESSUFD floppy144.img 1440 >/dev/null
gzip -9 -n -c floppy144.img > floppy144.img.gz

# A no-emulation boot image, a 1.44 MB floppy and a hard-disk image to boot.
mkdir -p iso/boot
head -c 2048 /dev/zero > iso/boot/noemu.bin
cp floppy144.img iso/boot/floppy.img
python3 "$here/make_fixtures.py" mbr iso/boot/hdd.img
echo "data" > iso/readme.txt
xo() { xorriso -no_rc -as mkisofs -quiet -V "$1" -o "$2" "${@:3}" 2>/dev/null; }
xo NOEMU noemu.iso -b boot/noemu.bin -no-emul-boot -boot-load-size 4 iso
xo FLOPPY floppy.iso -b boot/floppy.img iso
xo HARDDISK hdd.iso -hard-disk-boot -b boot/hdd.img iso
xo DATAONLY data.iso iso
gzip -9 -n -c noemu.iso > noemu.iso.gz
cp iso/boot/hdd.img mbr1023.img

# Zips by the zip tool: folders with a file in each, stored and deflated.
mkdir -p ztree/Black/img ztree/empty
echo "[Theme]" > ztree/Black/theme.ini
head -c 30000 /dev/urandom > ztree/Black/img/pic.bmp
(cd ztree && zip -q -r ../tool.zip Black empty)
python3 "$here/make_fixtures.py" zips .

rm -rf iso ztree
cd .. && rm -rf "$out" && mv "$out.tmp" "$out"
