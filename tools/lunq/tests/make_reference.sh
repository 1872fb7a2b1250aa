#!/bin/sh
# Inputs for the Windows tests and what the host's lzma_alone makes of them.
set -e
dir=$1
mkdir -p "$dir"
: > "$dir/empty.bin"
printf 'A' > "$dir/one.bin"
head -c 1048576 /dev/urandom > "$dir/random.bin"
i=0
while [ $i -lt 2000 ]; do echo "line $i of a compressible file with some repeated words"; i=$((i+1)); done > "$dir/text.bin"
for f in empty one random text; do
  lzma_alone e "$dir/$f.bin" "$dir/$f.lzma" >/dev/null 2>&1
done
touch "$dir/stamp"
