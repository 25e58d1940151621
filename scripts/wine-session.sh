#!/usr/bin/env bash
# Starts or stops what the Windows tests run in: the build's own Wine prefix (whose desktop is
# the build's folder "desktop"), an Xvfb display and a persistent wineserver. Started once per test run; the tests then take about 0.1 s each,
# because no Wine service is left holding a test's output pipe.
# usage: wine-session.sh start|stop BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
action=$1
build=$(cd "$2" && pwd)
export WINEPREFIX="$build/wineprefix"
# shellcheck source=wine-env.sh
. "$here/wine-env.sh"
display_file="$build/xvfb.display"
pid_file="$build/xvfb.pid"

xvfb_running() { [ -f "$pid_file" ] && kill -0 "$(cat "$pid_file")" 2>/dev/null; }

case $action in
  start)
    if [ ! -f "$WINEPREFIX/.quillfern-prefix" ]; then
      "$here/make-prefix.sh" "$WINEPREFIX"
      "$here/wine-reg.sh" "$WINEPREFIX" "$here/wine-headless.reg"
    fi
    if ! xvfb_running; then
      rm -f "$display_file"
      Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" \
        </dev/null >/dev/null 2>&1 &
      echo $! >"$pid_file"
      for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
      [ -s "$display_file" ] || { echo "Xvfb did not start" >&2; exit 1; }
    fi
    # The tests' desktop is a scratch folder of the build, never the user's home.
    mkdir -p "$build/desktop"
    ln -sfn "$build/desktop" "$WINEPREFIX/drive_c/users/$(id -un)/Desktop"
    export DISPLAY=":$(tr -d '[:space:]' <"$display_file")"
    wineserver -p </dev/null >/dev/null 2>&1 || true  # already running
    wine wineboot </dev/null >/dev/null 2>&1
    ;;
  stop)
    wineserver -k </dev/null >/dev/null 2>&1 || true
    if xvfb_running; then kill "$(cat "$pid_file")"; fi
    rm -f "$pid_file" "$display_file"
    ;;
  *)
    echo "usage: $0 start|stop BUILD_DIR" >&2
    exit 2
    ;;
esac
