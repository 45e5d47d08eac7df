#!/usr/bin/env bash
# Runs every fuzz target for a bounded time; fails when one finds a crash.
set -euo pipefail
dir=$1
seconds=${2:-15}
here=$(cd "$(dirname "$0")/.." && pwd)
shopt -s nullglob
targets=("$dir"/*_fuzz)
if [ ${#targets[@]} -eq 0 ]; then
  echo "keine Fuzz-Ziele gefunden"
  exit 0
fi
for t in "${targets[@]}"; do
  name=$(basename "$t")
  corpus=$(mktemp -d)
  seeds="$here/tests/fuzz/corpus/${name%_fuzz}"
  [ -d "$seeds" ] && cp -r "$seeds"/. "$corpus"/
  echo "== $name (${seconds}s)"
  "$t" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 "$corpus" 2>&1 | tail -n 12
  rm -rf "$corpus"
done
