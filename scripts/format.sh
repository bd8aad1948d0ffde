#!/usr/bin/env bash
# Formats our C++ sources with the repository's .clang-format.
#   scripts/format.sh           rewrite every file in place
#   scripts/format.sh --check   change nothing; name each file that is not formatted, exit 1 if any
set -euo pipefail
cd "$(dirname "$0")/.."

check=0
case "${1:-}" in
  --check) check=1 ;;
  "") ;;
  *) echo "usage: scripts/format.sh [--check]" >&2; exit 2 ;;
esac

if ! command -v clang-format >/dev/null 2>&1; then
  echo "scripts/format.sh: clang-format is not installed (apt-get install clang-format)" >&2
  exit 2
fi

mapfile -t files < <(git ls-files -- 'src/*.cpp' 'src/*.h' 'app/*.cpp' 'app/*.h' 'cli/*.cpp' 'cli/*.h' \
                                     'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h')

if [ "$check" -eq 0 ]; then
  clang-format -i --style=file "${files[@]}"
  exit 0
fi

unformatted=0
for file in "${files[@]}"; do
  if ! clang-format --style=file --dry-run --Werror "$file" >/dev/null 2>&1; then
    echo "not formatted: $file"
    unformatted=1
  fi
done
if [ "$unformatted" -ne 0 ]; then
  echo "Run scripts/format.sh to format them." >&2
fi
exit "$unformatted"
