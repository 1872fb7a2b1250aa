#!/usr/bin/env bash
# Installs everything, builds the Windows and the native trees, and runs every
# test: native (AddressSanitizer, UBSan), under Wine, and each fuzzer briefly.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"; cd "$ROOT"
JOBS=$(nproc)
FUZZ_SECONDS="${FUZZ_SECONDS:-15}"
t0=$SECONDS
step() { echo; echo "== $* ($((SECONDS - t0)) s)"; }

step setup
tools/setup.sh

step "format"
tools/format-check.sh

step "build: windows"
cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-win -j"$JOBS"
step "build: native (sanitizers)"
cmake -S . -B build-native -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZAVO_SANITIZE=ON >/dev/null
cmake --build build-native -j"$JOBS"
step "build: fuzzers"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZAVO_FUZZ=ON >/dev/null
cmake --build build-fuzz -j"$JOBS"

step "tests: native"
# the native readers also check an image that the Windows build made under Wine
export ZAVO_ISO_WINE_DRIVER="$ROOT/build-win/bin/iso_driver.exe"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-native -j"$JOBS" --output-on-failure --timeout 300

step "tests: wine"
tools/wine-session.sh ctest --test-dir build-win -j"$JOBS" --output-on-failure --timeout 180

step "the studio run.sh starts keeps a profile of its own"
WINEPREFIX="$ROOT/.wine-user" tools/wine-session.sh tools/user_profile_check.sh

step "fuzz: ${FUZZ_SECONDS} s each"
fail=0; ran=0
while read -r f; do
  [[ -n "$f" ]] || continue
  corpus="build-fuzz/corpus/$f"; mkdir -p "$corpus"
  seeds=$(find . -path ./build-\* -prune -o -type d -name "${f}_seeds" -print | head -n 1)
  if build-fuzz/bin/"$f" -max_total_time="$FUZZ_SECONDS" -rss_limit_mb=2048 -print_final_stats=0 \
       "$corpus" ${seeds:+"$seeds"} >"build-fuzz/$f.log" 2>&1; then
    echo "fuzz $f: clean"; ran=$((ran + 1))
  else
    echo "fuzz $f: FAILED"; tail -n 40 "build-fuzz/$f.log"; fail=1
  fi
done < build-fuzz/fuzzers.txt
echo "fuzz: $ran targets clean"
step "done"
exit $fail
