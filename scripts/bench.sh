#!/usr/bin/env bash
# Runs every benchmark program of the build.
set -euo pipefail
build=${1:-build}
found=0
while IFS= read -r -d '' program; do
  found=1
  echo "== ${program#$build/}"
  "$program" --benchmark_min_time=0.5
done < <(find "$build/bench" -type f -perm -u+x -not -path '*/CMakeFiles/*' -print0 2>/dev/null | sort -z)
[[ $found -eq 1 ]] || { echo "no benchmarks built in $build/bench" >&2; exit 1; }
