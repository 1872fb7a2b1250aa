#!/usr/bin/env bash
# Runs a command (ctest by default) inside one Wine session: Xvfb at 24 bits,
# a prefix of its own, and a wineserver kept alive until the command ends.
set -euo pipefail
[[ -n "${DISPLAY:-}" ]] || exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
source "$(dirname "$0")/wine-env.sh"
wineserver -k 2>/dev/null || true
wine_prefix_ready
wineserver -p </dev/null >/dev/null 2>&1
wine wineboot </dev/null >/dev/null 2>&1
trap 'wineserver -k 2>/dev/null || true' EXIT
[[ $# -gt 0 ]] || set -- ctest
"$@"
