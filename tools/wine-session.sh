#!/usr/bin/env bash
# Runs a command (ctest by default) inside one Wine session: Xvfb at 24 bits,
# a prefix of its own, and a wineserver kept alive until the command ends.
set -euo pipefail
if [[ -z "${DISPLAY:-}" ]]; then
  # xvfb-run -a can lose a race for a display number to another session; then
  # our command never ran (no mark) and the start is tried again.
  for try in 1 2 3 4 5; do
    mark=$(mktemp -u)
    rc=0
    ZAVO_SESSION_MARK="$mark" xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@" || rc=$?
    if [[ -e "$mark" ]]; then rm -f "$mark"; exit $rc; fi
    echo "wine-session: no X server (try $try)" >&2; sleep $try
  done
  exit $rc
fi
[[ -z "${ZAVO_SESSION_MARK:-}" ]] || touch "$ZAVO_SESSION_MARK"
source "$(dirname "$0")/wine-env.sh"
wineserver -k 2>/dev/null || true
wine_prefix_ready
# a server that was just told to end may still hold the prefix for a moment
for try in 1 2 3 4 5 6 7 8 9 10; do
  wineserver -p </dev/null >/dev/null 2>&1 && break
  [[ $try -lt 10 ]] || { echo "wine-session: wineserver does not start" >&2; exit 1; }
  sleep 0.5
done
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
# Wait until the desktop is up: a test started before it would start another
# explorer.exe on our output (first ctest runs list every test program that way).
# rundll32 makes a window, so it returns once the desktop exists.
wine rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1 || true
[[ $# -gt 0 ]] || set -- ctest
"$@"
