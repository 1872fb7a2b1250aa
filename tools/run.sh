#!/usr/bin/env bash
# Installs everything, builds the programs and starts the studio under Wine as
# a user of the zip runs it: from the installed program folder, in a Wine
# prefix of its own that no test touches, on the sample project (or on the
# files given as arguments, in Windows form).
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"; cd "$ROOT"
tools/setup.sh
# The 32-bit program folder where this machine runs 32-bit programs, else the 64-bit one.
source tools/wine-arch.sh
zavo_build_windows "$ZAVO_WINE_ARCH"
folder=$(ls -d "$ZAVO_WIN_BUILD"/dist/Zavo-*/ | head -n 1)
source tools/wine-env.sh
export WINEPREFIX="$(wine_prefix_for "$ROOT/.wine-user")"
wine_prefix_ready
echo "run: the $ZAVO_WINE_ARCH-bit studio (since $ZAVO_WIN_WHY) from $ROOT/${folder%/}, Wine prefix $WINEPREFIX"
# The Chinese interface texts of the language file are GBK.
export LC_ALL=zh_CN.UTF-8
cd "$folder"
exe="$PWD/Zavomgr.exe"
if [[ $# -eq 0 ]]; then
  set -- "$(winepath -w "$PWD/Zavo Projects/Sample/Sample.kel" 2>/dev/null)"
fi
if [[ -n "${DISPLAY:-}" ]]; then
  exec wine "$exe" "$@"
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24" wine "$exe" "$@"
