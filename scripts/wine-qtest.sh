#!/usr/bin/env bash
# Runs a QtTest program of the Windows build under Wine for ctest. Under Wine, QtTest's log does
# not reach standard output, so it goes to a file that is printed afterwards. A window test's
# process may also stay in Wine's thread teardown after its last test: once the log says the
# tests have finished, the program gets a few seconds to exit, and its totals decide.
#   scripts/wine-qtest.sh PROGRAM.exe [ARGUMENTS...]
set -uo pipefail
log=$(mktemp "${TMPDIR:-/tmp}/tallimark-qtest.XXXXXX")
trap 'rm -f "$log"' EXIT
program=$1
shift
"$(dirname "$0")/wine-run.sh" "$program" -platform offscreen -o "$(winepath -w "$log" 2>/dev/null),txt" "$@" &
pid=$!
finished_at=""
while kill -0 "$pid" 2>/dev/null && [[ $(ps -o stat= -p "$pid" 2>/dev/null) != Z* ]]; do
  if [[ -z $finished_at ]] && grep -q '^\*\*\*\*\*\*\*\*\* Finished testing' "$log" 2>/dev/null; then
    finished_at=$SECONDS
  fi
  if [[ -n $finished_at && $((SECONDS - finished_at)) -ge 10 ]]; then
    echo "wine-qtest: $(basename "$program") did not exit after its tests finished; its totals decide" >&2
    kill "$pid" 2>/dev/null
    break
  fi
  sleep 1
done
wait "$pid" 2>/dev/null
status=$?
cat "$log"
if [[ -n $finished_at ]]; then
  grep -Eq '^Totals: [0-9]+ passed, 0 failed' "$log" && exit 0
  exit 1
fi
exit $status
