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

# Both Windows trees are built; the suite runs with the one this machine runs.
source tools/wine-arch.sh
step "build: windows, 32-bit (the build that ships)"
zavo_build_windows 32
step "build: windows, 64-bit"
zavo_build_windows 64
step "build: native (sanitizers)"
cmake -S . -B build-native -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZAVO_SANITIZE=ON >/dev/null
cmake --build build-native -j"$JOBS"
step "build: fuzzers"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZAVO_FUZZ=ON >/dev/null
cmake --build build-fuzz -j"$JOBS"

step "tests: native"
# the native readers also check an image that the Windows build made under Wine
export ZAVO_ISO_WINE_DRIVER="$ROOT/$ZAVO_WIN_BUILD/bin/iso_driver.exe"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-native -j"$JOBS" --output-on-failure --timeout 300

step "tests: wine"
echo "windows suite: the $ZAVO_WINE_ARCH-bit build ($ZAVO_WIN_BUILD) under Wine, since $ZAVO_WIN_WHY"
if ! tools/wine-session.sh ctest --test-dir "$ZAVO_WIN_BUILD" -j"$JOBS" --output-on-failure --timeout 180 --no-tests=error; then
  # A window test that failed beside others gets one more run alone, and is
  # named either way: a real fault fails again.
  failed=$(sed 's/^/  /' "$ZAVO_WIN_BUILD/Testing/Temporary/LastTestsFailed.log" 2>/dev/null || true)
  echo "windows suite: running the failed tests again, one at a time"
  tools/wine-session.sh ctest --test-dir "$ZAVO_WIN_BUILD" --rerun-failed --output-on-failure --timeout 180
  echo "windows suite: failed beside other tests but passed alone (look at these):"
  echo "$failed"
fi
echo "windows suite: the $ZAVO_WINE_ARCH-bit build passed"

step "the studio run.sh starts keeps a profile of its own"
WINEPREFIX="$(source tools/wine-env.sh && wine_prefix_for "$ROOT/.wine-user")" \
  tools/wine-session.sh tools/user_profile_check.sh "$ZAVO_WIN_BUILD"

step "fuzz: ${FUZZ_SECONDS} s each, $JOBS at once"
echo "load before the fuzz run: $(uptime)"
fuzz_one() {
  local f="$1" corpus seeds rate runs
  corpus="build-fuzz/corpus/$f"; mkdir -p "$corpus"
  seeds=$(find . -path ./build-\* -prune -o -type d -name "${f}_seeds" -print | head -n 1)
  if build-fuzz/bin/"$f" -max_total_time="$FUZZ_SECONDS" -rss_limit_mb=2048 -print_final_stats=1 \
       "$corpus" ${seeds:+"$seeds"} >"build-fuzz/$f.log" 2>&1; then
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "build-fuzz/$f.log")
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "build-fuzz/$f.log")
    echo "fuzz $f: clean, ${rate:-?} inputs/s (${runs:-?} inputs)"
  else
    echo "fuzz $f: FAILED"; tail -n 40 "build-fuzz/$f.log"; return 1
  fi
}
export -f fuzz_one; export FUZZ_SECONDS
fail=0
grep -v '^$' build-fuzz/fuzzers.txt | xargs -P "$JOBS" -I{} bash -c 'fuzz_one "$1"' _ {} >build-fuzz/fuzz.out || fail=1
cat build-fuzz/fuzz.out
echo "fuzz: $(grep -c ': clean,' build-fuzz/fuzz.out) targets clean, $(grep -c ': FAILED$' build-fuzz/fuzz.out) failed"
echo "load after the fuzz run: $(uptime)"
step "done"
exit $fail
