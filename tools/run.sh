#!/usr/bin/env bash
# Set-up, build, then starts the program: on $DISPLAY, or in a headless Xvfb where it saves a
# screenshot after a few seconds (SHOT=file, WAIT=seconds) and ends.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/tools/setup.sh"
source "$top/tools/wine-env.sh"
bash "$top/tools/wineprefix.sh"
bash "$top/tools/build.sh"
exe=$ORBAL_BUILD/win/orbal98.exe
if [ -n "${DISPLAY:-}" ]; then
  exec wine "$exe"
fi
source "$top/tools/xvfb.sh"
orbal_start_display
shot=${SHOT:-$ORBAL_BUILD/orbal98-screen.png}
wine explorer /desktop=orbal,1024x768 "$exe" 2>/dev/null &
sleep "${WAIT:-8}"
import -window root "$shot"
echo "screenshot saved to $shot"
