#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests under AddressSanitizer,
# LeakSanitizer and UndefinedBehaviorSanitizer; the Windows build's tests under Wine on an Xvfb
# display (the Win32 shell in-process, and the whole program end to end); a short run of every
# fuzzer; and the static analysis (clang-tidy, cppcheck).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/deps.sh"

# shellcheck source=quietly.sh
. "$root/scripts/quietly.sh"
trap 'rm -f "$log"' EXIT

for preset in native win64; do
  [ -f "build/$preset/CMakeCache.txt" ] || quietly cmake --preset "$preset"
  quietly cmake --build --preset "$preset"
done

status=0
ctest --preset native --output-on-failure -j2 --progress || status=1
ctest --preset win64 --output-on-failure --progress || status=1
"$root/scripts/fuzz.sh" 10 || status=1
"$root/scripts/lint.sh" || status=1
if [ -d build/win64/screenshots ]; then
  echo "Screenshots: $root/build/win64/screenshots"
fi
exit $status
