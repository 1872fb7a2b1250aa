#!/usr/bin/env bash
# Builds an image of a 1 GiB source folder (five 200 MiB files and 2000 small
# ones) under Wine twice: through the deploy wizard (Finish to its question)
# and through the builder's console driver, and prints both times and their
# ratio (goal: the wizard within 1.1 times the driver).
# Usage: bench/deploy/run.sh [work folder]
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
source "$ROOT/tools/wine-arch.sh"  # the 32-bit build where it runs, else the 64-bit one
BUILD="${BUILD:-$ROOT/build-win-bench-deploy$ZAVO_ARCH_SUFFIX}"
WORK="${1:-$ROOT/build-win-bench-deploy/work}"
mkdir -p "$WORK"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ZAVO_TOOLCHAIN" \
  -DCMAKE_BUILD_TYPE=Release -DZAVO_BENCH=ON >/dev/null
cmake --build "$BUILD" --target deploy_bench iso_driver zavoldr_bin >/dev/null

python3 - "$WORK" <<'PY'
import os, random, struct, sys, zipfile, zlib
work = sys.argv[1]
src, menus = os.path.join(work, "source"), os.path.join(work, "menus")
if not os.path.exists(os.path.join(src, "done5")):
    rnd = random.Random(7)
    for i in range(5):
        os.makedirs(os.path.join(src, "big"), exist_ok=True)
        with open(os.path.join(src, "big", "part%d.bin" % i), "wb") as f:
            for _ in range(200):
                f.write(rnd.randbytes(1 << 20))
    for d in range(20):
        os.makedirs(os.path.join(src, "small", "d%02d" % d), exist_ok=True)
        for i in range(100):
            with open(os.path.join(src, "small", "d%02d" % d, "f%03d.txt" % i), "wb") as f:
                f.write(rnd.randbytes(rnd.randrange(100, 4096)))
    open(os.path.join(src, "done5"), "w").close()
os.makedirs(menus, exist_ok=True)
def png(w, h):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    rows = b"".join(b"\0" + bytes(w * 3) for _ in range(h))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))
with zipfile.ZipFile(os.path.join(menus, "bench.zip"), "w") as z:
    z.writestr("bench.gz", zlib.compress(b"title bench\n"))
    z.writestr("bench.png", png(64, 48))
PY

source "$ROOT/tools/wine-env.sh"
wine_prefix_ready
win() { winepath -w "$1" 2>/dev/null; }
# the driver gets a boot tree as the wizard makes it
tree="$WORK/tree"
mkdir -p "$tree/kelboot"
cp "$BUILD/bin/zavoldr.bin" "$tree/"
printf '[zavo]\r\nmenu=bench.gz\r\n' > "$tree/kelboot/zavo.ini"

now() { date +%s.%N; }
for round in 1 2; do
  rm -f "$WORK/driver.iso" "$WORK/wizard.iso"
  sync
  # the driver's time is taken from outside, with a server kept running and
  # Wine's start of a console program taken off
  wineserver -p </dev/null >/dev/null 2>&1 || true
  wine wineboot </dev/null >/dev/null 2>&1
  t0=$(now); wine "$BUILD/bin/iso_driver.exe" >/dev/null 2>&1 || true; t1=$(now)
  start=$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.2f", b - a }')
  t0=$(now)
  wine "$BUILD/bin/iso_driver.exe" "$(win "$tree")" "$(win "$WORK/source")" "$(win "$WORK/driver.iso")" >/dev/null
  t1=$(now)
  driver=$(awk -v a="$t0" -v b="$t1" -v s="$start" 'BEGIN { printf "%.2f", b - a - s }')
  wineserver -k 2>/dev/null || true
  sync
  wizard=$("$ROOT/tools/wine-session.sh" wine "$BUILD/bin/deploy_bench.exe" "$(win "$WORK/menus")" "$(win "$WORK/source")" \
    "$(win "$WORK/wizard.iso")" 2>/dev/null | sed -n 's/^wizard: \([0-9.]*\) s.*/\1/p')
  echo "round $round: driver $driver s (Wine start $start s off), wizard $wizard s, ratio $(awk -v a="$driver" -v b="$wizard" 'BEGIN { printf "%.3f", b / a }')"
  echo "  images: driver $(stat -c %s "$WORK/driver.iso") bytes, wizard $(stat -c %s "$WORK/wizard.iso") bytes"
done
