#!/usr/bin/env bash
# Soaks the real program under Wine: builds the soak driver and the program it drives, starts the
# test session of build/win64, runs the driver (1000 searches, then 500 rounds of 打开文件夹 and
# 提取到桌面, sampled every 50), stops the session and prints the driver's figures and the wall
# time. A session that was already running (another developer's tests) is used and left running.
# Takes a few minutes, so it is not part of the test command. Exits with the driver's status: 1
# when something grew beyond noise, 2 when the program did not do what it was asked.
# usage: scripts/soak.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/win64
cd "$root"

cmake --build --preset win64 --target soak_driver e2e_program

running() { [ -s "$build/xvfb.display" ] && kill -0 "$(cat "$build/xvfb.pid" 2>/dev/null)" 2>/dev/null; }
if running; then
  echo "soak: using the Wine session that is already running"
else
  "$root/scripts/wine-session.sh" start "$build"
  trap '"$root/scripts/wine-session.sh" stop "$build"' EXIT
fi

begin=$(date +%s)
status=0
"$build/wine-exec.sh" "$build/tests/soak/soak_driver.exe" | tr -d '\r' || status=$?
echo "soak: exit status $status, wall time $(($(date +%s) - begin)) s"
exit $status
