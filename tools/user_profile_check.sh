#!/usr/bin/env bash
# Run inside tools/wine-session.sh with run.sh's prefix, after the test suite:
# the studio that run.sh starts opens the sample from the program folder, and
# its recent-file list names only what was opened in that prefix, never a
# file of the tests.
set -euo pipefail
# Usage: user_profile_check.sh [BUILD_DIR] (build-win by default)
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
folder=$(ls -d "$ROOT/${1:-build-win}"/dist/Zavo-*/ | head -n 1)
sample="$(winepath -w "${folder}Zavo Projects/Sample/Sample.kel" 2>/dev/null)"
cd "$folder"
ZAVO_EXIT_AFTER=4000 ZAVO_NO_MSGBOX=1 ZAVO_NO_SKIN=1 wine ./Zavomgr.exe "$sample" </dev/null >/dev/null 2>&1 || true
list=$(wine reg query 'HKCU\Software\Kantel Ruziz' /s </dev/null 2>/dev/null | grep -iE '^\s+File[0-9]+' || true)
echo "recent files of run.sh's profile:"; echo "${list:-  (none)}"
others=$(echo "$list" | grep -viF 'Sample.kel' | grep -v '^\s*$' || true)
if [[ -n "$others" ]]; then
  echo "files that run.sh's studio never opened:"; echo "$others"
  echo "0 passed, 1 failed"; exit 1
fi
echo "1 passed, 0 failed"
