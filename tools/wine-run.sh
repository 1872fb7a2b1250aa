#!/usr/bin/env bash
# Runs one Windows program under Wine (ctest's cross-compiling emulator).
source "$(dirname "$0")/wine-env.sh"
wine_prefix_ready
exec wine "$@"
