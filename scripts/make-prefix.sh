#!/usr/bin/env bash
# Makes a Wine prefix in which the program's Chinese texts render: the locale of code page 936,
# Wine's Tahoma and Marlett, and font replacements for the Chinese faces. Does nothing when the
# prefix is already made.
# usage: make-prefix.sh PREFIX
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
prefix=$1
marker="$prefix/.quillfern-prefix"
[ -f "$marker" ] && exit 0

export WINEPREFIX=$prefix
# shellcheck source=wine-env.sh
. "$here/wine-env.sh"
mkdir -p "$prefix"
DISPLAY= wineboot -i </dev/null >/dev/null 2>&1
wineserver -w
cp /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf \
  /usr/share/wine/fonts/marlett.ttf "$prefix/drive_c/windows/Fonts/"
"$here/wine-reg.sh" "$prefix" "$here/wine-fonts.reg"
touch "$marker"
