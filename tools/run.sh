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
# The Chinese interface texts of the language file are GBK.
export LC_ALL=zh_CN.UTF-8
cd build-win/bin
if [[ -n "${DISPLAY:-}" ]]; then
  exec wine Zavomgr.exe "$@"
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24" wine Zavomgr.exe "$@"
