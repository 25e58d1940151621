#!/usr/bin/env bash
# Puts on the tests' desktop, on the Unix side, the two entries that make a copy there fail: a
# file that cannot be replaced (immutable: Wine running as root ignores the read-only bit) and a
# folder with a file's name. Runs the test program, then removes both, whatever the outcome.
# usage: make-desktop-entries.sh DESKTOP_DIR WINE_EXEC TEST_EXE [ARGS...]
set -euo pipefail
desktop=$1
shift
locked="$desktop/locked clip[1].flv"
taken="$desktop/taken[1].flv"
release() {
  chattr -i "$locked" 2>/dev/null || true
  rm -rf "$locked" "$taken"
}
release
trap release EXIT
mkdir -p "$desktop" "$taken"
printf 'kept\n' >"$locked"
chattr +i "$locked"
export QUILLFERN_E2E_DESKTOP="Z:${desktop//\//\\}"
"$@"
