#!/usr/bin/env bash
# Runs a QtTest program of the Windows build under Wine for ctest. Under Wine, QtTest's log
# does not reach standard output, so it goes to a file that is printed afterwards; the exit code
# is the test program's.
#   scripts/wine-qtest.sh PROGRAM.exe [ARGUMENTS...]
set -uo pipefail
log=$(mktemp "${TMPDIR:-/tmp}/tallimark-qtest.XXXXXX")
trap 'rm -f "$log"' EXIT
program=$1
shift
"$(dirname "$0")/wine-run.sh" "$program" -platform offscreen -o "$(winepath -w "$log" 2>/dev/null),txt" "$@"
status=$?
cat "$log"
exit $status
