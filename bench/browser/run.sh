#!/usr/bin/env bash
# Reads and extracts a 64 MiB gzip-compressed menu image of 5,000 files and
# compares with gunzip to /dev/null of the same file plus writing the files.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
BUILD="${BUILD:-$ROOT/build-bench-browser}"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT

cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZAVO_BENCH=ON -DZAVO_TESTS=OFF >/dev/null
cmake --build "$BUILD" --target browser_bench >/dev/null
BENCH="$BUILD/bin/browser_bench"

python3 "$ROOT/bench/browser/make_tree.py" "$WORK/src"
"$BENCH" build "$WORK/src" "$WORK/menu.zmn"
gzip -6 -c "$WORK/menu.zmn" > "$WORK/menu.gz"
echo "image $(stat -c %s "$WORK/menu.zmn") bytes, gzip $(stat -c %s "$WORK/menu.gz") bytes"
sync

now() { date +%s.%N; }
best_gunzip=999; best_write=999; best_ours=999
for run in 1 2 3; do
  rm -rf "$WORK/copy" "$WORK/out"; sync
  t0=$(now); gunzip -c "$WORK/menu.gz" > /dev/null; t1=$(now)
  cp -r "$WORK/src" "$WORK/copy"; t2=$(now)
  "$BENCH" extract "$WORK/menu.gz" "$WORK/out" >"$WORK/ours.txt"; t3=$(now)
  g=$(echo "$t1 - $t0" | bc); w=$(echo "$t2 - $t1" | bc); o=$(echo "$t3 - $t2" | bc)
  best_gunzip=$(echo "if ($g < $best_gunzip) $g else $best_gunzip" | bc)
  best_write=$(echo "if ($w < $best_write) $w else $best_write" | bc)
  best_ours=$(echo "if ($o < $best_ours) $o else $best_ours" | bc)
  echo "run $run: gunzip $g s, write files (cp -r) $w s, browser_bench $o s ($(cat "$WORK/ours.txt"))"
done
diff -r "$WORK/src" "$WORK/out" >/dev/null && echo "extracted tree equals the source"
base=$(echo "$best_gunzip + $best_write" | bc)
printf 'best: gunzip %.3f s + write %.3f s = %.3f s; browser %.3f s; ratio %.2f (goal <= 1.5)\n' \
  "$best_gunzip" "$best_write" "$base" "$best_ours" "$(echo "scale=4; $best_ours / $base" | bc)"
