#!/usr/bin/env bash
# Opens the window on the bundled sample class: started in examples/ so that the memos
# Bron.rtf and Source.rtf are found, with the class folder Grade10A listed first.
#   scripts/gui.sh [BUILD_DIR]      (make gui does the same after building)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-build}"
[[ "$build" = /* ]] || build="$root/$build"

cmake --build "$build" --target tallimark >/dev/null
exe="$build/app/tallimark"
if [[ ! -x "$exe" ]]; then
  echo "gui: $exe was not built (is TALLIMARK_BUILD_GUI off?)" >&2
  exit 1
fi
if [[ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
  echo "gui: no display. On a machine without a desktop run: xvfb-run -a make gui" >&2
  exit 1
fi

cd "$root/examples"
exec "$exe" "$root/examples/Grade10A"
