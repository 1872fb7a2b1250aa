#!/usr/bin/env bash
# Links the installer tests' scratch drive letter in the Wine prefix to an
# empty folder of the build tree: scratch_drive.sh SOURCE_DIR FOLDER LETTER
set -euo pipefail
source "$1/tools/wine-env.sh"
wine_prefix_ready
rm -rf "$2"
mkdir -p "$2" "$WINEPREFIX/dosdevices"
ln -sfn "$2" "$WINEPREFIX/dosdevices/$3:"
