#!/usr/bin/env bash
# Installs everything, builds the Windows programs and starts the studio under
# Wine on the sample project (or on the files given as arguments).
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"; cd "$ROOT"
tools/setup.sh
cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-win -j"$(nproc)"
source tools/wine-env.sh
wine_prefix_ready
# The Chinese interface texts of the language file are GBK.
export LC_ALL=zh_CN.UTF-8
cd build-win/bin
exe="$PWD/Zavomgr.exe"
if [[ $# -eq 0 ]]; then
  # The build put the sample in the program folder. Its pictures are named
  # relative to the project, so the studio starts in the project's folder.
  cd "Zavo Projects/Sample"
  set -- "$(winepath -w "$PWD/Sample.kel" 2>/dev/null)"
fi
if [[ -n "${DISPLAY:-}" ]]; then
  exec wine "$exe" "$@"
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24" wine "$exe" "$@"
