#!/usr/bin/env bash
# The studio as a user of the zip runs it: from the installed program folder,
# in a Wine prefix no test has touched. sample_project_test drives it through
# the sample's menu package; genmenu_check.py reads the package it wrote into
# the folder's "Kel Menus".
# Usage: installed_main_road.sh BUILD_DIR PROGRAM_FOLDER PACKAGE_CHECK_SCRIPT
set -euo pipefail
build="$(cd "$1" && pwd)"; folder="$(cd "$2" && pwd)"; check="$3"
root="$(cd "$(dirname "$0")/.." && pwd)"
[[ -n "${DISPLAY:-}" ]] || { echo "no DISPLAY: run inside tools/wine-session.sh"; exit 1; }
prefix="$build/installed-prefix"
rm -rf "$prefix" "$prefix.lock"
out="$build/installed_main_road"
rm -rf "$out"; mkdir -p "$out"
rm -f "$folder/Kel Menus/SampleTest.zip"
winpath() { local p="Z:$1"; echo "${p//\//\\}"; }
WINEPREFIX="$prefix" ZAVO_STUDIO_DIR="$(winpath "$folder")" ZAVO_SAMPLE_OUT="$(winpath "$out")" \
  "$root/tools/wine-session.sh" "$root/tools/wine-run.sh" "$build/bin/sample_project_test.exe" \
  --gtest_filter=SampleStudio.MakesTheMenuPackageAndSavesTheProjectUnchanged
rc=0
python3 "$check" "$folder/Kel Menus/SampleTest.zip" \
  --name SampleTest --description "The sample project's boot menu" \
  --project "$(winpath "$out")\\Sample.kel" \
  --items 3 --common default=1,timeout=10,quickgo=0,centercursor=1 --progress 200,550 \
  --wallpaper "$out/wallpaper.png" --wallpaper-area 800x140+0+400 || rc=$?
rm -f "$folder/Kel Menus/SampleTest.zip"
WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
rm -rf "$prefix" "$prefix.lock"
exit $rc
