#!/usr/bin/env bash
# Unpacks the release zip into a scratch folder, as a user would, then runs the test program
# with that folder's Windows path.
# usage: unpack-release.sh ZIP FOLDER WINE_EXEC TEST_EXE [ARGS...]
set -euo pipefail
zip=$1
folder=$2
shift 2
rm -rf "$folder"
mkdir -p "$folder"
(cd "$folder" && cmake -E tar xf "$zip")
export QUILLFERN_RELEASE_DIR="Z:${folder//\//\\}"
exec "$@"
