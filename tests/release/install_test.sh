#!/usr/bin/env bash
# Installs the 32-bit installer silently into the bench's prefix, starts the installed program
# until its main window is shown, uninstalls it silently, and checks that nothing of it is left
# (files, settings files, Start-menu folder, uninstall entry) and that a neighbour is untouched.
#   install_test.sh ROOT setup.exe
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
. "$top/scripts/wine-env.sh"
wine_env x86_64 "$1"
setup=$(readlink -f "$2")
export DISPLAY; DISPLAY=$(cat "$SANDBOX_ROOT/display")
wine_check_sealed
fail=0
check() { if eval "$2"; then echo "ok: $1"; else echo "FAIL: $1"; fail=1; fi; }
pf="$WINEPREFIX/drive_c/Program Files (x86)"
dir="$pf/sysclean"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/系统垃圾及历史记录清理器"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\sysclean'
mkdir -p "$pf/neighbour"; echo keep > "$pf/neighbour/keep.txt"

cd "$WINEPREFIX/drive_c"
stage=$(wine_stage "$setup")
trap 'rm -rf "$stage"' EXIT
start=$(date +%s)
"$WINELOADER" "C:\\run\\${stage##*/}\\${setup##*/}" /S
echo "installed after $(( $(date +%s) - start )) s"
for f in sysclean.exe Sweepgate.dll Cleaner.dll README.txt uninstall.exe help/index.html help/junk.html \
         help/history.html help/shredder.html help/hotkeys.html; do
  check "installed $f" '[ -f "$dir/$f" ]'
done
check "Start-menu shortcut" '[ -f "$menu/系统垃圾及历史记录清理器.lnk" ]'
check "uninstall entry" '"$WINELOADER" reg query "$key" /reg:32 >/dev/null 2>&1'

"$WINELOADER" "C:\\Program Files (x86)\\sysclean\\sysclean.exe" >/dev/null 2>&1 &
pid=$!
shown=0
for _ in $(seq 240); do
  if xdotool search --name '^Quorvel PC Cleaner     by Quorvel Software Lab$' >/dev/null 2>&1; then shown=1; break; fi
  kill -0 $pid 2>/dev/null || break
  sleep 1
done
check "installed program shows its main window" '[ $shown = 1 ]'
kill $pid 2>/dev/null || true; wait $pid 2>/dev/null || true
# The settings files that the program keeps beside itself.
for n in 1 2 3; do printf '[x]\r\n' > "$dir/csetup$n.ini"; done

start=$(date +%s)
"$WINELOADER" "C:\\Program Files (x86)\\sysclean\\uninstall.exe" /S
# The uninstaller runs on from a copy of itself: wait until the folder is gone.
while [ -e "$dir" ] && [ $(( $(date +%s) - start )) -lt 300 ]; do sleep 2; done
echo "uninstalled after $(( $(date +%s) - start )) s"
check "program folder removed" '[ ! -e "$dir" ]'
check "Start-menu folder removed" '[ ! -e "$menu" ]'
check "uninstall entry removed" '! "$WINELOADER" reg query "$key" /reg:32 >/dev/null 2>&1'
check "neighbour untouched" '[ "$(cat "$pf/neighbour/keep.txt")" = keep ]'
wine_check_sealed
exit $fail
