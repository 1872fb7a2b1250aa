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
# The first process that opens the desktop starts explorer.exe, which inherits
# that process's stdout and lives until no process has used the desktop for a
# second: ctest would wait that long (or time out) for a finished test. Start
# the desktop here without our output, and keep one idle process on it for the
# whole session (cmd.exe reading a pipe that never ends).
keep=$(mktemp -u); mkfifo "$keep"; exec 9<>"$keep"; rm -f "$keep"
wine cmd.exe <&9 >/dev/null 2>&1 &
wine explorer.exe /desktop </dev/null >/dev/null 2>&1 &
[[ $# -gt 0 ]] || set -- ctest
"$@"
