#!/usr/bin/env bash
# Runs a Windows program in a prefix of its own in which drive LETTER is a
# link to a temp folder. Wine reads the drive letters when its server starts,
# so the link is made first and the prefix gets its own server.
# Usage: with_spare_drive.sh PREFIX LETTER PROGRAM [ARGS...]
set -euo pipefail
export WINEPREFIX="$1"
export ZAVO_SPARE_DRIVE="$2"
shift 2
letter=$(echo "$ZAVO_SPARE_DRIVE" | tr 'A-Z' 'a-z')
source "$(dirname "$0")/../../tools/wine-env.sh"
wine_prefix_ready
target="$WINEPREFIX/spare-drive"
rm -rf "$target"
mkdir -p "$target"
ln -sfn "$target" "$WINEPREFIX/dosdevices/$letter:"
wineserver -k 2>/dev/null || true
wineserver -p </dev/null >/dev/null 2>&1
wine wineboot </dev/null >/dev/null 2>&1
trap 'wineserver -k 2>/dev/null || true' EXIT
wine "$@"
