#!/usr/bin/env bash
# Times opening and saving a 300-element project (ELEMENTS=<n> for another
# count) and whole-page edits of it under Wine
# (select all, nudge all, undo, zoom step, deselect; memory of 100 undo
# steps), and says where opening goes. Goals: opening under 0.3 s, each step
# at most 30 ms, 100 undo steps under 10 times the project file's size; with
# 5,000 elements, saving under 1 s and opening under 3 s.
# BENCH_SPLIT=1 splits each step from its idle work; BENCH_SAVE_AS=<path, as
# Wine sees it> saves the project right after opening, to compare versions.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
source "$ROOT/tools/wine-arch.sh"  # the 32-bit build where it runs, else the 64-bit one
BUILD="${BUILD:-$ROOT/build-bench-studio$ZAVO_ARCH_SUFFIX}"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ZAVO_TOOLCHAIN" \
  -DCMAKE_BUILD_TYPE=Release -DZAVO_BENCH=ON -DZAVO_TESTS=OFF >/dev/null
cmake --build "$BUILD" -j4 --target studio_bench >/dev/null
WORK="$BUILD/studio_bench_work"
rm -rf "$WORK"
python3 "$(dirname "$0")/make_project.py" "$WORK" "Z:$(echo "$WORK" | tr / '\\')" "${ELEMENTS:-300}"
"$ROOT/tools/wine-session.sh" wine "$BUILD/bin/studio_bench.exe" "Z:$(echo "$WORK/Big.kel" | tr / '\\')"
