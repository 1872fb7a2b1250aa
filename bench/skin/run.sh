#!/usr/bin/env bash
# Skin timings under Wine:
# - ThemeStart (goal: under 50 ms) and messages to a window of the program's
#   own class, unskinned and skinned (goal: within 1.3 times; the best of
#   RUNS runs, 3 by default, each the best of 15 rounds);
# - a window with one control of each skinned class, opened and painted 50
#   times, unskinned and skinned with NormalBlue (goal: within 1.5 times).
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
source "$ROOT/tools/wine-arch.sh"  # the 32-bit build where it runs, else the 64-bit one
BUILD="${BUILD:-$ROOT/build-bench-skin$ZAVO_ARCH_SUFFIX}"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ZAVO_TOOLCHAIN" \
  -DCMAKE_BUILD_TYPE=Release -DZAVO_BENCH=ON -DZAVO_TESTS=OFF >/dev/null
cmake --build "$BUILD" --target skin_bench skin_controls_bench ozSkin ThemeUI >/dev/null
uptime
for ((run = 1; run <= ${RUNS:-3}; ++run)); do
  "$ROOT/tools/wine-session.sh" wine "$BUILD/bin/skin_bench.exe" || true
done
"$ROOT/tools/wine-session.sh" wine "$BUILD/bin/skin_controls_bench.exe"
"$ROOT/tools/wine-session.sh" wine "$BUILD/bin/skin_controls_bench.exe" skin
