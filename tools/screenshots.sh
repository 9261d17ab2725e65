#!/usr/bin/env bash
# Screenshots of the program's windows with sample data, into build/shots (after a build).
# usage: tools/screenshots.sh [scene ...]   (default: every scene)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
source "$top/tools/wine-env.sh"
source "$top/tools/xvfb.sh"
ORBAL_OWN_DISPLAY=1 orbal_start_display
out=$ORBAL_BUILD/shots
mkdir -p "$out"
exe=$ORBAL_BUILD/win/show_windows.exe
scenes=("$@")
[ ${#scenes[@]} -gt 0 ] || scenes=(page0 page1 page2 page3 digital analog about about-hot about-down about-off splash reminder birthday menu tray)
for s in "${scenes[@]}"; do
  wine explorer "/desktop=shots${DISPLAY#:},1024x768" "$exe" "$s" 8 >/dev/null 2>&1 &
  pid=$!
  sleep "${SHOT_DELAY:-4}"
  import -window root "$out/$s.png"
  [ "$s" = page0 ] && { sleep 2; import -window root "$out/page0-later.png"; }
  wait "$pid" || true
  echo "$out/$s.png"
done
