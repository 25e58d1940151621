#!/usr/bin/env bash
# Prepares, on the Unix side, the caches that the long searches walk, then runs the test program
# with their Windows paths in QUILLFERN_E2E_LONG_WALK and QUILLFERN_E2E_CLOSE_WALK. The tests move
# a tree into the prefix's cache folder and back. Making tens of thousands of folders takes
# seconds, so the trees are kept in TREES_DIR between runs and made again only when one is missing
# (a run killed while it was in the prefix) or this script has changed.
#   long-walk:   4000 folders, walked in a few seconds. Text files in the first 50 folders and in
#                the last 50, which also hold a video each; in the root, scanned last, a text file
#                larger than all and a video larger than the others.
#   close-walk:  30000 empty folders. Even with no window left to update, walking them takes far
#                longer than the 2 s that a close during the walk may take.
# usage: make-long-walks.sh TREES_DIR WINE_EXEC TEST_EXE [ARGS...]
set -euo pipefail
trees=$1
shift
stamp="$trees/made-by-$(sha1sum <"$0" | cut -c1-16)"
if [ ! -f "$stamp" ] || [ ! -d "$trees/long-walk" ] || [ ! -d "$trees/close-walk" ]; then
  rm -rf "$trees"
  mkdir -p "$trees/long-walk" "$trees/close-walk"
  (
    cd "$trees/long-walk"
    mkdir d{0000..3999}
    truncate -s 1M d00{00..49}/notes.txt
    truncate -s 50M d39{50..99}/notes.txt
    truncate -s 1K d39{50..99}/clip.flv
    truncate -s 100M root.txt
    truncate -s 90M root.flv
  )
  (cd "$trees/close-walk" && mkdir c{00000..29999})
  touch "$stamp"
fi
export QUILLFERN_E2E_LONG_WALK="Z:${trees//\//\\}\\long-walk"
export QUILLFERN_E2E_CLOSE_WALK="Z:${trees//\//\\}\\close-walk"
"$@"
