#!/usr/bin/env bash
# Runs one Windows program under the build tree's Wine prefix (ctest's runner for the Wine tests).
source "$(dirname "$0")/wine-env.sh"
[ -n "$WINEPREFIX" ] || { echo "WINEPREFIX is not set" >&2; exit 2; }
exec wine "$@"
