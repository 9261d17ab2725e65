#!/usr/bin/env bash
# Configures and builds both trees: build/host (native, window-free code) and build/win (mingw).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$top/build}
jobs=$(nproc)
cmake -S "$top" -B "$build/host" -DCMAKE_BUILD_TYPE=Debug >/dev/null
# Progress lines are dropped; the build's own status decides (grep's "no lines" does not).
cmake --build "$build/host" -j"$jobs" 2>&1 | { grep -v -E '^\[ *[0-9]+%\]' || true; }
cmake -S "$top" -B "$build/win" -DCMAKE_TOOLCHAIN_FILE="$top/tools/mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DORBAL_CACHE="$build/cache" >/dev/null
# Progress lines are dropped; the build's own status decides (grep's "no lines" does not).
cmake --build "$build/win" -j"$jobs" 2>&1 | { grep -v -E '^\[ *[0-9]+%\]' || true; }
# One ctest run covers both trees.
printf 'subdirs("host")\nsubdirs("win")\n' > "$build/CTestTestfile.cmake"
