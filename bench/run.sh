#!/usr/bin/env bash
# Benchmarks of the Windows program on Wine, printed side by side with their yardsticks:
# start-up time and private memory against a minimal Win32 program, the cleaning operations
# and the junk run against bare loops doing the same work, shredding against GNU shred and a
# bare write-and-flush, and the program's size.
#   bench/run.sh [rounds]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
bash scripts/setup.sh >/dev/null
bash scripts/build.sh x86_64 i686 >/dev/null
root=$top/build/x86_64/bench-wine
bash scripts/bench.sh start x86_64 "$root" >/dev/null
trap 'bash scripts/bench.sh stop x86_64 "$root" >/dev/null 2>&1 || true' EXIT
bash scripts/wine-run.sh x86_64 "$root" build/x86_64/bin/startup_bench.exe "${1:-10}"
echo
bash scripts/wine-run.sh x86_64 "$root" build/x86_64/bin/cleanops_bench.exe
echo
bash scripts/wine-run.sh x86_64 "$root" build/x86_64/bin/junk_bench.exe
echo
bash bench/shred.sh "$root"
echo
for arch in i686 x86_64; do
  printf 'size of sysclean.exe (%s): %s bytes\n' "$arch" "$(stat -c %s build/$arch/bin/sysclean.exe)"
done
