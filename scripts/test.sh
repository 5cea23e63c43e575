#!/usr/bin/env bash
# Runs every test suite from nothing: installs what is missing, builds all three builds, then
# runs the native unit tests, the Windows tests of the x86_64 build on Wine and the 32-bit smoke
# of the i686 build in one ctest run, which ends with ctest's summary.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
bash scripts/setup.sh
bash scripts/build.sh
mkdir -p build/all
cat > build/all/CTestTestfile.cmake <<CT
# All suites of the project, in one run.
subdirs("$top/build/native")
subdirs("$top/build/fuzz")
subdirs("$top/build/x86_64")
subdirs("$top/build/i686")
CT
ctest --test-dir build/all --output-on-failure -j2 "$@"
