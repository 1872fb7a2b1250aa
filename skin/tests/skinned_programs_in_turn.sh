#!/usr/bin/env bash
# Skinned programs started one after the other under one Wine server (inside a
# wine-session): each one's caption and frame must show the theme, checked from
# another process, and each is shot.
#   skinned_programs_in_turn.sh <skinned_window_check.exe> <out prefix> <exe> <title> [<exe> <title>...]
set -euo pipefail
check="$1"; out="$2"; shift 2
[[ -n "${DISPLAY:-}" ]] || { echo "no DISPLAY: run inside tools/wine-session.sh"; exit 1; }
failures=0 n=0
while [[ $# -ge 2 ]]; do
  exe="$1"; title="$2"; shift 2; n=$((n + 1))
  name="$(basename "$exe")"
  ZAVO_EXIT_AFTER=30000 ZAVO_NO_MSGBOX=1 wine "$exe" </dev/null >/dev/null 2>&1 &
  pid=$!
  rc=0
  result=$(wine "$check" "$title" </dev/null 2>&1 | tr -d '\r') || rc=$?
  echo "run $n, $name: $result"
  import -window root "$out-$n.png"
  [[ $rc -eq 0 ]] || { echo "run $n, $name: not skinned"; failures=$((failures + 1)); }
  wine taskkill /im "$name" </dev/null >/dev/null 2>&1 || true
  wait "$pid" || true
done
[[ $failures -eq 0 ]] || { echo "$failures of $n runs not skinned"; exit 1; }
echo "ok: $n runs skinned"
