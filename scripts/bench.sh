#!/usr/bin/env bash
# The Wine test bench of one build: a fresh sealed prefix and a virtual display for a test run.
#   bench.sh start ARCH ROOT   creates the prefix under ROOT and starts Xvfb
#   bench.sh stop ARCH ROOT    stops Wine and Xvfb
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
action=$1 arch=$2
wine_env "$arch" "$3"

# A display of our own: benches of both builds start side by side, so the choice of a free
# number is made under a lock, and a display counts as ours only while our own Xvfb runs it (a
# server that lost the race for the number exits, and another's would answer in its place).
start_display() {
  exec 8>/tmp/sysclean-xvfb.lock
  flock 8
  local n
  for n in $(seq 91 140); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 8>&- &
    local pid=$!
    for _ in $(seq 50); do
      kill -0 $pid 2>/dev/null || break
      if xdpyinfo -display ":$n" >/dev/null 2>&1 && kill -0 $pid 2>/dev/null; then
        echo ":$n" > "$SANDBOX_ROOT/display"; echo $pid > "$SANDBOX_ROOT/xvfb.pid"
        flock -u 8
        return 0
      fi
      sleep 0.1
    done
    kill $pid 2>/dev/null || true
  done
  flock -u 8
  echo "bench: no virtual display could be started" >&2; return 1
}

case "$action" in
  start)
    [ -f "$SANDBOX_ROOT/xvfb.pid" ] && kill "$(cat "$SANDBOX_ROOT/xvfb.pid")" 2>/dev/null || true
    start_display
    export DISPLAY; DISPLAY=$(cat "$SANDBOX_ROOT/display")
    wine_make_prefix
    echo "bench: $arch prefix $WINEPREFIX on display $DISPLAY"
    ;;
  stop)
    "$WINESERVER" -k 2>/dev/null || true
    [ -f "$SANDBOX_ROOT/xvfb.pid" ] && kill "$(cat "$SANDBOX_ROOT/xvfb.pid")" 2>/dev/null || true
    rm -f "$SANDBOX_ROOT/xvfb.pid" "$SANDBOX_ROOT/display"
    # Check once more that nothing during the run mapped a drive outside the sandbox.
    wine_check_sealed
    ;;
  *) echo "usage: bench.sh start|stop ARCH ROOT" >&2; exit 2 ;;
esac
