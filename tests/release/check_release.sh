#!/usr/bin/env bash
# The release archives: made twice, they are the same bytes; each holds exactly the program, its
# two libraries, the help pages and the read-me, under one folder.
#   check_release.sh OUTDIR
set -u
top=$(cd "$(dirname "$0")/../.." && pwd)
out=$1
fail=0
check() { if eval "$2"; then echo "ok: $1"; else echo "FAIL: $1"; fail=1; fi; }
rm -rf "$out" "$out.again"
bash "$top/scripts/release.sh" --no-build --out "$out" i686 x86_64 || exit 1
sleep 1  # a different wall-clock second for the second build
bash "$top/scripts/release.sh" --no-build --out "$out.again" i686 x86_64 >/dev/null || exit 1
for arch in i686 x86_64; do
  zip=$out/sysclean-1.0.0-$arch.zip
  check "$arch archive made twice is the same bytes" 'cmp -s "$zip" "$out.again/${zip##*/}"'
  listing=$(unzip -Z1 "$zip")
  expected=$(printf "sysclean-1.0.0-$arch/%s\n" Cleaner.dll README.txt Sweepgate.dll help/history.html help/hotkeys.html help/index.html help/junk.html help/shredder.html sysclean.exe)
  check "$arch archive holds exactly the release files" '[ "$listing" = "$expected" ]'
  check "$arch installer made" '[ -s "$out/sysclean-1.0.0-$arch-setup.exe" ]'
  check "$arch read-me is GBK text" 'unzip -p "$zip" "sysclean-1.0.0-$arch/README.txt" | iconv -f GBK -t UTF-8 | grep -q "文件粉碎"'
done
rm -rf "$out.again"
exit $fail
