#!/usr/bin/env bash
# Opens a 64 MiB gzip-compressed menu image of 5,000 files in Pelsys under Wine
# (the open command in process, until the folder tree is filled) and compares
# with gunzip of the same file to /dev/null. Best of three each.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
source "$ROOT/tools/wine-arch.sh"  # the 32-bit build where it runs, else the 64-bit one
BUILD="${BUILD:-$ROOT/build-bench-pelsys$ZAVO_ARCH_SUFFIX}"
NATIVE="${NATIVE:-$ROOT/build-bench-browser}"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT

cmake -S "$ROOT" -B "$NATIVE" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZAVO_BENCH=ON -DZAVO_TESTS=OFF >/dev/null
cmake --build "$NATIVE" --target browser_bench >/dev/null
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ZAVO_TOOLCHAIN" \
  -DCMAKE_BUILD_TYPE=Release -DZAVO_BENCH=ON -DZAVO_TESTS=OFF >/dev/null
cmake --build "$BUILD" --target pelsys_bench >/dev/null

python3 "$ROOT/bench/browser/make_tree.py" "$WORK/src"
"$NATIVE/bin/browser_bench" build "$WORK/src" "$WORK/menu.zmn"
gzip -6 -c "$WORK/menu.zmn" > "$WORK/menu.gz"
echo "image $(stat -c %s "$WORK/menu.zmn") bytes, gzip $(stat -c %s "$WORK/menu.gz") bytes"

now() { date +%s.%N; }
best_gunzip=999
for run in 1 2 3; do
  t0=$(now); gunzip -c "$WORK/menu.gz" > /dev/null; t1=$(now)
  g=$(echo "$t1 - $t0" | bc)
  best_gunzip=$(echo "if ($g < $best_gunzip) $g else $best_gunzip" | bc)
done
image="Z:$(echo "$WORK/menu.gz" | tr / '\\')"
out=$("$ROOT/tools/wine-session.sh" wine "$BUILD/bin/pelsys_bench.exe" "$image" 2>/dev/null | tr -d '\r')
echo "$out"
best=$(echo "$out" | awk '/^best/ {print $2}')
printf 'best: gunzip %.3f s; Pelsys open %.3f s; ratio %.2f (goal <= 1.5)\n' \
  "$best_gunzip" "$best" "$(echo "scale=4; $best / $best_gunzip" | bc)"
