#!/usr/bin/env bash
# Lists 100 menu packages of 5 MiB each (a stored 5 MiB menu image and a
# 320 x 240 preview) with the deploy wizard's package list under Wine, and
# prints when the items and when all thumbnails were there.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
source "$ROOT/tools/wine-arch.sh"  # the 32-bit build where it runs, else the 64-bit one
BUILD="${BUILD:-$ROOT/build-win-bench-packlist$ZAVO_ARCH_SUFFIX}"
export WINEPREFIX="${WINEPREFIX:-$ROOT/.wine-bench-packlist$ZAVO_ARCH_SUFFIX}"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ZAVO_TOOLCHAIN" \
  -DCMAKE_BUILD_TYPE=Release -DZAVO_BENCH=ON -DZAVO_TESTS=OFF >/dev/null
cmake --build "$BUILD" --target packlist_bench >/dev/null

python3 - "$WORK/menus" <<'PY'
import os, struct, sys, zipfile, zlib
out = sys.argv[1]; os.makedirs(out)
def png(w, h, seed):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    rows = b"".join(b"\0" + bytes(v for x in range(w) for v in ((x + seed) & 255, (y * 2) & 255, seed & 255))
                    for y in range(h))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))
for i in range(100):
    title = "menu%03d" % i
    with zipfile.ZipFile(os.path.join(out, title + ".zip"), "w") as z:
        z.writestr(zipfile.ZipInfo(title + ".gz"), os.urandom(5 << 20))
        z.writestr(zipfile.ZipInfo(title + ".png"), png(320, 240, i))
        z.writestr(zipfile.ZipInfo(title + ".txt"), b"benchmark menu %d" % i)
PY
echo "100 packages, $(du -sm "$WORK/menus" | cut -f1) MiB"
"$ROOT/tools/wine-session.sh" wine "$BUILD/bin/packlist_bench.exe" "Z:$(echo "$WORK/menus" | tr / '\\')" 3
