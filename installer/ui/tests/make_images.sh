#!/bin/sh
# Codec test files written by ImageMagick, each with ImageMagick's RGBA dump beside it.
set -e
out=$1
here=$(dirname "$0")
mkdir -p "$out"
python3 "$here/make_images.py" "$out"
cd "$out"
convert src2.ppm -type palette BMP3:bmp1.bmp
convert src16.ppm -type palette BMP3:bmp4.bmp
convert src256.ppm -type palette BMP3:bmp8.bmp
convert src256.ppm -type palette -compress RLE BMP3:rle8.bmp
convert src0.ppm -define bmp:subtype=RGB565 BMP:bmp16.bmp
convert src0.ppm -type truecolor BMP3:bmp24.bmp
convert srcalpha.pam -type truecoloralpha BMP:bmp32.bmp
convert src256.ppm -type palette BMP2:os2.bmp
convert src0.ppm -type truecolor -compress none tga24.tga
convert src0.ppm -type truecolor -compress RLE tgarle.tga
convert srcalpha.pam -type truecoloralpha -compress RLE tga32.tga
convert src256.ppm -type palette -compress none tgamap.tga
convert src256.ppm -type grayscale -compress RLE tgagrey.tga
convert srcalpha.pam -type truecoloralpha ico32.ico
convert srcalpha.pam -type truecoloralpha PNG32:alpha.png
convert src4.ppm -define png:bit-depth=2 -define png:color-type=3 PNG8:two.png
for f in *.bmp *.tga *.ico *.png; do
    convert "$f" -auto-orient -depth 8 "rgba:$f.rgba"
    identify -format '%w %h\n' "$f" | head -n 1 > "$f.size"
done
