#!/usr/bin/env bash
# Fills a folder with a small demo browser cache: a few folders deep, files of several sizes and
# types, some FLV videos, one name in Chinese. The files are sparse, so they take no disk space.
# usage: demo-cache.sh FOLDER
set -euo pipefail
cache=$1
mkdir -p "$cache"
make_file() {  # path size
  mkdir -p "$(dirname "$cache/$1")"
  truncate -s "$2" "$cache/$1"
}
make_file "Content.IE5/7XK2L9QA/lecture-recording[1].flv" 48912384
make_file "Content.IE5/7XK2L9QA/banner_wide[1].jpg" 183421
make_file "Content.IE5/7XK2L9QA/jquery.min[2].js" 95786
make_file "Content.IE5/M3P0DF8Z/新闻联播片段[1].flv" 23068672
make_file "Content.IE5/M3P0DF8Z/style[1].css" 14302
make_file "Content.IE5/M3P0DF8Z/trailer, final cut[1].flv" 131072000
make_file "Content.IE5/R8TY2B1C/setup_assistant[1].exe" 7340032
make_file "Content.IE5/R8TY2B1C/news/2026/photo-gallery[3].png" 2621440
make_file "Content.IE5/R8TY2B1C/news/2026/clip_0042[1].flv" 9961472
make_file "Content.IE5/R8TY2B1C/news/2026/clip_0043[1].mp4" 15728640
make_file "Content.IE5/W0AA5KEQ/podcast-episode-17[1].mp3" 36700160
make_file "Content.IE5/W0AA5KEQ/favicon[1].ico" 1150
make_file "Low/Content.IE5/9QWE3RTY/embedded-player[1].swf" 1048576
make_file "Low/Content.IE5/9QWE3RTY/short_ad[1].flv" 524288
make_file "index.dat" 32768
