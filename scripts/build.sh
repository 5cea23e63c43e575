#!/usr/bin/env bash
# Configures and builds the three builds under build/: native (tests of the Windows-free core),
# x86_64 and i686 (the Windows program). Pass build names to build only those.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
builds=("$@"); [ ${#builds[@]} -gt 0 ] || builds=(native fuzz x86_64 i686)
for b in "${builds[@]}"; do
  case "$b" in
    native) args=(-DCMAKE_BUILD_TYPE=Debug) ;;
    fuzz) args=(-DCMAKE_BUILD_TYPE=Debug -DSYSCLEAN_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++) ;;
    x86_64|i686) args=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-$b.cmake") ;;
    *) echo "build.sh: unknown build $b" >&2; exit 2 ;;
  esac
  [ -f "build/$b/CMakeCache.txt" ] && [ -f "build/$b/build.ninja" ] || cmake -S . -B "build/$b" -G Ninja "${args[@]}" >/dev/null
  cmake --build "build/$b"
done
