#!/usr/bin/env bash
# Makes the benchmark tree: 2,000 folders (40 with 49 sub-folders each) of 25 empty sparse
# files each, 50,000 files in all, of 25 sizes.
# usage: make_tree.sh FOLDER
set -euo pipefail
root=$1
rm -rf "$root"
mkdir -p "$root"
for top in $(seq -w 0 39); do
  mkdir -p "$root/t$top"
  for sub in $(seq -w 0 48); do echo "$root/t$top/s$sub"; done
done | xargs -d '\n' mkdir -p
for file in $(seq -w 0 24); do
  find "$root" -mindepth 1 -type d | sed "s|\$|/f$file.bin|" |
    xargs -d '\n' truncate -s "$(((10#$file + 1) * 40961))"
done
echo "$(find "$root" -mindepth 1 -type d | wc -l) folders, $(find "$root" -type f | wc -l) files"
