#!/usr/bin/env bash
# Builds and runs the benchmarks; each prints ratios against a reference measured in the same
# run. Not part of the tests: timings are figures to read, not to assert.
#   offer_bench   the table against a std::priority_queue top-100, 10 million random sizes
#   search_bench  the whole search in the real window under Wine against a bare walker, over a
#                 generated tree of 50,000 files in 2,000 folders, and the window's answer time
# usage: scripts/bench.sh [ROUNDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/deps.sh"
rounds=${1:-5}

# shellcheck source=quietly.sh
. "$root/scripts/quietly.sh"
trap 'rm -f "$log"' EXIT

[ -f build/bench-native/CMakeCache.txt ] ||
  quietly cmake --preset native -B build/bench-native -DQUILLFERN_SANITIZE=OFF -DCMAKE_BUILD_TYPE=Release
quietly cmake --build build/bench-native --target bench
[ -f build/win64/CMakeCache.txt ] || quietly cmake --preset win64
quietly cmake --build --preset win64 --target bench

echo "== offer_bench"
build/bench-native/bench/offer_bench

echo "== search_bench"
tree="$root/build/bench-tree"
[ -d "$tree" ] || bench/make_tree.sh "$tree"
"$root/scripts/wine-session.sh" start build/win64
trap '"$root/scripts/wine-session.sh" stop build/win64; rm -f "$log"' EXIT
windows() { echo "Z:${1//\//\\}"; }
build/win64/wine-exec.sh build/win64/bench/search_bench.exe "$(windows "$tree")" \
  "$(windows "$root/build/win64/bench/bare_walker.exe")" "$rounds"
