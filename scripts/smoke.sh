#!/usr/bin/env bash
# Starts a built sysclean.exe in the bench's prefix and succeeds once its main window is on the
# virtual display; then ends it. Used for the 32-bit build, whose processes run slowly under qemu
# (Wine starts them through its 32-bit loader in the 64-bit prefix).
#   smoke.sh ARCH ROOT sysclean.exe
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
wine_env "$1" "$2"; exe=$(readlink -f "$3")
export DISPLAY; DISPLAY=$(cat "$SANDBOX_ROOT/display")
wine_check_sealed
stage=$(wine_stage "$exe")
"$WINELOADER" "C:\\run\\${stage##*/}\\sysclean.exe" >/dev/null 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true; rm -rf "$stage"' EXIT
start=$(date +%s)
while [ $(( $(date +%s) - start )) -lt 240 ]; do
  if xdotool search --name '^Quorvel PC Cleaner     by Quorvel Software Lab$' >/dev/null 2>&1; then
    echo "main window shown after $(( $(date +%s) - start )) s"
    exit 0
  fi
  kill -0 $pid 2>/dev/null || { echo "sysclean.exe ended before showing its window" >&2; exit 1; }
  sleep 1
done
echo "no main window within 240 s" >&2
exit 1
