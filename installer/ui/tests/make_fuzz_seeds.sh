#!/bin/sh
# Makes the seeds of installer_koimage_fuzzer: one small file of every codec
# and variant that make_images.sh writes (writes beside this script).
set -e
here=$(cd "$(dirname "$0")" && pwd)
seeds="$here/installer_koimage_fuzzer_seeds"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sh "$here/make_images.sh" "$work" >/dev/null
rm -rf "$seeds"
mkdir -p "$seeds"
for f in bmp1.bmp bmp4.bmp bmp16.bmp bmp32.bmp rle4.bmp rle8.bmp os2.bmp tgarle.tga tgagrey.tga \
         tgamap.tga tga32.tga ico32.ico mono.ico alpha.png two.png; do
    cp "$work/$f" "$seeds/$f"
done
