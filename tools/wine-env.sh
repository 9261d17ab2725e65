# Sourced by the scripts that call wine: one prefix per build tree, Japanese code page, no prompts.
_orbal_top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export ORBAL_BUILD=${BUILD_DIR:-$_orbal_top/build}
export WINEPREFIX=${WINEPREFIX:-$ORBAL_BUILD/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
