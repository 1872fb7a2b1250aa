#!/usr/bin/env bash
# Runs a program twice under Wine (inside a wine-session): skinned, as it starts
# with ozSkin.dll and ThemeUI.dll beside it, and unskinned (ZAVO_NO_SKIN=1).
# Each run opens the first menu by keyboard and is shot; the skinned shots must
# show NormalBlue's button face, the unskinned ones none of it, and the program
# must still be running when it is closed.
set -euo pipefail
exe="$1"; title="$2"; out="$3"; shift 3
[[ -n "${DISPLAY:-}" ]] || { echo "no DISPLAY: run inside tools/wine-session.sh"; exit 1; }
name="$(basename "$exe")"
face="#E4ECF8"   # NormalBlue's BtnFace (228 236 248)

stop() { wine taskkill /im "$name" </dev/null >/dev/null 2>&1 || true; }
trap stop EXIT

count_face() {
  /usr/bin/convert "$1" -alpha off -fill black +opaque "$face" -fill white -opaque "$face" \
    -format "%[fx:int(mean*w*h+0.5)]" info:
}

run() {
  local mode="$1" shot="$out-$1.png" menu="$out-$1-menu.png"
  shift
  rm -f "$shot" "$menu"
  if [[ "$mode" == skinned ]]; then
    ZAVO_EXIT_AFTER=30000 ZAVO_NO_MSGBOX=1 wine "$exe" "$@" </dev/null >/dev/null 2>&1 &
  else
    ZAVO_NO_SKIN=1 ZAVO_EXIT_AFTER=30000 ZAVO_NO_MSGBOX=1 wine "$exe" "$@" </dev/null >/dev/null 2>&1 &
  fi
  local pid=$! win=""
  for _ in $(seq 1 100); do
    win=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -n 1 || true)
    [[ -n "$win" ]] && break
    sleep 0.1
  done
  [[ -n "$win" ]] || { echo "$mode: no window"; wine taskkill /im "$name" </dev/null >/dev/null 2>&1 || true; exit 1; }
  sleep 1.5
  import -window "$win" "$shot"
  xdotool windowactivate "$win" >/dev/null 2>&1 || true
  xdotool key --window "$win" alt+f >/dev/null 2>&1 || true
  sleep 1
  import -window root "$menu"
  xdotool key Escape >/dev/null 2>&1 || true
  sleep 0.3
  local alive=yes
  kill -0 "$pid" 2>/dev/null || alive=no
  wine taskkill /f /im "$name" </dev/null >/dev/null 2>&1 || true
  wait "$pid" || true
  [[ "$alive" == yes ]] || { echo "$mode: the program ended by itself"; exit 1; }
  local n; n=$(count_face "$shot")
  echo "$mode: $n pixels of NormalBlue's face in $shot"
  eval "face_$mode=$n"
}

args=("$@")
if [[ "${args[0]:-}" == "--romfs" ]]; then
  # a gzip romfs image of one file, for the browser to open
  work="$(mktemp -d)"
  python3 - "$work/menu.zmn" <<'PY'
import struct, sys
def pad(b): return b + b"\0" * (-len(b) % 16)
def name(s): return pad(s.encode() + b"\0")
data = b"hello from the image\n"
head = b"-rom1fs-" + struct.pack(">II", 0, 0) + name("Startup")
first = len(head)
dot = struct.pack(">IIII", (first + 32) | 9, first, 0, 0) + name(".")
dotdot = struct.pack(">IIII", (first + 64) | 9, first, 0, 0) + name("..")
f = struct.pack(">IIII", 2, 0, len(data), 0) + name("hello.txt") + pad(data)
img = head + dot + dotdot + f
img = img[:8] + struct.pack(">I", len(img)) + img[12:]
open(sys.argv[1], "wb").write(img)
PY
  gzip -9 -c "$work/menu.zmn" > "$work/menu.gz"
  args=("$(winepath -w "$work/menu.gz")")
fi
run unskinned "${args[@]}"
run skinned "${args[@]}"
[[ "$face_skinned" -gt 500 ]] || { echo "the skinned window shows too little of the theme"; exit 1; }
[[ "$face_unskinned" -eq 0 ]] || { echo "the unskinned window shows the theme's colours"; exit 1; }
echo "ok"
