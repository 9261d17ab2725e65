#!/usr/bin/env bash
# Creates the Wine prefix once, with font replacements so the Japanese faces get the right metrics,
# Wine's caption-button and Symbol fonts, and a PostScript printer that prints into a file
# (wine-printer.sh).
# An older prefix (another stamp) is brought up to date by the same steps: each is safe to repeat.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
[ -n "$WINEPREFIX" ] || { echo "WINEPREFIX is not set" >&2; exit 2; }
stamp=$WINEPREFIX/.orbal98-ready-5
[ -f "$stamp" ] && exit 0
mkdir -p "$WINEPREFIX"
wineboot -i >/dev/null 2>&1 || true
# Window frames draw their caption buttons with Marlett (else the letters "0 1 r" show). Debian's
# Wine does not look in the folder fonts-wine installs it to, but reads the prefix's font folder.
# Rich text draws bullets in Symbol; without that face a symbol-charset request gets Marlett's box,
# and with fonts-wine's own symbol.ttf an angle bracket (symbolfont.py says why and mends it).
# Only these faces: Wine's other fonts would replace faces the program's text is laid out in.
fonts=/usr/share/wine/fonts
for f in marlett.ttf symbol.ttf; do
  [ -f "$fonts/$f" ] || { echo "wineprefix: $fonts/$f is missing (tools/setup.sh installs fonts-wine)" >&2; exit 1; }
done
mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
cp "$fonts/marlett.ttf" "$WINEPREFIX/drive_c/windows/Fonts/"
/usr/bin/python3 "$(dirname "$0")/symbolfont.py" "$fonts/symbol.ttf" "$WINEPREFIX/drive_c/windows/Fonts/symbol.ttf"
reg=$(mktemp --suffix=.reg)
cat <<'REG' | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "$reg"
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"ＭＳ Ｐゴシック"="IPAPGothic"
"MS PGothic"="IPAPGothic"
"MS UI Gothic"="IPAPGothic"
"ＭＳ ゴシック"="IPAGothic"
"MS Gothic"="IPAGothic"
"ＭＳ 明朝"="IPAMincho"
"MS Mincho"="IPAMincho"
"ＭＳ Ｐ明朝"="IPAPMincho"
"MS PMincho"="IPAPMincho"

; Every program in a virtual desktop: windows get their frames and hiding a window does not
; wait for a window manager that a bare X server lacks.
[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"
REG
wine regedit /S "$(winepath -w "$reg")" >/dev/null 2>&1
rm -f "$reg"
wineserver -w
bash "$(dirname "$0")/wine-printer.sh"
touch "$stamp"
