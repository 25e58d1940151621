#!/usr/bin/env bash
# Static analysis of the whole tree: clang-tidy (the checks in .clang-tidy) on every source of
# the core, the shell, the tests and the benchmarks, and cppcheck. Exits non-zero on a finding.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

# shellcheck source=quietly.sh
. "$root/scripts/quietly.sh"
trap 'rm -f "$log"' EXIT

# Compile commands for clang: the native build for the portable code, the MinGW build for the
# Win32 code (clang reads narrow literals as UTF-8 only, which does not matter to the analysis).
[ -f build/lint-native/compile_commands.json ] ||
  quietly cmake --preset native -B build/lint-native -DQUILLFERN_SANITIZE=OFF \
    -DQUILLFERN_EXEC_CHARSET=UTF-8 -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_C_COMPILER=clang-14
[ -f build/lint-win/compile_commands.json ] ||
  quietly cmake --preset win64 -B build/lint-win -DQUILLFERN_EXEC_CHARSET=UTF-8

native_sources=$(git ls-files 'src/*.cpp' 'tests/unit/*.cpp' 'bench/*.cpp' | grep -v '_win\.cpp$')
win_sources=$(git ls-files 'src/*_win.cpp' 'tests/win/*.cpp' 'tests/e2e/*.cpp' 'tests/stand_in/*.cpp' \
  'tests/hostile/*.cpp' 'tests/soak/*.cpp' \
  'bench/*_win.cpp')
# Clang finds MinGW's Windows headers by itself, but not its C++ library: that is taken from the
# MinGW compiler's own search path (without GCC's intrinsics, which clang brings itself).
mingw_include=$(echo | x86_64-w64-mingw32-g++-posix -xc++ -E -Wp,-v - 2>&1 |
  sed -n 's/^ \(\/.*\/include\/c++[^ ]*\)$/--extra-arg=-isystem\1/p')

status=0
rm -f build/lint-report.txt
run_tidy() {  # build-dir extra-args... -- files...
  local dir=$1
  shift
  local args=()
  while [ "$1" != "--" ]; do args+=("$1"); shift; done
  shift
  printf '%s\n' "$@" | xargs -P 2 -n 4 clang-tidy-14 --quiet -p "$dir" "${args[@]}" >"$log" 2>&1 ||
    { grep -E -A3 'warning:|error:' "$log" | tee -a build/lint-report.txt; status=1; }
}
# shellcheck disable=SC2086
run_tidy build/lint-native -- $native_sources
# shellcheck disable=SC2086
run_tidy build/lint-win --extra-arg=--target=x86_64-w64-mingw32 --extra-arg=-nostdinc++ \
  $mingw_include -- $win_sources

# cppcheck reads only ASCII sources: it analyses a copy in which every other character (in the
# control names and in Chinese texts) is spelled out as U+hex.
mirror=build/lint-ascii
rm -rf "$mirror"
for file in $(git ls-files 'src/*' 'tests/*' 'bench/*' | grep -E '\.(cpp|h)$'); do
  mkdir -p "$mirror/$(dirname "$file")"
  perl -CSD -pe 's/([^\x00-\x7F])/sprintf("U%04X", ord($1))/ge' "$file" >"$mirror/$file"
done
cppcheck_common=(--quiet --error-exitcode=1 --std=c++20 --language=c++ --inline-suppr
  --enable=warning,performance,portability --suppress=missingIncludeSystem
  --library=googletest -I "$mirror/src" -I "$mirror/tests/unit" -I "$mirror/tests/e2e")
# shellcheck disable=SC2086
if ! cppcheck "${cppcheck_common[@]}" $(printf "$mirror/%s " $native_sources) >"$log" 2>&1; then
  cat "$log"
  status=1
fi
# shellcheck disable=SC2086
if ! cppcheck "${cppcheck_common[@]}" --platform=win64 --library=windows -D_WIN32 -DUNICODE \
    -D_UNICODE $(printf "$mirror/%s " $win_sources) >"$log" 2>&1; then
  cat "$log"
  status=1
fi
[ $status -ne 0 ] || echo "clang-tidy and cppcheck: no findings"
exit $status
