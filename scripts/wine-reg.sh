#!/usr/bin/env bash
# Imports a UTF-8 registry file into a Wine prefix (regedit wants UTF-16 with a byte-order mark).
# usage: wine-reg.sh PREFIX FILE.reg
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX=$1
# shellcheck source=wine-env.sh
. "$here/wine-env.sh"
converted=$(mktemp --suffix=.reg)
trap 'rm -f "$converted"' EXIT
iconv -f UTF-8 -t UTF-16 "$2" >"$converted"
DISPLAY= wine regedit /S "$(winepath -w "$converted" 2>/dev/null)" </dev/null >/dev/null 2>&1
wineserver -w
