# Sourced: chooses the Windows build that runs here and says why. Sets
# ZAVO_WINE_ARCH (32 or 64), ZAVO_WIN_BUILD (the build folder) and
# ZAVO_WIN_WHY. ZAVO_WINE_ARCH=64 (or 32) in the environment forces the choice.
case "${ZAVO_WINE_ARCH:-}" in
  64) ZAVO_WIN_WHY="ZAVO_WINE_ARCH=64 asks for it" ;;
  32) ZAVO_WIN_WHY="ZAVO_WINE_ARCH=32 asks for it" ;;
  "")
    if /usr/lib/wine/wine --version </dev/null >/dev/null 2>&1; then
      ZAVO_WINE_ARCH=32; ZAVO_WIN_WHY="this machine runs 32-bit programs"
    else
      ZAVO_WINE_ARCH=64; ZAVO_WIN_WHY="this machine cannot run 32-bit programs (/usr/lib/wine/wine does not start)"
    fi ;;
  *) echo "ZAVO_WINE_ARCH is 32 or 64, not '$ZAVO_WINE_ARCH'" >&2; return 1 2>/dev/null || exit 1 ;;
esac
# ZAVO_TOOLCHAIN is that build's toolchain file; ZAVO_ARCH_SUFFIX ("" or "-64")
# keeps other build folders and prefixes apart per arch.
_zavo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [[ "$ZAVO_WINE_ARCH" == 64 ]]; then
  ZAVO_WIN_BUILD=build-win64; ZAVO_ARCH_SUFFIX=-64; ZAVO_TOOLCHAIN="$_zavo_root/cmake/mingw-x86_64.cmake"
else
  ZAVO_WIN_BUILD=build-win; ZAVO_ARCH_SUFFIX=""; ZAVO_TOOLCHAIN="$_zavo_root/cmake/mingw-i686.cmake"
fi
export ZAVO_WINE_ARCH ZAVO_WIN_BUILD ZAVO_WIN_WHY ZAVO_ARCH_SUFFIX ZAVO_TOOLCHAIN
# Configures and builds one Windows tree of the checkout: zavo_build_windows 32|64
zavo_build_windows() {
  local dir=build-win tc=mingw-i686.cmake
  [[ "$1" == 64 ]] && { dir=build-win64; tc=mingw-x86_64.cmake; }
  cmake -S "$_zavo_root" -B "$_zavo_root/$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$_zavo_root/cmake/$tc" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null &&
    cmake --build "$_zavo_root/$dir" -j"$(nproc)"
}
