#!/usr/bin/env bash
# Marks the sample class twice (the second time only a few learners, as after re-marking) and
# renders the class results window offscreen into docs/class-results.png for the README.
set -euo pipefail
build=${1:-build}
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
out_root=$(mktemp -d "${TMPDIR:-/tmp}/tallimark-shot.XXXXXX")
trap 'rm -rf "$out_root"' EXIT
"$build/cli/tallimark-cli" mark --memos examples --out-root "$out_root" examples/Grade10A/*.rtf >/dev/null 2>&1
"$build/cli/tallimark-cli" mark --reuse --integer --memos examples --out-root "$out_root" \
  "examples/Grade10A/Anika Botha.rtf" "examples/Grade10A/Emily Jacobs.rtf" >/dev/null 2>&1
mkdir -p docs
TALLIMARK_SCREENSHOT_FOLDER="$out_root/Grade10A" TALLIMARK_SCREENSHOT_FILE="$top/docs/class-results.png" \
  QT_QPA_PLATFORM=offscreen "$build/tests/window/tst_window_classresults" screenshotForTheReadme >/dev/null
echo "docs/class-results.png"
