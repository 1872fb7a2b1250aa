#!/usr/bin/env bash
# Installs everything, builds the Windows programs and starts the studio under
# Wine on the sample project.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"; cd "$ROOT"
tools/setup.sh
cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-win -j"$(nproc)"
source tools/wine-env.sh
wine_prefix_ready
if [[ -f build-win/bin/Zavomgr.exe ]]; then
  exec wine build-win/bin/Zavomgr.exe "$ROOT/samples/demo.kel"
fi
# Until the studio is built, the main job is the test programs.
exec tools/wine-session.sh ctest --test-dir build-win -j"$(nproc)" --output-on-failure
