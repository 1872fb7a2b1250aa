#!/usr/bin/env bash
# Builds and runs the menu package benchmark under Wine (1024 x 768 page,
# 20 entries, 5 pictures, 3 texts, a progress bar); prints the time per step.
# Goal: at most 0.1 s. To check a change, keep "$WORK/Kel Menus/Bench.zip" of
# a run before it and compare: compare_package.py <before.zip> <after.zip>.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
source "$ROOT/tools/wine-arch.sh"  # the 32-bit build where it runs, else the 64-bit one
BUILD="${BUILD:-$ROOT/build-win-bench-genmenu$ZAVO_ARCH_SUFFIX}"
export WINEPREFIX="${WINEPREFIX:-$ROOT/.wine-bench-genmenu$ZAVO_ARCH_SUFFIX}"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ZAVO_TOOLCHAIN" \
  -DCMAKE_BUILD_TYPE=Release -DZAVO_BENCH=ON >/dev/null
cmake --build "$BUILD" --target genmenu_bench >/dev/null
WORK="$BUILD/genmenu_bench_work"
rm -rf "$WORK"
echo "load: $(uptime)"
"$ROOT/tools/wine-session.sh" wine "$BUILD/bin/genmenu_bench.exe" "Z:$(echo "$WORK" | tr / '\\')"
