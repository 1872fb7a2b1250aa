#!/usr/bin/env bash
# Times full redraws of the design canvas under Wine (1024 x 768 page, 50
# elements, wallpaper, grid and margins; zoom 100% and 200%). Goal: at most
# 8 ms. BENCH_DUMP=<folder, as Wine sees it> writes the frames as BMPs.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
source "$ROOT/tools/wine-arch.sh"  # the 32-bit build where it runs, else the 64-bit one
BUILD="${BUILD:-$ROOT/build-bench-canvas$ZAVO_ARCH_SUFFIX}"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ZAVO_TOOLCHAIN" \
  -DCMAKE_BUILD_TYPE=Release -DZAVO_BENCH=ON -DZAVO_TESTS=OFF >/dev/null
cmake --build "$BUILD" --target canvas_bench >/dev/null
"$ROOT/tools/wine-session.sh" wine "$BUILD/bin/canvas_bench.exe"
