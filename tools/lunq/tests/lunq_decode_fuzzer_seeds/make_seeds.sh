#!/bin/sh
# Remakes the seeds: small LZMA alone files from the host's lzma_alone and one
# Lunq image of the same data (needs a native build's bin/lunq).
set -e
cd "$(dirname "$0")"
t=$(mktemp -d)
printf 'title boot\nkernel /zavo.sys\ntitle boot\nkernel /zavo.sys\n' > "$t/menu"
printf 'x' > "$t/one"
lzma_alone e "$t/menu" menu.lzma >/dev/null 2>&1
lzma_alone e "$t/one" one.lzma >/dev/null 2>&1
[ -n "$1" ] && "$1" e "$t/menu" menu.luq 2>/dev/null
rm -rf "$t"
