#!/usr/bin/env bash
# Prepares the tests' desktop folder and the files to copy to it, on the Unix side: a file there
# that cannot be replaced (immutable: Wine running as root ignores the read-only bit), and a
# folder with a file's name. Runs the test program, then makes the file replaceable again.
# usage: make-desktop.sh DESKTOP_DIR SOURCES_DIR WINE_EXEC TEST_EXE [ARGS...]
set -euo pipefail
desktop=$1
sources=$2
shift 2

release() { chattr -i "$desktop/locked.txt" 2>/dev/null || true; }
release
rm -rf "$sources" "$desktop"/*
mkdir -p "$desktop" "$sources/A1" "$sources/B2"
printf 'first copy\n' >"$sources/A1/same.txt"
printf 'second copy, from another folder\n' >"$sources/B2/same.txt"
printf 'new\n' >"$sources/A1/new.txt"
head -c 300000 /dev/urandom >"$sources/B2/large.bin"
printf 'wanted\n' >"$sources/A1/locked.txt"
printf 'wanted\n' >"$sources/A1/folder.txt"
printf 'gbk\n' >"$sources/A1/淺, [1].txt"
printf 'old\n' >"$desktop/locked.txt"
chattr +i "$desktop/locked.txt"
trap release EXIT
mkdir "$desktop/folder.txt"

export QUILLFERN_TEST_SOURCES="Z:${sources//\//\\}"
"$@"
