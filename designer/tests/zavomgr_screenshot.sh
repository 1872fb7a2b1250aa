#!/usr/bin/env bash
# Starts the studio under Wine (inside a wine-session), shoots its window by
# title and checks that the picture holds a drawn window, not a blank one.
set -euo pipefail
exe="$1"; out="$2"
[[ -n "${DISPLAY:-}" ]] || { echo "no DISPLAY: run inside tools/wine-session.sh"; exit 1; }
rm -f "$out"
ZAVO_EXIT_AFTER=4000 ZAVO_NO_MSGBOX=1 wine "$exe" </dev/null >/dev/null 2>&1 &
pid=$!
# xwininfo (x11-utils) tells when the window exists; import would wait for a click
for _ in $(seq 1 40); do
  if xwininfo -name "Zavo Studio 2008" >/dev/null 2>&1; then break; fi
  sleep 0.1
done
sleep 0.5
import -window "Zavo Studio 2008" "$out"
wait "$pid"
colours=$(/usr/bin/convert "$out" -format '%k' info:)
size=$(/usr/bin/convert "$out" -format '%wx%h' info:)
echo "screenshot $size, $colours colours"
[[ "$colours" -gt 8 ]]
