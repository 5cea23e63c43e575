#!/usr/bin/env bash
# Makes, inside the bench's prefix, folders that hold Unix symbolic links (which Wine lists as
# reparse points) to a folder outside them, for the tests of link safety. Every link points
# inside the prefix: the seal of the sandbox holds.
#   make_link_fixture.sh ARCH ROOT
set -euo pipefail
here=$(cd "$(dirname "$0")/../../scripts" && pwd)
. "$here/wine-env.sh"
wine_env "$1" "$2"
fx=$WINEPREFIX/drive_c/linkfx
rm -rf "$fx"
mkdir -p "$fx/outside/sub"
echo keep > "$fx/outside/keep.txt"
echo keep > "$fx/outside/sub/keep2.txt"
for scope in scope_empty scope_tree scope_search; do
  mkdir -p "$fx/$scope/real"
  echo junk > "$fx/$scope/a.tmp"
  echo junk > "$fx/$scope/real/b.tmp"
  ln -s ../outside "$fx/$scope/dirlink"
  ln -s ../outside/keep.txt "$fx/$scope/filelink.txt"
  ln -s . "$fx/$scope/real/loop"
done
# For the shredder: a tree whose links must survive it, and whose targets must stay whole.
mkdir -p "$fx/shred_tree/real"
echo secret > "$fx/shred_tree/a.txt"
echo secret > "$fx/shred_tree/real/b.txt"
ln -s ../outside "$fx/shred_tree/dirlink"
ln -s ../outside/keep.txt "$fx/shred_tree/filelink.txt"
wine_check_sealed
