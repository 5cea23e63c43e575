#!/usr/bin/env bash
# Runs one fuzz target for longer than the test command does.
#   scripts/fuzz.sh NAME [SECONDS]   NAME: settings_entry, settings_integer, ansi_path,
#                                    registry_path, sid_text or wildcard; SECONDS defaults to 600
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
name=${1:?usage: scripts/fuzz.sh NAME [SECONDS]}
bash scripts/build.sh fuzz >/dev/null
exec bash tests/fuzz/run.sh "build/fuzz/bin/${name}_fuzz" "tests/fuzz/corpus/$name" \
  "build/fuzz/tests/fuzz/corpus-$name" "${2:-600}"
