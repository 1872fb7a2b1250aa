#!/usr/bin/env bash
# Resizes a 1024 x 768 captioned window with both scroll bars 500 times and
# repaints its frame 500 times, unskinned and skinned with NormalBlue.
# Goals: a full non-client repaint under 2 ms, a resize step under 8 ms, one
# caption corner record per caption height.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
source "$ROOT/tools/wine-arch.sh"  # the 32-bit build where it runs, else the 64-bit one
BUILD="${BUILD:-$ROOT/build-bench-skin$ZAVO_ARCH_SUFFIX}"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ZAVO_TOOLCHAIN" \
  -DCMAKE_BUILD_TYPE=Release -DZAVO_BENCH=ON -DZAVO_TESTS=OFF >/dev/null
cmake --build "$BUILD" --target skin_frame_bench ThemeUI >/dev/null
"$ROOT/tools/wine-session.sh" wine "$BUILD/bin/skin_frame_bench.exe"
