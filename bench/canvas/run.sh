#!/usr/bin/env bash
# Times full redraws of the design canvas under Wine (1024 x 768 page, 50
# elements, wallpaper, grid and margins; zoom 100% and 200%). Goal: < 16 ms.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
BUILD="${BUILD:-$ROOT/build-bench-canvas}"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DZAVO_BENCH=ON -DZAVO_TESTS=OFF >/dev/null
cmake --build "$BUILD" --target canvas_bench >/dev/null
"$ROOT/tools/wine-session.sh" wine "$BUILD/bin/canvas_bench.exe"
