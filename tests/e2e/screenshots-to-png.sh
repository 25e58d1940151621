#!/usr/bin/env bash
# Turns every BMP the end-to-end tests left in the screenshot folder into a PNG beside it.
# usage: screenshots-to-png.sh FOLDER
set -euo pipefail
folder=$1
[ -d "$folder" ] || exit 0
shopt -s nullglob
for bmp in "$folder"/*.bmp; do
  # Without -depth 8 ImageMagick may write 16 bits per channel.
  convert "$bmp" -depth 8 "${bmp%.bmp}.png"
  echo "${bmp%.bmp}.png"
done
