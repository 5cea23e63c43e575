#!/usr/bin/env bash
# Builds the program and starts it on Wine in a sandboxed prefix (build/sandbox) whose drive C:
# holds sample junk and history records. With a display the window opens there; without one the
# program runs on a virtual display, a tour opens each of its windows in turn, and screenshots of
# them are written to build/sandbox/screenshots/ (with --docs also to docs/screenshots/).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
bash scripts/setup.sh >/dev/null
bash scripts/build.sh x86_64 >/dev/null
. scripts/wine-env.sh
wine_env x86_64 build/sandbox

virtual=0
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  virtual=1
  bash scripts/bench.sh stop x86_64 "$SANDBOX_ROOT" >/dev/null 2>&1 || true
fi
if [ ! -d "$WINEPREFIX/drive_c" ] || [ $virtual = 1 ]; then
  if [ $virtual = 1 ]; then
    bash scripts/bench.sh start x86_64 "$SANDBOX_ROOT" >/dev/null
    export DISPLAY; DISPLAY=$(cat "$SANDBOX_ROOT/display")
  else
    wine_make_prefix
  fi
  . scripts/sample_data.sh
fi
wine_check_sealed

# The program lives in C:\Program Files\sysclean, its settings files beside it.
dest="$WINEPREFIX/drive_c/Program Files/sysclean"
mkdir -p "$dest"
cp -a build/x86_64/bin/sysclean.exe build/x86_64/bin/Sweepgate.dll build/x86_64/bin/Cleaner.dll "$dest/"
cp -a build/x86_64/bin/help "$dest/"

if [ $virtual = 0 ]; then
  exec "$WINELOADER" 'C:\Program Files\sysclean\sysclean.exe'
fi

"$WINELOADER" 'C:\Program Files\sysclean\sysclean.exe' &
pid=$!
wid=""
for _ in $(seq 100); do
  wid=$(xdotool search --name '^Quorvel PC Cleaner' 2>/dev/null | head -1 || true)
  [ -n "$wid" ] && break
  sleep 0.2
done
shots=$top/build/sandbox/screenshots
if [ -n "$wid" ]; then
  sleep 3.5   # past the first banner tick, so the banner shows its first picture
  rm -rf "$top/build/x86_64/screenshots" "$shots"
  bash scripts/wine-run.sh x86_64 "$SANDBOX_ROOT" build/x86_64/bin/window_tour.exe | sed 's/^/  /'
  mkdir -p "$shots"
  cp "$top"/build/x86_64/screenshots/*.png "$shots/" 2>/dev/null || true
  if [ "${1:-}" = --docs ]; then mkdir -p docs/screenshots; cp "$shots"/*.png docs/screenshots/; fi
  echo "sysclean.exe runs on a virtual display; screenshots of its windows: $shots"
else
  echo "run.sh: the main window did not appear" >&2
fi
"$WINESERVER" -k 2>/dev/null || true
wait $pid 2>/dev/null || true
bash scripts/bench.sh stop x86_64 "$SANDBOX_ROOT" >/dev/null 2>&1 || true
[ -n "$wid" ]
