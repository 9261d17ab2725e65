# Sourced by the scripts that call wine: one prefix per build tree, Japanese code page, no prompts.
_orbal_top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export ORBAL_BUILD=${BUILD_DIR:-$_orbal_top/build}
export WINEPREFIX=${WINEPREFIX:-$ORBAL_BUILD/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
# The locale is for the programs started from here. A shell that looked for locales before the
# set-up made this one cannot switch to it itself (the C library reads the list once) and would
# warn; the programs it starts are new processes and get it, so only a locale missing for them
# too is worth a word.
{ export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8; } 2>/dev/null
locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8' ||
  echo "wine-env: the ja_JP.UTF-8 locale is missing; tools/setup.sh makes it" >&2
