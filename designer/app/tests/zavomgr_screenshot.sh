#!/usr/bin/env bash
# Starts the studio under Wine (inside a wine-session), shoots its window and
# checks that the window shows its menu bar texts (from the language file) and
# its title: screenshot_match, built beside the program, renders them with the
# system's menu and caption fonts and finds them in the picture.
set -euo pipefail
exe="$1"; out="$2"
title="${3:-Zavo Studio 2008}"
[[ -n "${DISPLAY:-}" ]] || { echo "no DISPLAY: run inside tools/wine-session.sh"; exit 1; }
bindir="$(dirname "$exe")"
match="$bindir/screenshot_match.exe"
lng="$bindir/language/zavomgr.lng"
[[ -f "$match" ]] || { echo "missing $match"; exit 1; }
rm -f "$out" "${out%.png}.bmp"
# closed below once shot; the studio's timer only ends a run this script lost
ZAVO_EXIT_AFTER=30000 ZAVO_NO_MSGBOX=1 ZAVO_NO_SKIN=1 wine "$exe" </dev/null >/dev/null 2>&1 &
pid=$!
close_studio() { wine taskkill /im Zavomgr.exe </dev/null >/dev/null 2>&1 || true; wait "$pid" || true; }
# xwininfo (x11-utils) tells when the window exists; import would wait for a click
win=""
for _ in $(seq 1 50); do
  win=$(xwininfo -root -tree 2>/dev/null | grep -F "Zavo Studio 2008\":" | awk '{print $1; exit}' || true)
  [[ -n "$win" ]] && break
  sleep 0.1
done
[[ -n "$win" ]] || { echo "no studio window"; close_studio; exit 1; }
# the window may not be painted yet: shoot again until the texts are found
rc=1
for try in 1 2 3 4 5 6; do
  sleep 0.5
  import -window "$win" "$out"
  size=$(/usr/bin/convert "$out" -format '%wx%h' info:)
  /usr/bin/convert "$out" BMP3:"${out%.png}.bmp"
  result=$(wine "$match" "$(winepath -w "${out%.png}.bmp")" "$(winepath -w "$exe")" "$(winepath -w "$lng")" \
    "$title" </dev/null 2>&1 | tr -d '\r') && rc=0 || rc=$?
  [[ $rc -eq 0 ]] && break
done
close_studio
echo "screenshot $size (shot $try)"
echo "$result"
exit "$rc"
