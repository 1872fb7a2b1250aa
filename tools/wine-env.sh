# Sourced: the Wine settings of every test run and program start.
_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# ZAVO_WINE_ARCH=32 (the default) runs the 32-bit build with the 32-bit loader
# in a win32 prefix, 64 the 64-bit build with wine64 in a win64 prefix: one
# prefix per arch. Debian's wine, wineboot and winepath wrappers take the
# 32-bit loader whenever it is installed, even where it cannot run, so a
# folder of our own on PATH names the loader.
export ZAVO_WINE_ARCH="${ZAVO_WINE_ARCH:-32}"
case "$ZAVO_WINE_ARCH" in
  32) _loader=/usr/lib/wine/wine; _prefix="$_root/.wine"; export WINEARCH=win32 ;;
  64) _loader=/usr/lib/wine/wine64; _prefix="$_root/.wine-64"; export WINEARCH=win64 ;;
  *) echo "wine-env: ZAVO_WINE_ARCH is 32 or 64, not '$ZAVO_WINE_ARCH'" >&2; return 1 2>/dev/null || exit 1 ;;
esac
export WINEPREFIX="${WINEPREFIX:-$_prefix}" WINELOADER="$_loader"
# A prefix made for the other arch would fail in confusing ways later.
if [[ -f "$WINEPREFIX/system.reg" ]] && ! grep -q "^#arch=$WINEARCH" "$WINEPREFIX/system.reg"; then
  echo "wine-env: $WINEPREFIX is not a $WINEARCH prefix" >&2; return 1 2>/dev/null || exit 1
fi
_bin="$_root/.wine-bin-$ZAVO_WINE_ARCH"
if [[ ! -x "$_bin/winepath" || "$(head -n 2 "$_bin/wine" 2>/dev/null | tail -n 1)" != "exec $_loader \"\$@\"" ]]; then
  mkdir -p "$_bin"
  for _n in wine wine-stable; do
    printf '#!/bin/sh\nexec %s "$@"\n' "$_loader" >"$_bin/$_n.new" && chmod +x "$_bin/$_n.new" && mv -f "$_bin/$_n.new" "$_bin/$_n"
  done
  for _n in wineboot winepath winecfg winedbg wineconsole; do
    printf '#!/bin/sh\nexec %s %s.exe "$@"\n' "$_loader" "$_n" >"$_bin/$_n.new" && chmod +x "$_bin/$_n.new" && mv -f "$_bin/$_n.new" "$_bin/$_n"
  done
fi
case ":$PATH:" in *":$_bin:"*) ;; *) export PATH="$_bin:$PATH" ;; esac
# Where a path must name the arch's own prefix: PREFIX-64 beside PREFIX.
wine_prefix_for() { if [[ "$ZAVO_WINE_ARCH" == 64 ]]; then echo "$1-64"; else echo "$1"; fi; }
export WINEDEBUG="${WINEDEBUG:--all,err+module}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}"
# Windows links its interface faces to a CJK font for the characters they lack.
# Wine rewrites the links of Tahoma, MS Shell Dlg and the other dialog faces
# whenever the code page changes, to SimSun first: the prefix gets the CJK font
# that set-up installs under SimSun's file name, and SimSun's name stands for
# it; the faces Wine leaves alone are linked to it directly.
wine_link_cjk_font() {
  local ttc=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc reg
  [[ -f "$ttc" ]] || return 0
  cp "$ttc" "$WINEPREFIX/drive_c/windows/Fonts/wqy-microhei.ttc"
  cp "$ttc" "$WINEPREFIX/drive_c/windows/Fonts/simsun.ttc"
  reg=$(mktemp --suffix=.reg)
  python3 - "$reg" <<'PY'
import sys
def multi(*texts):
    data = "".join(t + "\0" for t in texts).encode("utf-16-le") + b"\0\0"
    return "hex(7):" + ",".join("%02x" % b for b in data)
cjk = "WenQuanYi Micro Hei"
lines = ["Windows Registry Editor Version 5.00", "",
         r"[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink]"]
lines += ['"%s"=%s' % (face, multi("wqy-microhei.ttc," + cjk)) for face in ("Arial", "Courier New", "Segoe UI")]
lines += ["", r"[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]",
          '"SimSun"="%s"' % cjk]
open(sys.argv[1], "w", encoding="utf-16").write("\r\n".join(lines) + "\r\n")
PY
  wine regedit /S "$(winepath -w "$reg")" </dev/null >/dev/null 2>&1
  rm -f "$reg"
}
# The mark names what the set-up below does: a prefix made by an older set-up is set up again.
_prefix_mark=".prefix-ready-cjk"
wine_prefix_ready() {
  [[ -f "$WINEPREFIX/$_prefix_mark" ]] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  ( flock 9
    if [[ ! -f "$WINEPREFIX/$_prefix_mark" ]]; then
      wineboot -i </dev/null >/dev/null 2>&1
      cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
      wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1
      wine_link_cjk_font
      wineserver -k; wineserver -w; touch "$WINEPREFIX/$_prefix_mark"
    fi ) 9>"$WINEPREFIX.lock"
}
