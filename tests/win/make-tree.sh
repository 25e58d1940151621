#!/usr/bin/env bash
# Makes, on the Unix side, the folder tree the directory-reader tests walk: what a Windows
# program under Wine cannot make itself (symbolic links, a sparse file of 5 GiB), and names
# that exercise the code page. Then runs the test program with the tree's Windows path.
# usage: make-tree.sh TREE_DIR WINE_EXEC TEST_EXE [ARGS...]
set -euo pipefail
tree=$1
shift
rm -rf "$tree"
mkdir -p "$tree"
cd "$tree"

# Links back onto the walk path, and one sideways.
mkdir -p cycle/A cycle/B
ln -s .. cycle/A/up
ln -s . cycle/A/self
ln -s ../A cycle/B/side
echo a >cycle/A/a.txt
echo b >cycle/B/b.txt

mkdir -p plain/movie.flv plain/hiddendir
echo inner >plain/movie.flv/inner.flv
echo hidden >plain/hidden.flv
echo system >plain/system.flv
echo h >plain/hiddendir/h.flv
echo other >plain/notes.txt
# 淺 is 9C 5C in code page 936: its second byte is a backslash.
echo gbk >"plain/淺.flv"
truncate -s 5G plain/big.flv

export QUILLFERN_TEST_TREE="Z:${tree//\//\\}"
exec "$@"
