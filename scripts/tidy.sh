#!/usr/bin/env bash
# Runs clang-tidy with the repository's .clang-tidy over the program's sources (not the tests), and
# fails when it has anything to say about our own files.
#   scripts/tidy.sh [BUILD]      BUILD holds compile_commands.json (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
if ! command -v run-clang-tidy >/dev/null 2>&1; then
  echo "scripts/tidy.sh: clang-tidy is not installed (scripts/install-deps.sh tidy)" >&2
  exit 2
fi
[[ -f $build/compile_commands.json ]] || { echo "scripts/tidy.sh: configure $build first" >&2; exit 2; }
log=$(mktemp)
trap 'rm -f "$log"' EXIT
run-clang-tidy -p "$build" -quiet -j "$(nproc)" "$PWD/(src|app|cli)/.*\\.cpp$" >"$log" 2>&1 || true
# Qt's generated files (moc, resources) are not ours.
findings=$(sed 's/\x1b\[[0-9;]*m//g' "$log" | grep -E "^$PWD/(src|app|cli)/[^:]+:[0-9]+:[0-9]+: (warning|error):" | sort -u || true)
if [[ -n $findings ]]; then
  echo "$findings"
  echo "scripts/tidy.sh: $(wc -l <<<"$findings") finding(s)" >&2
  exit 1
fi
echo "scripts/tidy.sh: no findings in $(grep -c '^clang-tidy' "$log") files"
