#!/usr/bin/env bash
# Builds the Windows-side dependencies from Debian's packages into one prefix
# per target: build-deps.sh [i686|x86_64] (i686 by default) fills .deps/HOST.
# Skipped when this script and the toolchain file are unchanged since the last build.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
ARCH="${1:-i686}"
case "$ARCH" in i686|x86_64) ;; *) echo "build-deps: target is i686 or x86_64, not '$ARCH'" >&2; exit 1 ;; esac
HOST=$ARCH-w64-mingw32; PREFIX="$ROOT/.deps/$HOST"; WORK="$ROOT/.deps/work-$ARCH"
TC="$ROOT/cmake/mingw-$ARCH.cmake"; CC=$HOST-gcc-posix; AR=$HOST-ar
SYSZ=/usr/$HOST/lib/libz.a; JOBS=$(nproc); STAMP="$PREFIX/.stamp"
SIG="$(cat "$0" "$TC" "$ROOT/cmake/mingw-common.cmake" | sha256sum | cut -c1-16)"   # contents only: the same in every checkout
[[ -f "$STAMP" && "$(cat "$STAMP")" == "$SIG" ]] && { echo "deps ($ARCH): up to date"; exit 0; }
case "$PREFIX" in /|/usr|/usr/*|"$HOME") echo "refusing PREFIX=$PREFIX"; exit 1;; esac
rm -rf "$PREFIX" "$WORK"; mkdir -p "$PREFIX"/{include,lib} "$WORK"; cd "$WORK"

# GoogleTest and GMock in the background: the longest step
( cmake -S /usr/src/googletest -B gtest-build -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TC" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PREFIX" -DBUILD_GMOCK=ON \
  && cmake --build gtest-build && cmake --install gtest-build ) >gtest.log 2>&1 &
GTEST_PID=$!

apt-get source -qq libpng1.6 zlib libmd libjpeg-turbo >/dev/null 2>apt-source.log || { cat apt-source.log; exit 1; }
PNG_SRC=$(echo libpng1.6-*/); ZLIB_SRC=$(echo zlib-*/); MD_SRC=$(echo libmd-*/); JPEG_SRC=$(echo libjpeg-turbo-*/)

# libpng against the static zlib (otherwise it finds libz.dll.a)
cmake -S "$PNG_SRC" -B png-build -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TC" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$PREFIX" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
  -DSKIP_INSTALL_PROGRAMS=ON -DSKIP_INSTALL_FILES=ON -DZLIB_LIBRARY="$SYSZ" -DZLIB_INCLUDE_DIR=/usr/$HOST/include >png.log
cmake --build png-build -j"$JOBS" >>png.log && cmake --install png-build >>png.log

# minizip from zlib's contrib
MZ="$ZLIB_SRC/contrib/minizip"; mkdir -p mz "$PREFIX/include/minizip"
for f in ioapi iowin32 zip unzip mztools; do $CC -O2 -w -I/usr/$HOST/include -c "$MZ/$f.c" -o mz/$f.o; done
$AR rcs "$PREFIX/lib/libminizip.a" mz/*.o
cp "$MZ"/{ioapi,iowin32,zip,unzip,mztools,crypt}.h "$PREFIX/include/minizip/"

# libmd; MD5File() opens in text mode on Windows, so patch it to binary.
# advapi32 exports MD5Init, MD5Update and MD5Final with another context: on
# 64-bit (no stdcall decoration) the linker may take those, so libmd's MD5
# functions get names of their own, in its build and in the installed header.
sed -i 's/^#define[[:space:]]*_MD5_H_$/&\n#define MD5Init zavo_MD5Init\n#define MD5Update zavo_MD5Update\n#define MD5Pad zavo_MD5Pad\n#define MD5Final zavo_MD5Final\n#define MD5Transform zavo_MD5Transform\n#define MD5End zavo_MD5End\n#define MD5File zavo_MD5File\n#define MD5FileChunk zavo_MD5FileChunk\n#define MD5Data zavo_MD5Data/' "$MD_SRC/include/md5.h"
grep -q 'zavo_MD5Init' "$MD_SRC/include/md5.h" || { echo "libmd rename failed"; exit 1; }
sed -i 's/open(filename, O_RDONLY)/open(filename, O_RDONLY | O_BINARY)/' "$MD_SRC/src/helper.c"
grep -q 'O_RDONLY | O_BINARY' "$MD_SRC/src/helper.c" || { echo "libmd patch failed"; exit 1; }
( cd "$MD_SRC" && ./configure -q --host=$HOST CC=$CC --prefix="$PREFIX" --disable-shared --enable-static \
  && make -s -j"$JOBS" && make -s install ) >md.log 2>&1 || { cat md.log; exit 1; }

# LZMA SDK C sources from lzma-dev, single-threaded
L=/usr/include/lzma; mkdir -p lz "$PREFIX/include/lzmasdk"
for f in LzmaEnc LzmaDec LzFind; do $CC -O2 -D_7ZIP_ST -c "$L/$f.c" -o lz/$f.o; done
$AR rcs "$PREFIX/lib/liblzmasdk.a" lz/*.o
cp "$L"/{LzmaEnc,LzmaDec,LzFind,LzHash,Types}.h "$PREFIX/include/lzmasdk/"

# libjpeg-turbo without SIMD
cmake -S "$JPEG_SRC" -B jpeg-build -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TC" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$PREFIX" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF \
  -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF -Wno-dev >jpeg.log
cmake --build jpeg-build -j"$JOBS" >>jpeg.log && cmake --install jpeg-build >>jpeg.log

wait "$GTEST_PID" || { cat gtest.log; exit 1; }
cd "$ROOT"; rm -rf "$WORK"; echo "$SIG" >"$STAMP"; echo "deps ($ARCH): built"
