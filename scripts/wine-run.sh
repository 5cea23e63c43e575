#!/usr/bin/env bash
# Runs a Windows program of the build inside the bench's prefix (ctest's cross-compiling
# emulator). The program's folder is linked into drive C: afresh for each run, so the program
# runs from C:\run\<id>\ like an installed program, and each run has its own program directory.
#   wine-run.sh ARCH ROOT program.exe [args...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
arch=$1; wine_env "$arch" "$2"; exe=$(readlink -f "$3"); shift 3
[ -d "$WINEPREFIX/drive_c" ] || { echo "wine-run: no prefix; run the bench's start first" >&2; exit 2; }
[ -f "$SANDBOX_ROOT/display" ] && export DISPLAY="$(cat "$SANDBOX_ROOT/display")"
wine_check_sealed
stage=$(wine_stage "$exe")
# Screenshots that a test saved into its folder are kept in the build tree.
shots=$(dirname "$exe")/../screenshots
trap 'if [ -d "$stage/screenshots" ]; then mkdir -p "$shots"; cp -a "$stage/screenshots/." "$shots/"; fi; rm -rf "$stage"' EXIT
rc=0
"$WINELOADER" "C:\\run\\${stage##*/}\\${exe##*/}" "$@" || rc=$?
exit $rc
