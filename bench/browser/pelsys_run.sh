#!/usr/bin/env bash
# Opens a 64 MiB gzip-compressed menu image of 5,000 files in Pelsys under Wine
# (the open command in process, until the folder tree is filled) and compares
# with gunzip of the same file to /dev/null. Best of three each.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
BUILD="${BUILD:-$ROOT/build-bench-pelsys}"
NATIVE="${NATIVE:-$ROOT/build-bench-browser}"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT

cmake -S "$ROOT" -B "$NATIVE" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZAVO_BENCH=ON -DZAVO_TESTS=OFF >/dev/null
cmake --build "$NATIVE" --target browser_bench >/dev/null
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DZAVO_BENCH=ON -DZAVO_TESTS=OFF >/dev/null
cmake --build "$BUILD" --target pelsys_bench >/dev/null

python3 - "$WORK/src" <<'PY'
import os, random, sys
root = sys.argv[1]; random.seed(1)
total = 64 << 20; n = 5000; each = total // n
words = [b"title", b"kernel", b"initrd", b"root", b"(hd0,0)", b"/boot", b"map", b"chainloader"]
for i in range(n):
    d = os.path.join(root, "dir%02d" % (i // 100)); os.makedirs(d, exist_ok=True)
    half = each // 2
    text = b" ".join(random.choice(words) for _ in range(half // 6))[:half]
    with open(os.path.join(d, "file%04d.bin" % i), "wb") as f:
        f.write(os.urandom(each - half) + text.ljust(half, b"\n"))
PY
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
