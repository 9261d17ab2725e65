#!/usr/bin/env bash
# Saves settings in a loop under Wine and kills the saving program at random moments, by turns
# with SIGKILL of its process and with `wineserver -k`; after each kill every file is checked
# whole (it parses and holds every section and key it started with, each with its old value or a
# new one). The program is ini_crash_writer.exe of the build: it writes through the settings
# object, as the program does, into a realistic orbal98.ini and a Period.ini. Needs a build.
# usage: tools/crash_check.sh [kills (60)]
# CRASH_CHECK_PROFILE=1 makes it write through the profile functions instead, as the program did
# before its writes were made whole. It stops the prefix's wineserver: run no other Wine job meanwhile.
set -euo pipefail
kills=${1:-60}
top=$(cd "$(dirname "$0")/.." && pwd)
source "$top/tools/wine-env.sh"

exe=$ORBAL_BUILD/win/ini_crash_writer.exe
[ -f "$exe" ] || { echo "crash_check: build $exe first"; exit 2; }
dir=$WINEPREFIX/drive_c/orbal-crash-check
win='C:\orbal-crash-check'
mode=
[ -n "${CRASH_CHECK_PROFILE:-}" ] && mode=profile
rm -rf "$dir"
mkdir -p "$dir"
cp "$exe" "$dir/writer.exe"
run() { wine "$dir/writer.exe" "$@" "$win" 2>/dev/null | tr -d '\r' | iconv -f CP932 -t UTF-8 -c; }
run seed

broken=0 main=0 period=0 made=0 seen="" sigkills=0 serverkills=0
for ((k = 1; k <= kills; k++)); do
  before=$(stat -c %y "$dir/orbal98.ini")
  wine "$dir/writer.exe" write "$win" $mode >/dev/null 2>&1 &
  pid=$!
  # The kill falls a random while after the first write has landed.
  for ((waited = 0; waited < 600; waited++)); do
    [ "$(stat -c %y "$dir/orbal98.ini" 2>/dev/null)" != "$before" ] && break
    sleep 0.1
  done
  sleep "$((RANDOM % 2)).$(printf '%03d' $((RANDOM % 1000)))"
  if ((k % 2)); then
    how="SIGKILL"
    kill -KILL "$pid" 2>/dev/null || true
    sigkills=$((sigkills + 1))
  else
    how="wineserver -k"
    wineserver -k || true
    wineserver -w 2>/dev/null || true
    serverkills=$((serverkills + 1))
  fi
  wait "$pid" 2>/dev/null || true
  now=$(cd "$dir" && find . -maxdepth 1 -iname 'o98*.tmp' | sort)
  made=$((made + $(comm -13 <(echo "$seen") <(echo "$now") | grep -c . || true)))
  seen=$now
  faults=$(run check || true)
  if [ -n "$faults" ]; then
    broken=$((broken + 1))
    grep -q 'orbal98.ini' <<<"$faults" && main=$((main + 1))
    grep -q 'Period.ini' <<<"$faults" && period=$((period + 1))
    echo "kill $k ($how): $(head -1 <<<"$faults")"
    run seed  # the next kill starts from whole files again
  fi
done
# What the kills left is removed by the next run's first write into the folder (once it is a few
# seconds old, so that no save still under way loses its temporary).
old=$(cd "$dir" && find . -maxdepth 1 -iname 'o98*.tmp' | sort)
sleep 6
before=$(stat -c %y "$dir/orbal98.ini")
wine "$dir/writer.exe" write "$win" >/dev/null 2>&1 &
pid=$!
for ((waited = 0; waited < 600; waited++)); do
  [ "$(stat -c %y "$dir/orbal98.ini" 2>/dev/null)" != "$before" ] && break
  sleep 0.1
done
kill -KILL "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
kept=$(comm -12 <(echo "$old") <(cd "$dir" && find . -maxdepth 1 -iname 'o98*.tmp' | sort) | grep -c . || true)
echo "crash_check: $kills kills ($sigkills SIGKILL, $serverkills wineserver -k${mode:+, through the profile functions}):" \
  "$broken left a file broken (orbal98.ini $main, Period.ini $period); $made temporary files left by the kills, $(echo "$old" | grep -c . || true) there at the end, $kept of those still there after the next run's first write"
[ "$broken" -eq 0 ] && [ "$kept" -eq 0 ]
