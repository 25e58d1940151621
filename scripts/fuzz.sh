#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan, UBSan) and runs each for SECONDS (default 10),
# keeping its corpus in build/fuzz/corpus. Exits non-zero when a fuzzer finds a fault; the
# input that shows it is left as build/fuzz/crash-*.
# usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-10}

# shellcheck source=quietly.sh
. "$root/scripts/quietly.sh"
trap 'rm -f "$log"' EXIT
[ -f build/fuzz/CMakeCache.txt ] || quietly cmake --preset fuzz
quietly cmake --build --preset fuzz

status=0
for fuzzer in text_fuzz table_fuzz; do
  corpus="build/fuzz/corpus/$fuzzer"
  mkdir -p "$corpus"
  if build/fuzz/tests/fuzz/$fuzzer -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix=build/fuzz/ "$corpus" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    coverage=$(grep -o 'cov: [0-9]*' "$log" | tail -1)
    echo "$fuzzer: $runs runs in ${seconds}s, $coverage, corpus $(ls "$corpus" | wc -l) inputs, no fault"
  else
    tail -40 "$log"
    echo "$fuzzer: FAULT FOUND" >&2
    status=1
  fi
done
exit $status
