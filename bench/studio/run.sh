#!/usr/bin/env bash
# Times whole-page edits of a 300-element project under Wine (nudge all,
# undo, zoom step, deselect; memory of 100 undo steps). Goal: each step under
# 100 ms, 100 undo steps under 10 times the project file's size.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
source "$ROOT/tools/wine-arch.sh"  # the 32-bit build where it runs, else the 64-bit one
BUILD="${BUILD:-$ROOT/build-bench-studio$ZAVO_ARCH_SUFFIX}"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ZAVO_TOOLCHAIN" \
  -DCMAKE_BUILD_TYPE=Release -DZAVO_BENCH=ON -DZAVO_TESTS=OFF >/dev/null
cmake --build "$BUILD" --target studio_bench >/dev/null
WORK="$BUILD/studio_bench_work"
rm -rf "$WORK"
python3 "$(dirname "$0")/make_project.py" "$WORK" "Z:$(echo "$WORK" | tr / '\\')"
"$ROOT/tools/wine-session.sh" wine "$BUILD/bin/studio_bench.exe" "Z:$(echo "$WORK/Big.kel" | tr / '\\')"
