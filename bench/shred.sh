#!/usr/bin/env bash
# Shredding figures side by side in one run, in the bench's prefix ROOT: the engine against a bare
# write-and-flush through the same calls and against GNU shred (native, on the same folder), and
# "添加文件夹" against the search alone.
#   bench/shred.sh ROOT
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
. scripts/wine-env.sh
root=$1
wine_env x86_64 "$root"
work=$WINEPREFIX/drive_c/shredbench
run() { bash scripts/wine-run.sh x86_64 "$root" build/x86_64/bin/shred_bench.exe "$@"; }
field() { awk -v k="$1" '$1 == k {print $2}' <<<"$2"; }
ms_since() { echo $(( ($(date +%s%N) - $1) / 1000000 )); }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }

rm -rf "$work"; mkdir -p "$work"
out=$(run big 'C:\shredbench' 512)
bare=$(field bare_write_ms "$out"); engine=$(field engine_ms "$out"); overwrite=$(field engine_overwrite_ms "$out")
dd if=/dev/zero of="$work/gnu.bin" bs=1M count=512 status=none; sync
t=$(date +%s%N); shred -n 1 -u "$work/gnu.bin"; gnu=$(ms_since "$t")
echo "one 512 MB file (medians of 3): bare write-and-flush ${bare} ms, engine ${engine} ms (of which the overwrite ${overwrite} ms), GNU shred -n 1 -u ${gnu} ms"
echo "  engine speed / bare write speed: $(ratio "$bare" "$engine") (goal >= 0.9); its overwrite alone: $(ratio "$bare" "$overwrite")"
echo "  engine speed / GNU shred speed:  $(ratio "$gnu" "$engine") (goal >= 1)"

rm -rf "$work"; mkdir -p "$work/many" "$work/gnu"
out=$(run many 'C:\shredbench\many' 5000)
engine=$(field engine_ms "$out")
(cd "$work/gnu" && for i in $(seq 5000); do head -c 4096 /dev/zero > "f$i.bin"; done); sync
t=$(date +%s%N); (cd "$work/gnu" && shred -n 1 -u -- *.bin); gnu=$(ms_since "$t")
echo "5000 files of 4 KB: engine ${engine} ms ($(ratio 5000000 "$engine") files/s), GNU shred ${gnu} ms ($(ratio 5000000 "$gnu") files/s)"
echo "  engine files/s / GNU shred files/s: $(ratio "$gnu" "$engine") (goal >= 1)"

rm -rf "$work"; mkdir -p "$work/tree"
for d in $(seq 1000); do mkdir "$work/tree/d$d"; (cd "$work/tree/d$d" && touch $(seq -f 'file%g.dat' 100)); done
out=$(run list 'C:\shredbench\tree')
echo "\"添加文件夹\" on $(field files "$out") files: search alone $(field search_ms "$out") ms, until the list is filled $(field add_folder_ms "$out") ms ($(field listed "$out") entries)"
echo "  list filled / search alone: $(ratio "$(field add_folder_ms "$out")" "$(field search_ms "$out")") (goal <= 1.5)"
rm -rf "$work"
