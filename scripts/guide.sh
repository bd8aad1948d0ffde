#!/usr/bin/env bash
# Renews the user guide's screenshots from the real window, offscreen, in both languages, then
# writes the guide as PDF (build/docs/tallimark-guide-{en,af}.pdf).
#   scripts/guide.sh [BUILD]
set -euo pipefail
build=${1:-build}
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
cmake --build "$build" --target tallimark-guide
QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 "$build/src/guide/tallimark-guide" screenshots examples docs/guide \
  2> >(grep -v 'This plugin does not support' >&2)
cmake --build "$build" --target guide-pdf
ls docs/guide/*/images/*.png "$build"/docs/tallimark-guide-*.pdf
