# Sourced: the Wine settings of every test run and program start.
_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${WINEPREFIX:-$_root/.wine}" WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all,err+module}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}"
wine_prefix_ready() {
  [[ -f "$WINEPREFIX/.prefix-ready" ]] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  ( flock 9
    if [[ ! -f "$WINEPREFIX/.prefix-ready" ]]; then
      wineboot -i </dev/null >/dev/null 2>&1
      cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
      wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1
      wineserver -k; wineserver -w; touch "$WINEPREFIX/.prefix-ready"
    fi ) 9>"$WINEPREFIX.lock"
}
