#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks, then builds the Windows-side
# dependencies into .deps/. Safe to run again: each step checks first.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"

PKGS=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools libz-mingw-w64-dev
  wine wine32:i386 wine64 fonts-wine xvfb xauth imagemagick
  lzma-dev lzma-alone xz-utils gzip zip unzip openssl
  dpkg-dev cmake ninja-build pkg-config nasm clang clang-format libclang-rt-14-dev xdotool
  googletest libgtest-dev libgmock-dev
  libpng-dev libjpeg-dev libminizip-dev libmd-dev zlib1g-dev
  xorriso dosfstools p7zip-full libcdio-utils qemu-system-x86 python3 x11-utils fonts-wqy-microhei locales)

need_install() {
  dpkg --print-foreign-architectures | grep -qx i386 || return 0
  local p
  for p in "${PKGS[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || return 0
  done
  grep -rqs '^Types: deb-src' /etc/apt/sources.list.d/ || return 0
  return 1
}

SUDO=""; [[ $(id -u) -eq 0 ]] || SUDO=sudo
if need_install; then
  dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386
  # deb-src for bookworm main only: the security pool's sources are not all served
  if ! grep -rqs '^Types: deb-src' /etc/apt/sources.list.d/; then
    uri=$(awk '/^URIs:/{print $2; exit}' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)
    [[ -n "$uri" ]] || uri=http://deb.debian.org/debian
    printf 'Types: deb-src\nURIs: %s\nSuites: bookworm\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
      "$uri" | $SUDO tee /etc/apt/sources.list.d/debsrc.sources >/dev/null
  fi
  # A mirror in mid-sync fails some index files; retry, then go on with what came.
  for try in 1 2 3; do
    $SUDO apt-get update -qq && break
    echo "apt-get update failed (try $try)" >&2; sleep 10
  done
  if ! DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${PKGS[@]}" >/dev/null; then
    # A security index missing for one architecture breaks the i386 set (Multi-Arch
    # versions differ): install from the main suite alone.
    echo "apt-get install failed; trying the main suite alone" >&2
    alt=$(mktemp -d)
    uri=$(awk '/^URIs:/{print $2; exit}' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)
    [[ -n "$uri" ]] || uri=http://deb.debian.org/debian
    printf 'Types: deb deb-src\nURIs: %s\nSuites: bookworm bookworm-updates\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
      "$uri" >"$alt/main.sources"
    opts=(-o Dir::Etc::SourceParts="$alt" -o Dir::Etc::SourceList=/dev/null)
    $SUDO apt-get "${opts[@]}" update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get "${opts[@]}" install -y -qq --no-install-recommends "${PKGS[@]}" >/dev/null
    rm -rf "$alt"
  fi
fi

# The studio runs with LC_ALL=zh_CN.UTF-8 (its Chinese texts are GBK): make the locale.
if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
  $SUDO sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi

# Both Windows targets: the 32-bit build ships, the 64-bit one is tested where
# 32-bit programs cannot run.
"$ROOT/deps/build-deps.sh" i686 & i686_pid=$!
"$ROOT/deps/build-deps.sh" x86_64 & x86_64_pid=$!
rc=0
wait "$i686_pid" || rc=1
wait "$x86_64_pid" || rc=1
exit $rc
