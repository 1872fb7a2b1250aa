#!/usr/bin/env bash
# Makes the seeds of the installer's fuzz targets from the test fixtures:
# make_fuzz_seeds.sh FIXTURE_DIR (writes beside this script).
set -euo pipefail
fx="$1"; here="$(cd "$(dirname "$0")" && pwd)"
lang="$here/installer_lang_fuzzer_seeds"; detect="$here/installer_detect_fuzzer_seeds"
analyse="$here/installer_analyse_fuzzer_seeds"
rm -rf "$lang" "$detect" "$analyse"; mkdir -p "$lang" "$detect" "$analyse"
printf '; comment\r\n[[Button]]\r\nAssemble = OK\r\n[Tool Tips]\r\nDrive Map= a\\n b\\n c\r\nx\r\n' > "$lang/crlf.lng"
printf '[Message Prompt]\nOperation OK=Done\nOperation OK=Again\n' > "$lang/lf.lng"
head -c 1024 "$fx/floppy144.img" > "$detect/bootsector"
python3 - "$detect" <<'PY'
import struct, sys
d = sys.argv[1]
head = bytearray(1024); head[0] = 0xE9; head[9:18] = b"Vesker200"
open(d + "/tessu", "wb").write(bytes(head))
head[512] = 0xEA; head[592:596] = struct.pack("<I", 0x1BADB002)
open(d + "/grub2", "wb").write(bytes(head))
rv = bytearray(1024); rv[0:2] = b"RV"; rv[512] = 0xEA; rv[620:624] = struct.pack("<I", 0x1BADB002)
open(d + "/plaingrub2", "wb").write(bytes(rv))
PY
cp "$fx/floppy144.img.gz" "$fx/noemu.iso.gz" "$analyse/"
head -c 4096 "$fx/mbr1023.img" > "$analyse/mbr.img"
head -c 2048 "$fx/floppy144.img" > "$analyse/floppy.img"
gzip -9 -n -c "$fx/floppy.iso" > "$analyse/floppy.iso.gz"
