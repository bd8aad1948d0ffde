#!/usr/bin/env bash
# Takes the README's pictures of the main window under Xvfb with a window manager (openbox): on
# a 1024x600 school laptop screen, and on a 1920x1080 screen at 200 % scaling. Needs xvfb-run,
# openbox, xwd and Python 3 (scripts/xwd2png.py).
set -euo pipefail
build=${1:-build}
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
mkdir -p docs
shoot() { # WIDTH HEIGHT SCALE FILE
  xvfb-run -a -s "-screen 0 ${1}x${2}x24" bash -c '
    openbox >/dev/null 2>&1 &
    sleep 1
    cd examples
    QT_SCALE_FACTOR='"$3"' "'"$top/$build"'/app/tallimark" "$PWD/Grade10A" >/dev/null 2>&1 &
    app=$!
    sleep 4
    xwd -root -silent | python3 "'"$top"'/scripts/xwd2png.py" > "'"$top"'/docs/'"$4"'"
    kill $app'
  echo "docs/$4"
}
shoot 1024 600 1 window-1024x600.png
shoot 1920 1080 2 window-200-percent.png
