#!/usr/bin/env bash
# Runs a program twice under Wine (inside a wine-session): skinned, as it starts
# with ozSkin.dll and ThemeUI.dll beside it, and unskinned (ZAVO_NO_SKIN=1).
# Each run opens the first menu by keyboard and is shot; the skinned shots must
# show NormalBlue's button face, the unskinned ones none of it, and the program
# must still be running when it is closed.
#   skinned_runs.sh <exe> <title> <out prefix> [--romfs] [--studio <skinned_window_check.exe>]
# --romfs: the browser opens an image of one file; its root folder is then
# chosen and shot with its list (<out>-<mode>-list.png).
# --studio: the studio is also driven through every menu, the project
# properties, the file open dialog and the deploy wizard's pages; each of them
# is shot (<out>-<mode>-<what>.png) and must show NormalBlue's colours when
# skinned and none of them unskinned.
set -euo pipefail
exe="$1"; title="$2"; out="$3"; shift 3
[[ -n "${DISPLAY:-}" ]] || { echo "no DISPLAY: run inside tools/wine-session.sh"; exit 1; }
name="$(basename "$exe")"
face="#E4ECF8"   # NormalBlue's BtnFace (228 236 248)
# NormalBlue's colours: button face, menu, window frame, highlight, tab body,
# button shadow, edit border
palette="E4ECF8 F0F4FA 143278 326ED2 F4F8FE 8CA0C8 6482BE"
check=""
romfs=no
args=()
while [[ $# -gt 0 ]]; do
  case "$1" in
    --romfs) romfs=yes ;;
    --studio) check="$2"; shift ;;
    *) args+=("$1") ;;
  esac
  shift
done
failures=0

stop() { wine taskkill /im "$name" </dev/null >/dev/null 2>&1 || true; }
trap stop EXIT

count_face() {
  /usr/bin/convert "$1" -alpha off -fill black +opaque "$face" -fill white -opaque "$face" \
    -format "%[fx:int(mean*w*h+0.5)]" info:
}

# Pixels of the palette in a picture.
count_palette() {
  /usr/bin/convert "$1" -alpha off -format %c histogram:info:- |
    awk -v p="$palette" 'BEGIN { n = split(p, c, " "); for (i = 1; i <= n; ++i) want["#" c[i]] = 1 }
      { for (i = 1; i <= NF; ++i) if ($i in want) { sub(":", "", $1); sum += $1 } } END { print sum + 0 }'
}

# Shoots the screen's rectangle "x y w h" into a file and checks its colours.
shoot() {
  local mode="$1" what="$2" rect="$3" file="$out-$1-$2.png" x y w h n
  read -r x y w h <<<"$rect"
  if [[ -z "${h:-}" || ! "$w$h" =~ ^[0-9]+$ ]]; then
    echo "$mode: no window for $what ($rect)"; failures=$((failures + 1)); return
  fi
  # a dialog may still be painting (or loading its pictures): shoot until it holds still
  local last="" sum try
  for try in 1 2 3 4 5 6 7 8; do
    sleep 0.2
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$file"
    sum=$(/usr/bin/convert "$file" rgb:- | md5sum)
    [[ "$sum" != "$last" ]] || break
    last="$sum"
  done
  n=$(count_palette "$file")
  echo "$mode: $what $w x $h, $n pixels of NormalBlue's colours"
  if [[ "$mode" == skinned && "$n" -lt 200 ]] || [[ "$mode" == unskinned && "$n" -ne 0 ]]; then
    echo "$mode: $what FAILED"; failures=$((failures + 1))
  fi
}

drive() { wine "$check" "$title" "$@" </dev/null 2>/dev/null | tr -d '\r' || true; }

# Every menu of the bar, each dialog's first look, the wizard page by page.
drive_studio() {
  local mode="$1" win="$2" rect i
  xdotool windowactivate "$win" >/dev/null 2>&1 || true
  xdotool key --window "$win" alt+f >/dev/null 2>&1 || true
  for i in 1 2 3 4 5 6 7; do
    [[ $i -eq 1 ]] || xdotool key Right >/dev/null 2>&1 || true
    shoot "$mode" "menu$i" "$(drive menu)"
  done
  xdotool key Escape >/dev/null 2>&1 || true
  xdotool key Escape >/dev/null 2>&1 || true
  sleep 0.3
  local dialog command
  for dialog in properties:32774 open:0xE101; do
    command="${dialog#*:}"
    shoot "$mode" "${dialog%%:*}" "$(drive post "$command")"
    rect=$(drive press 2)
    [[ "$rect" == closed ]] || { echo "$mode: ${dialog%%:*} stays after Cancel: $rect"; failures=$((failures + 1)); }
  done
  # the wizard's first page goes on once a default menu package is chosen by a
  # double click in its list (the packages the sample-project runs made)
  rect=$(drive post 32823)
  for i in 1 2 3 4; do
    shoot "$mode" "wizard$i" "$rect"
    [[ $i -gt 1 ]] || drive dblclick 1003 >/dev/null
    rect=$(drive press 0x3024)   # Next
    [[ "$rect" == "button 12324 is disabled" || "$rect" == "no button"* ]] && break
  done
  [[ $i -gt 1 ]] || { echo "$mode: the wizard does not go past its first page"; failures=$((failures + 1)); }
  rect=$(drive press 2)
  [[ "$rect" == closed ]] || { echo "$mode: the wizard stays after Cancel: $rect"; failures=$((failures + 1)); }
}

run() {
  local mode="$1" shot="$out-$1.png" menu="$out-$1-menu.png" log="$out-$1.log"
  shift
  rm -f "$out-$mode"*.png "$log"
  if [[ "$mode" == skinned ]]; then
    ZAVO_EXIT_AFTER=60000 ZAVO_NO_MSGBOX=1 wine "$exe" "$@" </dev/null >"$log" 2>&1 &
  else
    ZAVO_NO_SKIN=1 ZAVO_EXIT_AFTER=60000 ZAVO_NO_MSGBOX=1 wine "$exe" "$@" </dev/null >"$log" 2>&1 &
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
  [[ -z "$check" ]] || drive_studio "$mode" "$win"
  if [[ "$romfs" == yes ]]; then
    # the image's root folder chosen in the tree: the list shows its file
    xdotool windowactivate "$win" >/dev/null 2>&1 || true
    xdotool key Escape Home >/dev/null 2>&1 || true
    sleep 1
    import -window "$win" "$out-$mode-list.png"
  fi
  local alive=yes
  kill -0 "$pid" 2>/dev/null || alive=no
  wine taskkill /f /im "$name" </dev/null >/dev/null 2>&1 || true
  wait "$pid" || true
  [[ "$alive" == yes ]] || { echo "$mode: the program ended by itself"; exit 1; }
  if grep -q "Unhandled exception: " "$log"; then
    echo "$mode: the program crashed"; grep -m 3 "Unhandled exception: " "$log"; exit 1
  fi
  local n; n=$(count_face "$shot")
  echo "$mode: $n pixels of NormalBlue's face in $shot"
  eval "face_$mode=$n"
}

if [[ "$romfs" == yes ]]; then
  # a gzip romfs image of one file, for the browser to open
  work="$(mktemp -d)"
  python3 "$(dirname "$0")/../../tools/small_romfs.py" "$work/menu.zmn"
  gzip -9 -c "$work/menu.zmn" > "$work/menu.gz"
  args=("$(winepath -w "$work/menu.gz")")
fi
run unskinned "${args[@]+"${args[@]}"}"
run skinned "${args[@]+"${args[@]}"}"
[[ "$face_skinned" -gt 500 ]] || { echo "the skinned window shows too little of the theme"; exit 1; }
[[ "$face_unskinned" -eq 0 ]] || { echo "the unskinned window shows the theme's colours"; exit 1; }
[[ $failures -eq 0 ]] || { echo "$failures failures"; exit 1; }
echo "ok"
