#!/usr/bin/env bash
# The release: for i686 and x86_64, a portable ZIP (the program, its two libraries, the help pages
# and a read-me in Chinese) and a Windows installer made with NSIS, in build/release/. The ZIPs
# are reproducible: fixed timestamps (the last commit's time), fixed file order and modes, and
# binaries linked without a time stamp, so that building twice gives the same bytes.
#   release.sh [--no-build] [--out DIR] [ARCH...]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
build=1 out=$top/build/release
while [ $# -gt 0 ]; do
  case $1 in
    --no-build) build=0; shift ;;
    --out) out=$2; shift 2 ;;
    *) break ;;
  esac
done
arches=("$@")
[ $# -gt 0 ] || arches=(i686 x86_64)
[ $build = 0 ] || bash scripts/build.sh "${arches[@]}" >/dev/null
version=1.0.0
epoch=$(git log -1 --format=%ct 2>/dev/null || echo 1700000000)
mkdir -p "$out"
for arch in "${arches[@]}"; do
  bin=$top/build/$arch/bin
  name=sysclean-$version-$arch
  stage=$out/stage/$name
  rm -rf "$out/stage"; mkdir -p "$stage/help"
  cp "$bin/sysclean.exe" "$bin/Sweepgate.dll" "$bin/Cleaner.dll" "$stage/"
  cp "$top"/resources/help/*.html "$stage/help/"
  # The read-me as Notepad on a Chinese system reads it: GBK with CRLF line ends.
  sed 's/$/\r/' installer/README-zh.txt | iconv -f UTF-8 -t GBK > "$stage/README.txt"
  find "$out/stage" -exec touch -h -d "@$epoch" {} +
  find "$out/stage" -type f -exec chmod 644 {} +
  find "$out/stage" -type d -exec chmod 755 {} +
  rm -f "$out/$name.zip"
  (cd "$out/stage" && find "$name" -type f | LC_ALL=C sort | TZ=UTC zip -q -X -D -9 "$out/$name.zip" -@)
  makensis -V2 -DARCH="$arch" -DBIN="$stage" -DOUTFILE="$out/$name-setup.exe" installer/sysclean.nsi >/dev/null
  echo "$out/$name.zip"
  echo "$out/$name-setup.exe"
done
rm -rf "$out/stage"
