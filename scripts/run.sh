#!/usr/bin/env bash
# Builds Quillfern and runs it under Wine in the project's own prefix (build/wine-run). With a
# display it opens the window there and returns when the window is closed; without one it runs
# on Xvfb, saves a screenshot of the window and prints its path. A prefix without a browser cache
# gets the demo cache first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/deps.sh"

# shellcheck source=quietly.sh
. "$root/scripts/quietly.sh"
trap 'rm -f "$log"' EXIT
[ -f build/win64/CMakeCache.txt ] || quietly cmake --preset win64
quietly cmake --build --preset win64 --target Quillfern

export WINEPREFIX="$root/build/wine-run"
# shellcheck source=wine-env.sh
. "$root/scripts/wine-env.sh"
quietly "$root/scripts/make-prefix.sh" "$WINEPREFIX"
cache="$WINEPREFIX/drive_c/users/Administrator/AppData/Local/Microsoft/Windows/Temporary Internet Files"
[ -d "$cache" ] || "$root/scripts/demo-cache.sh" "$cache"
exe="$root/build/win64/bin/Quillfern.exe"

if [ -n "${DISPLAY:-}" ]; then
  quietly "$root/scripts/wine-reg.sh" "$WINEPREFIX" "$root/scripts/wine-windowed.reg"
  wine "$exe" </dev/null >/dev/null 2>&1
  exit 0
fi

quietly "$root/scripts/wine-reg.sh" "$WINEPREFIX" "$root/scripts/wine-headless.reg"
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" </dev/null >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver -k >/dev/null 2>&1 || true; kill $xvfb 2>/dev/null || true; rm -f "$log" "$display_file"' EXIT
for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
export DISPLAY=":$(tr -d '[:space:]' <"$display_file")"

wine "$exe" </dev/null >/dev/null 2>&1 &
for _ in $(seq 300); do
  xdotool search --name '^Quillfern$' >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 1  # let the first paint settle
mkdir -p build/screenshots
shot="$root/build/screenshots/quillfern.png"
# The window is 1062x590, centred on the 1280x1024 screen.
import -display "$DISPLAY" -window root -crop 1062x590+109+217 +repage -depth 8 "$shot"
echo "$shot"
