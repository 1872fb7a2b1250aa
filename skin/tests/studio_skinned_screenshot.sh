#!/usr/bin/env bash
# Starts the studio with its skin (inside a wine-session), checks from another
# process that its frame and its About box are drawn in NormalBlue, and keeps
# screenshots of both.
#   studio_skinned_screenshot.sh <Zavomgr.exe> <skinned_window_check.exe> <out prefix>
set -euo pipefail
exe="$1"; check="$2"; out="$3"
[[ -n "${DISPLAY:-}" ]] || { echo "no DISPLAY: run inside tools/wine-session.sh"; exit 1; }
rm -f "$out"_main.png "$out"_about.png
ZAVO_EXIT_AFTER=30000 ZAVO_NO_MSGBOX=1 ZAVO_NO_SKIN= wine "$exe" </dev/null >/dev/null 2>&1 &
pid=$!
close_studio() { wine taskkill /im Zavomgr.exe </dev/null >/dev/null 2>&1 || true; wait "$pid" || true; }
rc=0
wine "$check" "Zavo Studio 2008" </dev/null 2>&1 | tr -d '\r' || rc=$?
import -window root "$out"_main.png
if [[ $rc -eq 0 ]]; then
  wine "$check" "Zavo Studio 2008" about </dev/null 2>&1 | tr -d '\r' || rc=$?
  import -window root "$out"_about.png
fi
close_studio
exit "$rc"
