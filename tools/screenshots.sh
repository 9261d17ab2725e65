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
[ ${#scenes[@]} -gt 0 ] || scenes=(page0 page1 page2 page3 digital analog about splash reminder reminder-builtin reminder-fallback
                                   birthday menu password password-set wait print-dialog printed hint-band hint-month
                                   editor-day editor-week editor-uptime sound template
                                   marks dayview quickview
                                   about-hot about-down about-off tray
                                   register register13 register-old richpane
                                   setup1 setup2 setup3 setup4 setup5 setup6 setup7 setup8 memo-place setup-folder
                                   setuppage9 setuppage10
                                   schedule-day schedule-year schedule-month schedule-week
                                   diary diary-picture diary-printed diary-format nikki-list memolist diarysearch
                                   manage-all manage-past manage-day
                                   list list-printed todoboard todo-add
                                   gtimer gtimer-end jump
                                   goal timeband
                                   memo-text memo-picture memo-small memo-drop memo-default
                                   memogroups memotitle memomenu
                                   period daycalc-span daycalc-interval association phonebook phonesearch
                                   mini-round mini-ellipse mini-rect toolwindow trayhost
                                   menueditor submenueditor launchermenu restored-main traymenu
                                   goal-dblclick year-refused end-held phonesheet period-held)
for s in "${scenes[@]}"; do
  if [ "$s" = printed ] || [ "$s" = diary-printed ] || [ "$s" = list-printed ]; then
    # Printed to the prefix's printer (tools/wine-printer.sh); its first page becomes the picture.
    ps=$WINEPREFIX/drive_c/printout.ps
    rm -f "$ps"
    wine "$exe" "$s" >/dev/null 2>&1
    gs -q -dNOPAUSE -dBATCH -sDEVICE=png16m -r100 -dFirstPage=1 -dLastPage=1 -sOutputFile="$out/$s.png" "$ps"
    echo "$out/$s.png"
    continue
  fi
  wine explorer "/desktop=shots${DISPLAY#:},1024x768" "$exe" "$s" 8 >/dev/null 2>&1 &
  pid=$!
  sleep "${SHOT_DELAY:-4}"
  import -window root "$out/$s.png"
  [ "$s" = page0 ] && { sleep 2; import -window root "$out/page0-later.png"; }
  wait "$pid" || true
  echo "$out/$s.png"
done
