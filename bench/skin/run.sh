#!/usr/bin/env bash
# Times ThemeStart and skinned message passing under Wine. Goals: ThemeStart
# under 50 ms; messages within 1.5 times the unskinned time.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
BUILD="${BUILD:-$ROOT/build-bench-skin}"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DZAVO_BENCH=ON -DZAVO_TESTS=OFF >/dev/null
cmake --build "$BUILD" --target skin_bench ozSkin ThemeUI >/dev/null
"$ROOT/tools/wine-session.sh" wine "$BUILD/bin/skin_bench.exe"
