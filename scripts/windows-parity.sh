#!/usr/bin/env bash
# Marks one class with the Linux and the Windows command line (under Wine) and compares what
# the teacher keeps: every marked copy byte for byte, and every results line and class-record
# row with the paths and the time of marking set aside.
#   scripts/windows-parity.sh [LINUX_BUILD] [WINDOWS_BUILD] [CLASS_FOLDER]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
linux_cli=$(cd "${1:-build}" && pwd)/cli/tallimark-cli
windows_cli=$(cd "${2:-build-windows}" && pwd)/cli/tallimark-cli.exe
class=$(cd "${3:-$top/examples/Grade10A}" && pwd)
memos=$top/examples
for program in "$linux_cli" "$windows_cli"; do
  [[ -f $program ]] || { echo "windows-parity: $program is not built" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/tallimark-parity.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/linux" "$work/windows"
tests=("$class"/*.rtf)

"$linux_cli" mark --memos "$memos" --out-root "$work/linux" --dest Class "${tests[@]}" >"$work/linux.out" 2>&1 || true
windows_tests=()
for t in "${tests[@]}"; do windows_tests+=("$(winepath -w "$t" 2>/dev/null)"); done
"$top/scripts/wine-run.sh" "$windows_cli" mark --memos "$(winepath -w "$memos" 2>/dev/null)" \
  --out-root "$(winepath -w "$work/windows" 2>/dev/null)" --dest Class "${windows_tests[@]}" \
  >"$work/windows.out" 2>&1 || true

# Paths as each platform writes them, reduced to one form: the class folder becomes CLASS and
# the destination DEST, with forward slashes.
normalise() { # platform file
  local dest class_shown
  if [[ $1 == windows ]]; then
    dest=$(winepath -w "$work/windows/Class" 2>/dev/null)
    class_shown=$(winepath -w "$class" 2>/dev/null)
  else
    dest=$work/linux/Class
    class_shown=$class
  fi
  DEST="$dest" CLASS="$class_shown" python3 -c '
import os, sys
text = sys.stdin.buffer.read().decode("utf-8")
for name in ("DEST", "CLASS"):
    text = text.replace(os.environ[name], name)
text = text.replace("\\", "/")
sys.stdout.write(text)' < "$2"
}

failures=0
compare() { # what linux-file windows-file
  if ! cmp -s "$2" "$3"; then
    echo "windows-parity: $1 differs:" >&2
    diff <(cat -A "$2") <(cat -A "$3") | head -n 20 >&2 || true
    failures=$((failures + 1))
  fi
}

count=0
for copy in "$work/linux/Class"/*.rug; do
  name=$(basename "$copy")
  count=$((count + 1))
  if [[ ! -f $work/windows/Class/$name ]]; then
    echo "windows-parity: the Windows build wrote no $name" >&2
    failures=$((failures + 1))
    continue
  fi
  compare "$name" "$copy" "$work/windows/Class/$name"
done
[[ $count -gt 0 ]] || { echo "windows-parity: the Linux build marked nothing" >&2; cat "$work/linux.out" >&2; exit 1; }

normalise linux "$work/linux/Class/Resultaat.res" > "$work/linux.res"
normalise windows "$work/windows/Class/Resultaat.res" > "$work/windows.res"
compare Resultaat.res "$work/linux.res" "$work/windows.res"

# The class record without its first column, the time of marking.
for platform in linux windows; do
  normalise $platform "$work/$platform/Class/Tallimark.csv" | python3 -c '
import csv, sys
rows = list(csv.reader(sys.stdin))
w = csv.writer(sys.stdout, lineterminator="\n")
for row in rows:
    w.writerow(row[1:])' > "$work/$platform.csv"
done
compare Tallimark.csv "$work/linux.csv" "$work/windows.csv"

if [[ $failures -gt 0 ]]; then
  echo "windows-parity: $failures of the files differ" >&2
  exit 1
fi
echo "windows-parity: $count marked copies, Resultaat.res and Tallimark.csv agree between Linux and Windows"
