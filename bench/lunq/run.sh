#!/usr/bin/env bash
# Encodes one 50 MiB file with Lunq and with the host's lzma_alone and prints
# both times and their ratio (goal: Lunq within 1.05 times lzma_alone).
# Lunq runs twice: the native build, and lunq.exe under Wine.
# Usage: bench/lunq/run.sh [work folder]
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
source "$ROOT/tools/wine-arch.sh"  # the 32-bit build where it runs, else the 64-bit one
WORK="${1:-$(mktemp -d)}"
mkdir -p "$WORK"
NATIVE="$ROOT/build-bench-native"
WIN="$ROOT/build-bench-win$ZAVO_ARCH_SUFFIX"

cmake -S "$ROOT" -B "$NATIVE" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZAVO_TESTS=OFF >/dev/null
cmake --build "$NATIVE" --target lunq >/dev/null
cmake -S "$ROOT" -B "$WIN" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ZAVO_TOOLCHAIN" \
  -DCMAKE_BUILD_TYPE=Release -DZAVO_TESTS=OFF >/dev/null
cmake --build "$WIN" --target lunq >/dev/null

# 50 MiB of menu-like text with pseudo-random numbers and words (same bytes every run)
IN="$WORK/input.bin"
if [[ ! -f "$IN" || $(stat -c %s "$IN") -ne 52428800 ]]; then
  awk 'BEGIN { srand(42); split("title kernel initrd chainloader root map boot timeout default color", w, " ");
         while (1) printf "%s (hd%d,%d) /boot/%x.img %d\n", w[int(rand()*10)+1], int(rand()*4), int(rand()*8), int(rand()*1e9), int(rand()*1e6) }' \
    | head -c 52428800 > "$IN" || true   # awk ends on SIGPIPE by design
  [[ $(stat -c %s "$IN") -eq 52428800 ]] || { echo "could not make the input" >&2; exit 1; }
fi

now() { date +%s.%N; }
elapsed() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", b - a }'; }

t0=$(now); lzma_alone e "$IN" "$WORK/ref.lzma" >/dev/null 2>&1; t1=$(now)
"$NATIVE/bin/lunq" e "$IN" "$WORK/native.luq" 2>/dev/null; t2=$(now)
export WINEPREFIX="${WINEPREFIX:-$ROOT/.wine-bench$ZAVO_ARCH_SUFFIX}"
"$ROOT/tools/wine-run.sh" "$WIN/bin/lunq.exe" e "$IN" "$WORK/wine.luq" >/dev/null 2>&1 </dev/null; t3=$(now)

ref=$(elapsed "$t0" "$t1"); nat=$(elapsed "$t1" "$t2"); win=$(elapsed "$t2" "$t3")
same() { cmp -s -i 4384:0 "$1" "$WORK/ref.lzma" && echo "identical" || echo "DIFFERENT"; }
echo "input:              $(stat -c %s "$IN") bytes, LZMA $(stat -c %s "$WORK/ref.lzma") bytes"
echo "lzma_alone:         $ref s"
echo "lunq (native):      $nat s  ratio $(awk -v a="$nat" -v b="$ref" 'BEGIN { printf "%.3f", a / b }')  LZMA part $(same "$WORK/native.luq")"
echo "lunq.exe (Wine):    $win s  ratio $(awk -v a="$win" -v b="$ref" 'BEGIN { printf "%.3f", a / b }')  LZMA part $(same "$WORK/wine.luq")"
