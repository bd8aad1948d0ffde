#!/usr/bin/env bash
# Marks one class of 40 tests with the Linux command line and with the Windows command line
# under Wine, in one run, and prints the time of each (best of three) and their ratio. Wine's
# own start-up is measured apart (the Windows program printing its version), so the figure for
# marking is what a teacher's Windows machine would spend, plus what Wine adds per call.
#   bench/windows/cli-under-wine.sh [LINUX_BUILD] [WINDOWS_BUILD]
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
linux_cli=$(cd "${1:-build}" && pwd)/cli/tallimark-cli
windows_cli=$(cd "${2:-build-windows}" && pwd)/cli/tallimark-cli.exe
wine_run=$top/scripts/wine-run.sh

work=$(mktemp -d "${TMPDIR:-/tmp}/tallimark-winbench.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/Class40"
# Forty learners: the sample class three times over under new names, and one more.
n=0
while [[ $n -lt 40 ]]; do
  for t in "$top"/examples/Grade10A/*.rtf; do
    [[ $n -lt 40 ]] || break
    cp "$t" "$work/Class40/Learner $(printf %02d $n) $(basename "$t")"
    n=$((n + 1))
  done
done
winpath() { winepath -w "$1" 2>/dev/null; }

best_of_three() { # command...
  local best=""
  for _ in 1 2 3; do
    rm -rf "$work/out"
    mkdir "$work/out"
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1 || true
    end=$(date +%s.%N)
    local took
    took=$(echo "$end - $start" | bc -l)
    if [[ -z $best ]] || (($(echo "$took < $best" | bc -l))); then best=$took; fi
  done
  printf '%.3f' "$best"
}

"$wine_run" "$windows_cli" --version >/dev/null 2>&1 # a warm Wine prefix
wineserver -p 60 2>/dev/null || true                  # and a server that stays up between runs

startup=$(best_of_three "$wine_run" "$windows_cli" --version)
linux=$(best_of_three "$linux_cli" mark --memos "$top/examples" --out-root "$work/out" "$work/Class40")
linux_marked=$(find "$work/out" -name '*.rug' | wc -l)
windows=$(best_of_three "$wine_run" "$windows_cli" mark --memos "$(winpath "$top/examples")" \
  --out-root "$(winpath "$work/out")" "$(winpath "$work/Class40")")
windows_marked=$(find "$work/out" -name '*.rug' | wc -l)

echo "class of 40 (marked copies: $linux_marked by Linux, $windows_marked by Windows)"
echo "  Linux tallimark-cli mark:              ${linux} s"
echo "  Windows tallimark-cli.exe under Wine:  ${windows} s  (Wine start-up alone: ${startup} s)"
echo "  ratio Windows/Linux:                   $(echo "scale=2; $windows / $linux" | bc -l)"
echo "  ratio without Wine's start-up:         $(echo "scale=2; ($windows - $startup) / $linux" | bc -l)"
