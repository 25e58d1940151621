#!/usr/bin/env bash
# Installs the Debian packages and the locale that building and testing need, when they are
# missing. Prints nothing when everything is there.
set -euo pipefail

packages=(
  cmake ninja-build g++ gcc googletest clang-14 clang-format clang-tidy-14 cppcheck
  libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix wine wine64
  xvfb xdotool imagemagick fonts-wqy-zenhei fonts-droid-fallback locales zip
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)

if ((${#missing[@]})); then
  echo "Installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${as_root[@]}" apt-get update -qq
  "${as_root[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# Under this locale Wine's ANSI code page is 936 and GBK names reach the disk as UTF-8.
if ! locale -a 2>/dev/null | grep -qx 'zh_CN.utf8'; then
  "${as_root[@]}" localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi
