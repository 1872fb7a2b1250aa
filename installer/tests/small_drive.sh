#!/usr/bin/env bash
# Links a second scratch drive letter in the Wine prefix to a 1 MiB tmpfs in
# the build tree, a drive that tests can fill: small_drive.sh SOURCE_DIR
# FOLDER LETTER [--remove]. Where nothing can be mounted the letter names a
# plain folder, and the tests that need a full drive skip.
set -euo pipefail
source "$1/tools/wine-env.sh"
if mountpoint -q "$2"; then
  umount "$2"
fi
rm -rf "$2"
if [[ "${4:-}" == --remove ]]; then
  rm -f "$WINEPREFIX/dosdevices/$3:"
  exit 0
fi
wine_prefix_ready
mkdir -p "$2" "$WINEPREFIX/dosdevices"
mount -t tmpfs -o size=1m,mode=0777 tessu-small "$2" 2>/dev/null || true
ln -sfn "$2" "$WINEPREFIX/dosdevices/$3:"
