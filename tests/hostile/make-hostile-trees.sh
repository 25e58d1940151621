#!/usr/bin/env bash
# Makes, on the Unix side, the hostile folder trees that the walk must survive: what a Windows
# program under Wine cannot make itself (symbolic links, a FIFO, names outside code page 936, a
# folder name with a backslash in it) or only slowly (120 nested folders, 100,000 files). Runs
# the test program with the trees' Windows path in QUILLFERN_HOSTILE_TREES, then removes them,
# whatever the outcome.
# usage: make-hostile-trees.sh TREES_DIR TREE[,TREE...] WINE_EXEC TEST_EXE [ARGS...]
#   TREE is one of deep, cycles, unreadable, names, wide.
set -euo pipefail
trees=$1
kinds=$2
shift 2
rm -rf "$trees"
trap 'rm -rf "$trees"' EXIT
mkdir -p "$trees"
cd "$trees"

# 120 nested folders "d", one file "f<level>.bin" on every level (the root is level 0), of
# 1000 + level % 3 bytes: far more levels than a path of 260 characters can reach.
make_deep() {
  local dir=deep
  mkdir deep
  for level in $(seq 0 120); do
    [ "$level" -eq 0 ] || { dir=$dir/d; mkdir "$dir"; }
    truncate -s $((1000 + level % 3)) "$dir/f$level.bin"
  done
}

# "cycles": levels L1/L2/L3/L4 below the root, a file "f<level>.bin" of level + 1 bytes on every
# level, and on every level two links that close a cycle: "up" to the parent and "top" to the
# root (at the root itself "top" is the root). "sideways": the same with three levels, and a
# folder "side" beside L1 whose link "across" leads into L2, off the path that reaches it.
make_cycles() {
  local tree levels
  for tree in cycles sideways; do
    levels=4
    [ $tree = cycles ] || levels=3
    mkdir $tree
    printf x >$tree/f0.bin
    ln -s . $tree/top
    local dir=$tree back=..
    for level in $(seq "$levels"); do
      dir=$dir/L$level
      mkdir "$dir"
      printf '%*s' $((level + 1)) '' >"$dir/f$level.bin"
      ln -s .. "$dir/up"
      ln -s "$back" "$dir/top"
      back=$back/..
    done
  done
  mkdir sideways/side
  ln -s ../L1/L2 sideways/side/across
}

# Folder entries that the A functions cannot open (each holds a file that must never be
# listed), entries Wine hides, special files that list as files, and a folder that only its
# permission bits forbid.
make_unreadable() {
  mkdir unreadable
  cd unreadable
  mkdir ok && echo ok >ok/ok.bin
  # U+1F600 is outside code page 936: its two UTF-16 units come back as "??", a wildcard.
  mkdir "😀dir" && echo lost >"😀dir/lost.bin"
  mkdir 'q?' && echo lost >'q?/lost.bin'
  # A backslash in a Unix name comes back as a separator; a trailing dot is dropped from a path.
  mkdir 'a\b' && echo lost >'a\b/lost.bin'
  mkdir 'trail.' && echo lost >'trail./lost.bin'
  ln -s nowhere dangling
  ln -s loop loop
  mkfifo pipe
  echo target >target.bin
  ln -s target.bin link.bin
  echo emoji >"x😀.bin"
  mkdir locked && echo locked >locked/in.bin && chmod 000 locked
  cd ..
}

# Every printable ASCII character that a Windows file name may hold, spaces, commas and
# brackets, and characters of code page 936 whose second byte is a backslash (淺 9C 5C) or a
# vertical bar (纜 C0 7C), as file names and as folder names; distinct sizes in whole MiB, sparse.
make_names() {
  mkdir names
  cd names
  local files=(
    " !#\$%&'()+,-.0123456789;=@ABCDEFGHIJKLMNOPQRSTUVWXYZ[]^_\`abcdefghijklmnopqrstuvwxyz{}~.bin"
    "two  spaces, a comma [1].flv"
    "淺.bin"
    "纜.bin"
    "a淺b纜c.bin"
    "全角　空格.bin"
  )
  local size=1
  for name in "${files[@]}"; do
    truncate -s "${size}M" "$name"
    size=$((size + 1))
  done
  for folder in "淺" "纜" "[x] {y}, z" "淺纜淺"; do
    mkdir "$folder"
    truncate -s "${size}M" "$folder/in.bin"
    size=$((size + 1))
  done
  cd ..
}

# One folder of 100,000 files f000000.bin..f099999.bin of (i * 7919) % 1009 bytes each, sparse:
# 99 files share the largest size, so the last place of the table is decided among ties.
make_wide() {
  mkdir -p wide/many wide/small
  (cd wide/many && perl -e 'for my $i (0 .. 99999) {
      my $name = sprintf("f%06d.bin", $i);
      open(my $f, ">", $name) or die "$name: $!";
      truncate($f, ($i * 7919) % 1009) or die "$name: $!";
      close($f);
    }')
  (cd wide/small && perl -e 'for my $i (0 .. 99) {
      open(my $f, ">", sprintf("f%06d.bin", $i)) or die $!; close($f); }')
}

IFS=, read -r -a wanted <<<"$kinds"
for kind in "${wanted[@]}"; do
  case $kind in
    deep | cycles | unreadable | names | wide) "make_$kind" ;;
    *)
      echo "unknown tree: $kind" >&2
      exit 2
      ;;
  esac
done

export QUILLFERN_HOSTILE_TREES="Z:${trees//\//\\}"
"$@"
