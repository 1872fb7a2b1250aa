#!/usr/bin/env bash
# Starts Pelsys under Wine (inside a wine-session) with a gzip menu image on
# its command line: the window takes the image's path as its title, shows
# something (a screenshot with more than a few colours), the image goes into
# the recent files under "Zavo System" and ".zmn" is registered.
set -euo pipefail
exe="$1"; out="$2"
[[ -n "${DISPLAY:-}" ]] || { echo "no DISPLAY: run inside tools/wine-session.sh"; exit 1; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# a small romfs image: volume "Startup", one file "hello.txt"
python3 "$(dirname "$0")/../../../tools/small_romfs.py" "$work/menu.zmn"
gzip -9 -c "$work/menu.zmn" > "$work/menu.gz"
image="$(winepath -w "$work/menu.gz")"
ZAVO_NO_SKIN=1 ZAVO_NO_MSGBOX=1 ZAVO_EXIT_AFTER=30000 wine "$exe" "$image" </dev/null >/dev/null 2>&1 &
pid=$!
close_pelsys() { wine taskkill /im Pelsys.exe </dev/null >/dev/null 2>&1 || true; wait "$pid" || true; }
win=""
for _ in $(seq 1 100); do
  win=$(xwininfo -root -tree 2>/dev/null | grep -F "menu.gz\":" | awk '{print $1; exit}' || true)
  [[ -n "$win" ]] && break
  sleep 0.1
done
[[ -n "$win" ]] || { echo "no window titled with the image"; close_pelsys; exit 1; }
# under load the first paint can come seconds after the window
colours=0
for _ in $(seq 1 20); do
  sleep 0.5
  import -window "$win" "$out" 2>/dev/null || continue
  colours=$(/usr/bin/convert "$out" -format '%k' info:)
  [[ "$colours" -gt 16 ]] && break
done
close_pelsys
echo "screenshot $(/usr/bin/convert "$out" -format '%wx%h' info:), $colours colours"
[[ "$colours" -gt 16 ]] || { echo "blank window"; exit 1; }
recent=$(wine reg query 'HKCU\Software\Zavo System\Pelsys\Recent File List' </dev/null 2>/dev/null | tr -d '\r')
echo "$recent" | grep -qiF "$image" || { echo "image not in the recent files: $recent"; exit 1; }
type=$(wine reg query 'HKCU\Software\Classes\.zmn' </dev/null 2>/dev/null | tr -d '\r')
echo "$type" | grep -qF "Pelsys.Document" || { echo ".zmn not registered: $type"; exit 1; }
echo "ok"
