#!/usr/bin/env bash
# Runs one fuzz target for SECONDS from a copy of its committed corpus.
#   run.sh TARGET CORPUS WORKDIR SECONDS
set -euo pipefail
target=$1 corpus=$2 work=$3 seconds=$4
mkdir -p "$work"
cp -n "$corpus"/* "$work"/ 2>/dev/null || true
exec "$target" -max_total_time="$seconds" -print_final_stats=0 "$work"
